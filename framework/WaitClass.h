#pragma once
// Holder of an operation's wait window. Keep one on the stack of a long
// operation: the window closes when the operation calls Close or leaves the
// scope, by an exception too.
#include <QString>

class TFormLoading;

class TWaitClass {
 public:
  TWaitClass() = default;
  ~TWaitClass();
  TWaitClass(const TWaitClass&) = delete;
  TWaitClass& operator=(const TWaitClass&) = delete;

  // Shows the window (or, when it shows already, changes its texts). Never
  // throws: the operation goes on without a window when it cannot be shown.
  void Show(const QString& message, const QString& info = QString());
  void Close();

  TFormLoading* Form = nullptr;
};
