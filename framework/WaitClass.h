#pragma once
// Holder of an operation's wait window. Keep one on the stack of a long
// operation: the window closes when the operation calls Close or leaves the
// scope, by an exception too.
//
// The program has one wait window, made on first use and kept (hidden)
// between operations, so that showing it costs no window of its own. The
// holders of operations that run inside one another share it: the innermost
// holder's texts show, and when it closes the window shows its caller's texts
// again; it hides when the last holder closes.
#include <QString>

#include "KvBusyGuard.h"

class TFormLoading;

class TWaitClass : public kui::KvWaitIndicator {
 public:
  TWaitClass() = default;
  ~TWaitClass() override;
  TWaitClass(const TWaitClass&) = delete;
  TWaitClass& operator=(const TWaitClass&) = delete;

  // Shows the window (or, when this holder shows it already, changes its
  // texts). Never throws: the operation goes on without a window when it
  // cannot be shown.
  void Show(const QString& message, const QString& info = QString());
  void Close();

  // As the busy guard of platform/ui sees a wait window.
  void ShowWait(const QString& message, const QString& info) override { Show(message, info); }
  void CloseWait() override { Close(); }

  // The program's wait window while this holder shows it, else none.
  TFormLoading* Form = nullptr;

  // Frees the program's wait window when no holder shows it (at the end of
  // the run; the next Show makes a new one).
  static void FreeWindow();
};
