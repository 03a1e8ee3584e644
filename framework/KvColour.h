#pragma once
// Colours of the suite are 24-bit values in blue-green-red order (0x00BBGGRR),
// the way they are stored in the database and written in the window layouts.
#include <QColor>

inline QColor kvColour(quint32 bgr) {
  return QColor(static_cast<int>(bgr & 0xFF), static_cast<int>((bgr >> 8) & 0xFF),
                static_cast<int>((bgr >> 16) & 0xFF));
}

// The 0x00BBGGRR value of a colour.
inline quint32 kvColourValue(const QColor& c) {
  return static_cast<quint32>(c.red()) | (static_cast<quint32>(c.green()) << 8) |
         (static_cast<quint32>(c.blue()) << 16);
}
