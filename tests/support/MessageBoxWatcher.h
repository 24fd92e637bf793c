#pragma once

#include <QApplication>
#include <QMessageBox>
#include <QTimer>

namespace cfx {

// Closes the next message box once it is up and remembers what it showed.
struct MessageBoxWatcher {
    QString title;
    QString text;
    QMessageBox::Icon icon = QMessageBox::NoIcon;
    int seen = 0;

    void arm() {
        QTimer::singleShot(20, [this] {
            if (auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget())) {
                title = box->windowTitle();
                text = box->text();
                icon = box->icon();
                ++seen;
                box->accept();
            } else {
                arm();
            }
        });
    }
};

} // namespace cfx
