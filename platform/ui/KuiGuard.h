#pragma once
// No exception may leave a Qt event handler. The window classes of this
// folder call their hooks (grid events and the like) through Guarded, which
// catches whatever a hook throws and hands it to the reporter. The framework
// sets the reporter once at start so such failures reach the daily log;
// without one they go to qCritical.
//
//   kui::SetErrorReporter([](const QString& where, const QString& what) { ... });
//   kui::Guarded("TForm1::GridClick", [&] { ... });   // returns false if it threw
//
// Handlers should still catch and report their own failures with their own
// qualified names: this is the net under them, not a replacement.
#include <QString>

#include <functional>

namespace kui {

using ErrorReporter = std::function<void(const QString& where, const QString& what)>;

void SetErrorReporter(ErrorReporter reporter);

// Reports the exception being handled (call inside a catch block).
void ReportCurrentException(const QString& where);

template <class F>
bool Guarded(const QString& where, F&& f) {
  try {
    f();
    return true;
  } catch (...) {
    ReportCurrentException(where);
    return false;
  }
}

}  // namespace kui
