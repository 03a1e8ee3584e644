#include "KvBusyGuard.h"

#include <QApplication>
#include <QCursor>

#include "KuiGuard.h"

namespace kui {
namespace {
KvWaitIndicator*& Default() {
  static KvWaitIndicator* indicator = nullptr;
  return indicator;
}
}  // namespace

void KvBusyGuard::SetDefaultIndicator(KvWaitIndicator* indicator) { Default() = indicator; }
KvWaitIndicator* KvBusyGuard::DefaultIndicator() { return Default(); }

KvBusyGuard::KvBusyGuard(QWidget* window, const QString& message, const QString& info,
                         KvWaitIndicator* indicator)
    : window_(window), indicator_(indicator ? indicator : Default()) {
  if (window_) {
    wasEnabled_ = window_->isEnabled();
    window_->setEnabled(false);
  }
  QApplication::setOverrideCursor(Qt::WaitCursor);
  if (!indicator_) return;
  try {
    indicator_->ShowWait(message, info);
  } catch (...) {
    // No destructor runs for a guard whose constructor throws: undo here.
    QApplication::restoreOverrideCursor();
    if (window_) window_->setEnabled(wasEnabled_);
    throw;
  }
}

KvBusyGuard::~KvBusyGuard() {
  // A destructor must not throw, whatever the wait window does.
  if (indicator_) Guarded("KvBusyGuard::~KvBusyGuard", [&] { indicator_->CloseWait(); });
  QApplication::restoreOverrideCursor();
  if (window_) window_->setEnabled(wasEnabled_);
}

void KvBusyGuard::SetMessage(const QString& message, const QString& info) {
  if (indicator_) indicator_->UpdateWait(message, info);
}

}  // namespace kui
