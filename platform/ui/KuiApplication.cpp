#include "KuiApplication.h"

#include <QMessageBox>
#include <QPointer>
#include <QWidget>

#include "KuiGuard.h"
#include "KvBusyGuard.h"
#include "ModalSeam.h"

namespace kui {
namespace {

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

KvApplication::KvApplication(int& argc, char** argv) : QApplication(argc, argv) {}

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
