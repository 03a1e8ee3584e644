#pragma once
// Short names for the suite's colour conversion (0x00BBGGRR <-> QColor); the
// conversion itself lives in platform/ui.
#include "KuiColour.h"

inline QColor kvColour(quint32 bgr) { return kui::BgrColour(bgr); }
inline quint32 kvColourValue(const QColor& c) { return kui::ToBgr(c); }
