#pragma once

#include <QIdentityProxyModel>

namespace cfx {

// Shows a GridModel in a view: turns each cell's colour value into a background brush. Values with
// the top bit set name system colours and leave the view's own background.
class GridBrushProxy : public QIdentityProxyModel {
    Q_OBJECT
public:
    explicit GridBrushProxy(QObject* parent = nullptr) : QIdentityProxyModel(parent) {}

    QVariant data(const QModelIndex& index, int role) const override;
};

} // namespace cfx
