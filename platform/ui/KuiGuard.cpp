#include "KuiGuard.h"

#include <QtGlobal>

#include <exception>

namespace kui {
namespace {
ErrorReporter& Reporter() {
  static ErrorReporter r;
  return r;
}
}  // namespace

void SetErrorReporter(ErrorReporter reporter) { Reporter() = std::move(reporter); }

void ReportCurrentException(const QString& where) {
  QString what = "unknown exception";
  try {
    throw;
  } catch (const std::exception& e) {
    what = QString::fromLocal8Bit(e.what());
  } catch (...) {
  }
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

}  // namespace kui
