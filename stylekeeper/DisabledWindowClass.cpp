#include "DisabledWindowClass.h"

namespace {

// The innermost window disabled now (one user-interface thread).
TDisabledWindowClass* innermost = nullptr;

}  // namespace

TDisabledWindowClass::TDisabledWindowClass(QWidget* window)
    : window_(window), focus_(window->focusWidget()), outer_(innermost) {
  innermost = this;
  window_->setEnabled(false);
}

TDisabledWindowClass::~TDisabledWindowClass() {
  innermost = outer_;
  if (!window_) return;
  window_->setEnabled(true);
  // The focus comes back as to a window made active again: the box is not
  // entered anew (the retail box would open the calculator once more).
  if (focus_ && focus_->isEnabled() && focus_->isVisible()) focus_->setFocus(Qt::ActiveWindowFocusReason);
}

void TDisabledWindowClass::FocusAfterwards(QWidget* w) {
  for (TDisabledWindowClass* g = innermost; g; g = g->outer_)
    if (g->window_ && g->window_->isAncestorOf(w)) {
      // The outermost guard of the window enables it last.
      TDisabledWindowClass* outermost = g;
      for (TDisabledWindowClass* o = g->outer_; o; o = o->outer_)
        if (o->window_ == g->window_) outermost = o;
      outermost->focus_ = w;
      return;
    }
  w->setFocus();
}
