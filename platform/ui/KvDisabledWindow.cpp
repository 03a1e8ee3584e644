#include "KvDisabledWindow.h"

namespace kui {

KvDisabledWindow::KvDisabledWindow(QWidget* window) : window_(window) {
  if (!window_) return;
  focus_ = window_->focusWidget();
  wasEnabled_ = window_->isEnabled();
  window_->setEnabled(false);
}

KvDisabledWindow::~KvDisabledWindow() {
  if (!window_) return;
  window_->setEnabled(wasEnabled_);
  if (wasEnabled_ && focus_ && focus_->isEnabled() && focus_->isVisible() && !focus_->hasFocus())
    focus_->setFocus(Qt::ActiveWindowFocusReason);
}

}  // namespace kui
