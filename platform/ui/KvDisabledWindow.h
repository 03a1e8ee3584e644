#pragma once
// KvDisabledWindow: a window disabled while its handler works, as it was
// afterwards, by return or by exception alike.
//
//   {
//     kui::KvDisabledWindow disabled(this);   // clicks and keys wait
//     ...                                     // may throw
//   }                                         // enabled again, focus back
//
// A disabled window loses its focus; the widget that had it gets it back as
// a window made active again does (a box is not entered anew, so its enter
// handler does not run twice). A window that was disabled before stays so.
#include <QPointer>
#include <QWidget>

namespace kui {

class KvDisabledWindow {
 public:
  explicit KvDisabledWindow(QWidget* window);
  ~KvDisabledWindow();
  KvDisabledWindow(const KvDisabledWindow&) = delete;
  KvDisabledWindow& operator=(const KvDisabledWindow&) = delete;

 private:
  QPointer<QWidget> window_;
  QPointer<QWidget> focus_;
  bool wasEnabled_ = true;
};

}  // namespace kui
