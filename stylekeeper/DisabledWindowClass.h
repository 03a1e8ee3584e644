#pragma once
// The window disabled while a handler works: disabled for a scope, enabled
// again on every way out (return or exception), with the focus given back
// where it was. A disabled window loses its focus, and a root PLU typed and
// loaded with Enter should leave the box ready for the next one.
//
//   { SkDisabledWindow disabled(this); ... }
//
// The suite's shared busy helper is on its way to platform/ui; when it
// lands, SkDisabledWindow below becomes that class and this unit goes.
#include <QPointer>
#include <QWidget>

class TDisabledWindowClass {
 public:
  explicit TDisabledWindowClass(QWidget* window);
  ~TDisabledWindowClass();
  TDisabledWindowClass(const TDisabledWindowClass&) = delete;
  TDisabledWindowClass& operator=(const TDisabledWindowClass&) = delete;

 private:
  QPointer<QWidget> window_;
  QPointer<QWidget> focus_;
};

// The one name the style editor uses for it.
using SkDisabledWindow = TDisabledWindowClass;
