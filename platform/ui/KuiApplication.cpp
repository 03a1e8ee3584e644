#include "KuiApplication.h"

#include <QFont>
#include <QMessageBox>
#include <QPointer>
#include <QWidget>

#include <dlfcn.h>

#include <system_error>
#include <thread>

#include "KuiGuard.h"
#include "KvBusyGuard.h"
#include "ModalSeam.h"
#include "StartTrace.h"

namespace kui {
namespace {

// The system's font configuration, read on a thread of its own while the
// application object starts. Qt reads it through fontconfig, which the GUI
// library has loaded already; a second reader at the same time would read it
// once more, so the application waits for this one before any window
// measures text.
std::thread& FontConfigReader() {
  static std::thread reader;
  return reader;
}

KvApplication::ShowError& Show() {
  static KvApplication::ShowError show;
  return show;
}

KvApplication::Watcher& Watch() {
  static KvApplication::Watcher watcher;
  return watcher;
}

QWidget* WidgetOf(QObject* o) {
  for (; o; o = o->parent())
    if (o->isWidgetType()) return static_cast<QWidget*>(o);
  return nullptr;
}

// "TForm1/SpButSave": the class of the window and the name (else the class)
// of the object the event was for.
QString Describe(QObject* receiver) {
  if (!receiver) return QStringLiteral("?");
  const QString own = receiver->objectName().isEmpty()
                          ? QString::fromLatin1(receiver->metaObject()->className())
                          : receiver->objectName();
  QWidget* w = WidgetOf(receiver);
  if (!w || w->window() == receiver) return own;
  return QString::fromLatin1(w->window()->metaObject()->className()) + "/" + own;
}

}  // namespace

int& KvApplication::ReadFontConfigFirst(int& argc) {
  using Init = int (*)();
  const auto init = reinterpret_cast<Init>(dlsym(RTLD_DEFAULT, "FcInit"));
  if (init && !FontConfigReader().joinable()) {
    try {
      FontConfigReader() = std::thread([init] {
        kos::TraceStep("font configuration begun");
        init();
        kos::TraceStep("font configuration read");
      });
    } catch (const std::system_error&) {
      // No thread: Qt reads it when it needs it.
    }
  }
  return argc;
}

KvApplication::KvApplication(int& argc, char** argv, FontConfigWait wait)
    : QApplication(ReadFontConfigFirst(argc), argv) {
  QFont f = QApplication::font();
  f.setStyleStrategy(static_cast<QFont::StyleStrategy>(f.styleStrategy() | QFont::PreferNoShaping));
  QApplication::setFont(f);
  if (wait == FontConfigWait::InConstructor) AwaitFontConfig();
}

KvApplication::~KvApplication() { AwaitFontConfig(); }

void KvApplication::AwaitFontConfig() {
  if (!FontConfigReader().joinable()) return;
  kos::TraceStep("font configuration awaited");
  FontConfigReader().join();
  kos::TraceStep("font configuration joined");
}

void KvApplication::SetShowError(ShowError show) { Show() = std::move(show); }
void KvApplication::SetWatcher(Watcher watcher) { Watch() = std::move(watcher); }

void KvApplication::ShowErrorBox(const QString& message) {
  QMessageBox box(QMessageBox::Critical, QGuiApplication::applicationDisplayName(), message,
                  QMessageBox::Ok);
  box.setObjectName("EscapedErrorBox");
  ModalSeam::Exec(box);
}

bool KvApplication::notify(QObject* receiver, QEvent* event) {
  // The outermost delivery starts clean: a name left by an exception that
  // someone caught after all must not label a later one.
  if (depth_ == 0) ForgetEscapedHandlerName();
  const QPointer<QObject> target(receiver);
  ++depth_;
  try {
    const bool done = QApplication::notify(receiver, event);
    --depth_;
    return done;
  } catch (...) {
    --depth_;
    QString where = TakeEscapedHandlerName();
    if (where.isEmpty()) where = "KvApplication::notify (" + Describe(target) + ")";
    const QString what = CurrentExceptionText();
    try {
      ReportError(where, what);
      // Guards that were running have restored their windows while the
      // exception passed; with none left, nothing may stay disabled.
      if (KvBusyGuard::ActiveCount() == 0) {
        if (QWidget* w = WidgetOf(target)) w->window()->setEnabled(true);
        while (overrideCursor()) restoreOverrideCursor();
      }
      if (!Watch() || Watch()(where, what)) {
        if (Show()) Show()(what);
        else ShowErrorBox(what);
      }
    } catch (...) {
      // Showing the failure failed too: it is logged, the program goes on.
    }
    return false;
  }
}

}  // namespace kui
