#include "DisabledWindowClass.h"

TDisabledWindowClass::TDisabledWindowClass(QWidget* window) : window_(window), focus_(window->focusWidget()) {
  window_->setEnabled(false);
}

TDisabledWindowClass::~TDisabledWindowClass() {
  if (!window_) return;
  window_->setEnabled(true);
  // The focus comes back as to a window made active again: the box is not
  // entered anew (the retail box would open the calculator once more).
  if (focus_ && focus_->isEnabled() && focus_->isVisible()) focus_->setFocus(Qt::ActiveWindowFocusReason);
}
