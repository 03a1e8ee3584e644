#include "KvApplication.h"

#include "DataModF.h"
#include "KvShownProbe.h"

int KvRunApplication(const std::function<int()>& body) {
  KvInstallShownProbe();
  try {
    return body();
  } catch (const std::exception& e) {
    KvApplication::ShowErrorBox(TDMDB::ExceptionMessage(e));
  } catch (...) {
    KvApplication::ShowErrorBox(QStringLiteral("Unknown exception"));
  }
  return 1;
}
