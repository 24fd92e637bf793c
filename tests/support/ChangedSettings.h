#pragma once

#include "platform/Settings.h"

// Settings with every one changed from its first-run value.
inline cfx::StartSettings everySettingChanged() {
    cfx::StartSettings s;
    s.ledLook = true;
    s.resolution = QStringLiteral("25");
    s.flashSound = false;
    s.actOnPress = true;
    s.reportShown = true;
    s.displayAttached = false;
    s.displayOnTop = true;
    s.rateOnTop = true;
    s.speedOnTop = true;
    s.displayOpacity = 120;
    s.panelPosition = QPoint(40, 30);
    s.displayPosition = QPoint(300, 20);
    s.reportPosition = QPoint(200, 150);
    s.ratePosition = QPoint(1, 2);
    s.speedPosition = QPoint(0, 0);
    return s;
}
