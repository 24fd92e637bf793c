#include "models/GridBrushProxy.h"

#include "core/GridModel.h"
#include "models/Colours.h"

#include <QBrush>

namespace cfx {

QVariant GridBrushProxy::data(const QModelIndex& index, int role) const {
    if (role != Qt::BackgroundRole)
        return QIdentityProxyModel::data(index, role);
    const QVariant value = QIdentityProxyModel::data(index, GridModel::kBackColorRole);
    if (!value.isValid())
        return {};
    const auto colour = value.value<quint32>();
    if (colour & 0x80000000u)
        return {};
    return QBrush(colourFromValue(colour));
}

} // namespace cfx
