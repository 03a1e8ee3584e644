#include "KuiGuard.h"

#include <QtGlobal>

#include <exception>

namespace kui {
namespace {
ErrorReporter& Reporter() {
  static ErrorReporter r;
  return r;
}
// One user-interface thread: the name of the handler an exception left last.
QString& EscapedName() {
  static QString name;
  return name;
}
}  // namespace

void SetErrorReporter(ErrorReporter reporter) { Reporter() = std::move(reporter); }

QString CurrentExceptionText() {
  try {
    throw;
  } catch (const std::exception& e) {
    return QString::fromLocal8Bit(e.what());
  } catch (...) {
  }
  return QStringLiteral("unknown exception");
}

void ReportError(const QString& where, const QString& what) {
  if (Reporter()) {
    try {
      Reporter()(where, what);
      return;
    } catch (...) {
      // a failing reporter must not take the event loop down
    }
  }
  qCritical("%s: %s", qUtf8Printable(where), qUtf8Printable(what));
}

void ReportCurrentException(const QString& where) {
  // Caught here, so no handler name is left for the application's net.
  ForgetEscapedHandlerName();
  ReportError(where, CurrentExceptionText());
}

HandlerName::~HandlerName() {
  if (std::uncaught_exceptions() > uncaught_ && EscapedName().isEmpty()) EscapedName() = where_;
}

QString TakeEscapedHandlerName() { return std::exchange(EscapedName(), QString()); }

void ForgetEscapedHandlerName() { EscapedName().clear(); }

}  // namespace kui
