#include "ControlEventsClass.h"

#include <QEvent>
#include <QFocusEvent>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QWidget>

#include "KvKeys.h"

namespace {

constexpr char kObjectName[] = "TControlEventsClass";

// A focus move of the person inside the window, not a window coming back
// to the front or a drop-down list closing.
bool MoveInsideWindow(const QEvent* event) {
  const auto reason = static_cast<const QFocusEvent*>(event)->reason();
  return reason != Qt::ActiveWindowFocusReason && reason != Qt::PopupFocusReason;
}

}  // namespace

TControlEventsClass::TControlEventsClass(QWidget* control) : QObject(control) {
  setObjectName(kObjectName);
  control->installEventFilter(this);
}

TControlEventsClass& TControlEventsClass::Of(QWidget* control) {
  if (auto* existing = control->findChild<TControlEventsClass*>(kObjectName, Qt::FindDirectChildrenOnly))
    return *existing;
  return *new TControlEventsClass(control);
}

bool TControlEventsClass::eventFilter(QObject*, QEvent* event) {
  switch (event->type()) {
    case QEvent::FocusIn:
      if (OnEnter && MoveInsideWindow(event)) OnEnter();
      return false;
    case QEvent::FocusOut:
      if (OnExit && MoveInsideWindow(event)) OnExit();
      return false;
    case QEvent::KeyPress: {
      const auto* key = static_cast<QKeyEvent*>(event);
      const int code = key->key();
      // The editing keys edit the box whatever its filter says (X11 sends
      // Delete with the character 0x7F).
      if (!OnKeyPress || key->text().isEmpty() || code == Qt::Key_Tab || code == Qt::Key_Backtab ||
          code == Qt::Key_Escape || kui::IsEditingKey(*key))
        return false;
      QChar ch = key->text().at(0);
      OnKeyPress(ch);
      return ch.isNull();
    }
    case QEvent::MouseButtonRelease:
      if (OnClick && static_cast<QMouseEvent*>(event)->button() == Qt::LeftButton) OnClick();
      return false;
    case QEvent::MouseButtonDblClick:
      if (OnDblClick) OnDblClick();
      return false;
    default:
      return false;
  }
}
