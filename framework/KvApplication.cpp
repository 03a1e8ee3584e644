#include "KvApplication.h"

#include <QGuiApplication>
#include <QMessageBox>

#include "DataModF.h"
#include "KvShownProbe.h"
#include "ModalSeam.h"

namespace {

void ShowUncaught(const QString& text) {
  QMessageBox box(QMessageBox::Critical, QGuiApplication::applicationDisplayName(), text,
                  QMessageBox::Ok);
  kui::ModalSeam::Exec(box);
}

}  // namespace

int KvRunApplication(const std::function<int()>& body) {
  KvInstallShownProbe();
  try {
    return body();
  } catch (const std::exception& e) {
    ShowUncaught(TDMDB::ExceptionMessage(e));
  } catch (...) {
    ShowUncaught(QStringLiteral("Unknown exception"));
  }
  return 1;
}
