#pragma once
// Holder of an operation's wait window. Keep one on the stack of a long
// operation: the window closes when the operation calls Close or leaves the
// scope, by an exception too.
#include <QString>

#include "KvBusyGuard.h"

class TFormLoading;

class TWaitClass : public kui::KvWaitIndicator {
 public:
  TWaitClass() = default;
  ~TWaitClass() override;
  TWaitClass(const TWaitClass&) = delete;
  TWaitClass& operator=(const TWaitClass&) = delete;

  // Shows the window (or, when it shows already, changes its texts). Never
  // throws: the operation goes on without a window when it cannot be shown.
  void Show(const QString& message, const QString& info = QString());
  void Close();

  // As the busy guard of platform/ui sees a wait window.
  void ShowWait(const QString& message, const QString& info) override { Show(message, info); }
  void CloseWait() override { Close(); }

  TFormLoading* Form = nullptr;
};
