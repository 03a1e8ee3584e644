#pragma once
// The events the class library gives every control (OnEnter, OnExit,
// OnKeyPress, OnClick, OnDblClick) for a Qt widget that has no signal for
// them. Each unit hooks the controls it owns, so no filter of the whole
// window routes events to handlers of other units.
//
//   auto& box = TControlEventsClass::Of(EditCostPrice);
//   box.OnExit = [this] { ... };
//   box.OnKeyPress = [this](QChar& key) { if (!Passes(key)) key = QChar(); };
//
// OnEnter and OnExit fire for focus moves inside the window only: coming
// back from another window (a dialog, a drop-down list) is neither. The
// hooks are called as they are: a handler that may throw guards itself.
#include <QChar>
#include <QObject>

#include <functional>

class QWidget;

class TControlEventsClass : public QObject {
  Q_OBJECT
 public:
  // The events of a control, made on first use; they live as long as it.
  static TControlEventsClass& Of(QWidget* control);

  std::function<void()> OnEnter;
  std::function<void()> OnExit;
  // A typed character (Enter as '\r'); set it to QChar() to drop it. Tab
  // and Esc never arrive (they move on and close), nor do the editing keys
  // (kui::IsEditingKey: Backspace, Delete ...), which always edit the box.
  std::function<void(QChar& key)> OnKeyPress;
  // A left button released over the control, and a double click.
  std::function<void()> OnClick;
  std::function<void()> OnDblClick;

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  explicit TControlEventsClass(QWidget* control);
};
