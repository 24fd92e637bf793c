#include "gui/Announcer.h"

#include "gui/Accessibility.h"

#include <QApplication>
#include <QWidget>

namespace cfx {

namespace {

const QString kNoticeName = QStringLiteral("Announcement");

// The notification object of one window: one pixel, painting nothing, never focused or clicked.
QWidget* createNotice(QWidget* window) {
    auto* notice = new QWidget(window);
    notice->setObjectName(kNoticeName);
    setAccessibleRole(notice, QAccessible::Notification);
    notice->setFocusPolicy(Qt::NoFocus);
    notice->setAttribute(Qt::WA_TransparentForMouseEvents);
    notice->setGeometry(0, 0, 1, 1);
    return notice;
}

} // namespace

void announce(QWidget* near, const QString& text) {
    if (text.isEmpty())
        return;
    QWidget* window = QApplication::activeWindow();
    if (!window && near)
        window = near->window();
    if (!window || !window->isVisible())
        return;
    auto* notice = window->findChild<QWidget*>(kNoticeName, Qt::FindDirectChildrenOnly);
    if (!notice)
        notice = createNotice(window);
    // Hidden and shown again, it appears anew for each message, the same message included.
    notice->hide();
    notice->setAccessibleName(text);
    notice->show();
}

} // namespace cfx
