#pragma once

#include <QColor>
#include <QtGlobal>

namespace cfx {

// Colours are stored and written as one number, red + 256 * green + 65536 * blue.
inline QColor colourFromValue(quint32 value) {
    return QColor(static_cast<int>(value & 0xFF), static_cast<int>((value >> 8) & 0xFF),
                  static_cast<int>((value >> 16) & 0xFF));
}

} // namespace cfx
