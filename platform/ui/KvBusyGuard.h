#pragma once
// KvBusyGuard: while a long operation runs, its window is disabled, the wait
// cursor shows and a wait window tells what is going on; all three are undone
// when the guard goes out of scope, by return or by exception alike.
//
//   {
//     kui::KvBusyGuard busy(this, "Please wait...");       // default indicator
//     busy.SetMessage("Processing style: " + style);       // running text
//     ...                                                  // may throw
//   }                                                      // window enabled again
//
// The wait window itself belongs to the framework: it implements
// KvWaitIndicator and registers it once with SetDefaultIndicator (or passes
// one to a guard). Without an indicator the guard only disables and shows the
// wait cursor. When the wait window cannot be shown the constructor throws,
// with window and cursor already restored.
//
// Guards nest: an inner guard leaves the window as the outer one had it, and
// an inner guard on the same indicator leaves the wait window shown with the
// outer guard's text when it ends (only the outermost closes it).
#include <QString>
#include <QWidget>

#include <optional>

#include "KvDisabledWindow.h"

namespace kui {

// A wait window as the busy guard sees it.
class KvWaitIndicator {
 public:
  virtual ~KvWaitIndicator() = default;
  virtual void ShowWait(const QString& message, const QString& info) = 0;
  // A new running text while shown; by default shows again.
  virtual void UpdateWait(const QString& message, const QString& info) { ShowWait(message, info); }
  virtual void CloseWait() = 0;
};

class KvBusyGuard {
 public:
  // `window` may be nullptr (nothing to disable); `indicator` nullptr takes the default.
  KvBusyGuard(QWidget* window, const QString& message, const QString& info = QString(),
              KvWaitIndicator* indicator = nullptr);
  ~KvBusyGuard();
  KvBusyGuard(const KvBusyGuard&) = delete;
  KvBusyGuard& operator=(const KvBusyGuard&) = delete;

  void SetMessage(const QString& message, const QString& info = QString());

  static void SetDefaultIndicator(KvWaitIndicator* indicator);
  static KvWaitIndicator* DefaultIndicator();
  // How many guards are alive (0: no operation is running under a guard).
  static int ActiveCount();

 private:
  std::optional<KvDisabledWindow> disabled_;
  KvWaitIndicator* indicator_;
  QString message_;
  QString info_;
  void Leave();
};

}  // namespace kui
