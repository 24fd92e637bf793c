#include "gui/Appearance.h"

#include <QApplication>
#include <QPalette>
#include <QStyleFactory>

namespace cfx {

void applyDarkPalette() {
    QApplication::setStyle(QStyleFactory::create(QStringLiteral("Fusion")));
    const QColor window(0x2d, 0x2f, 0x33);
    const QColor base(0x1e, 0x1f, 0x22);
    const QColor text(0xe8, 0xea, 0xed);
    const QColor disabledText(0x80, 0x84, 0x8a);
    const QColor highlight(0x3d, 0x7a, 0xd6);

    QPalette p;
    p.setColor(QPalette::Window, window);
    p.setColor(QPalette::WindowText, text);
    p.setColor(QPalette::Base, base);
    p.setColor(QPalette::AlternateBase, window);
    p.setColor(QPalette::ToolTipBase, base);
    p.setColor(QPalette::ToolTipText, text);
    p.setColor(QPalette::PlaceholderText, disabledText);
    p.setColor(QPalette::Text, text);
    p.setColor(QPalette::Button, window);
    p.setColor(QPalette::ButtonText, text);
    p.setColor(QPalette::BrightText, Qt::white);
    p.setColor(QPalette::Light, window.lighter(150));
    p.setColor(QPalette::Midlight, window.lighter(125));
    p.setColor(QPalette::Mid, window.darker(120));
    p.setColor(QPalette::Dark, window.darker(150));
    p.setColor(QPalette::Shadow, Qt::black);
    p.setColor(QPalette::Highlight, highlight);
    p.setColor(QPalette::HighlightedText, Qt::white);
    p.setColor(QPalette::Link, highlight.lighter(130));
    p.setColor(QPalette::LinkVisited, highlight.lighter(110));
    for (const auto role : {QPalette::WindowText, QPalette::Text, QPalette::ButtonText})
        p.setColor(QPalette::Disabled, role, disabledText);
    p.setColor(QPalette::Disabled, QPalette::Highlight, window.lighter(130));
    QApplication::setPalette(p);
}

void applyAppearanceFromEnvironment() {
    if (qEnvironmentVariable("CHRONOFEX_PALETTE") == QLatin1String("dark"))
        applyDarkPalette();
}

} // namespace cfx
