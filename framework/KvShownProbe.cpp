#include "KvShownProbe.h"

#include <QApplication>
#include <QEvent>
#include <QTimer>
#include <QWindow>

#include <cstdio>

#include "KvMainWindow.h"
#include "StartTrace.h"

namespace {

class ShownProbe : public QObject {
 public:
  using QObject::QObject;
  bool eventFilter(QObject* o, QEvent* e) override {
    if (done_ || e->type() != QEvent::Expose) return false;
    auto* window = qobject_cast<QWindow*>(o);
    if (!window || !window->isExposed()) return false;
    for (QWidget* w : QApplication::topLevelWidgets()) {
      if (w->windowHandle() != window || !qobject_cast<kui::KvMainWindow*>(w)) continue;
      done_ = true;
      kos::TraceStep("shown");
      std::fputs("shown\n", stdout);
      std::fflush(stdout);
      // Queued, so it also ends a loop that has not started yet.
      QTimer::singleShot(0, qApp, &QCoreApplication::quit);
    }
    return false;
  }

 private:
  bool done_ = false;
};

}  // namespace

bool KvInstallShownProbe() {
  if (qEnvironmentVariableIsEmpty("KV_EXIT_WHEN_SHOWN") || !qApp) return false;
  qApp->installEventFilter(new ShownProbe(qApp));
  return true;
}
