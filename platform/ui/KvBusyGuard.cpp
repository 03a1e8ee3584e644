#include "KvBusyGuard.h"

#include <QApplication>
#include <QCursor>

#include <algorithm>
#include <vector>

#include "KuiGuard.h"

namespace kui {
namespace {
KvWaitIndicator*& Default() {
  static KvWaitIndicator* indicator = nullptr;
  return indicator;
}
// The guards alive, outermost first (one user-interface thread).
std::vector<KvBusyGuard*>& Active() {
  static std::vector<KvBusyGuard*> guards;
  return guards;
}
}  // namespace

void KvBusyGuard::SetDefaultIndicator(KvWaitIndicator* indicator) { Default() = indicator; }
KvWaitIndicator* KvBusyGuard::DefaultIndicator() { return Default(); }
int KvBusyGuard::ActiveCount() { return static_cast<int>(Active().size()); }

KvBusyGuard::KvBusyGuard(QWidget* window, const QString& message, const QString& info,
                         KvWaitIndicator* indicator)
    : indicator_(indicator ? indicator : Default()), message_(message), info_(info) {
  if (window) disabled_.emplace(window);
  QApplication::setOverrideCursor(Qt::WaitCursor);
  Active().push_back(this);
  if (!indicator_) return;
  try {
    indicator_->ShowWait(message, info);
  } catch (...) {
    // No destructor runs for a guard whose constructor throws: undo here.
    Active().pop_back();
    QApplication::restoreOverrideCursor();
    disabled_.reset();
    throw;
  }
}

KvBusyGuard::~KvBusyGuard() {
  // A destructor must not throw, whatever the wait window does.
  Guarded("KvBusyGuard::~KvBusyGuard", [&] { Leave(); });
  QApplication::restoreOverrideCursor();
  disabled_.reset();
}

void KvBusyGuard::Leave() {
  auto& guards = Active();
  const auto self = std::find(guards.begin(), guards.end(), this);
  if (self == guards.end()) return;
  // The nearest outer guard on the same wait window keeps it: its text again.
  const auto found = std::find_if(std::make_reverse_iterator(self), guards.rend(),
                                  [this](const KvBusyGuard* g) { return g->indicator_ == indicator_; });
  const KvBusyGuard* outer = found == guards.rend() ? nullptr : *found;
  guards.erase(self);
  if (!indicator_) return;
  if (outer)
    indicator_->UpdateWait(outer->message_, outer->info_);
  else
    indicator_->CloseWait();
}

void KvBusyGuard::SetMessage(const QString& message, const QString& info) {
  message_ = message;
  info_ = info;
  if (indicator_) indicator_->UpdateWait(message, info);
}

}  // namespace kui
