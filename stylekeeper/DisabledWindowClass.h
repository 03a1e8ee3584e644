#pragma once
// The window disabled while a handler works: disabled for a scope, enabled
// again on every way out (return or exception), with the focus given back
// where it was. A disabled window loses its focus, and a root PLU typed and
// loaded with Enter should leave the box ready for the next one.
//
//   { SkDisabledWindow disabled(this); ... }
//
// The suite's shared helper does it (platform/ui KvDisabledWindow).
#include "KvDisabledWindow.h"

// The one name the style editor uses for it.
using SkDisabledWindow = kui::KvDisabledWindow;
