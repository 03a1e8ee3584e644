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
// qualified names: this is the net under them, not a replacement. Under both
// lies the application object's net (KuiApplication.h), which catches what
// escapes any handler; a handler tells it its name with HandlerName, or is
// connected through Named:
//
//   connect(button, &QToolButton::clicked, this,
//           kui::Named("TForm1::SpButSaveClick", [this] { SpButSaveClick(); }));
#include <QString>

#include <exception>
#include <functional>
#include <type_traits>
#include <utility>

namespace kui {

using ErrorReporter = std::function<void(const QString& where, const QString& what)>;

void SetErrorReporter(ErrorReporter reporter);

// The message of the exception being handled (call inside a catch block).
QString CurrentExceptionText();

// Hands where and what to the reporter (qCritical without one); never throws.
void ReportError(const QString& where, const QString& what);

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

// Names the event handler running in its scope. When an exception leaves the
// scope, the name is kept for the application's net, which logs the failure
// under it; the innermost named scope the exception leaves wins.
class HandlerName {
 public:
  explicit HandlerName(QString where)
      : where_(std::move(where)), uncaught_(std::uncaught_exceptions()) {}
  ~HandlerName();
  HandlerName(const HandlerName&) = delete;
  HandlerName& operator=(const HandlerName&) = delete;

 private:
  QString where_;
  int uncaught_;
};

// The name of the handler the last escaping exception left, emptied by the
// call; "" when no named handler saw it.
QString TakeEscapedHandlerName();
// Forgets such a name (an exception that was caught after all).
void ForgetEscapedHandlerName();

// The handler f, run inside a HandlerName scope of `where`: for connect.
// f takes the signal's arguments, or none.
template <class F>
auto Named(QString where, F f) {
  return [where = std::move(where), f = std::move(f)](auto&&... args) {
    const HandlerName scope(where);
    if constexpr (std::is_invocable_v<const F&, decltype(args)...>)
      f(std::forward<decltype(args)>(args)...);
    else
      f();
  };
}

}  // namespace kui
