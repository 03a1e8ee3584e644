// ValuationReport: the stock evaluation, the value of the stock held in the
// branches by branch and by one product attribute.
#include "DataModF.h"
#include "KvApplication.h"
#include "StockEvaluationForm.h"

#include <QApplication>

int main(int argc, char** argv) {
  KvApplication app(argc, argv);
  app.setApplicationName("ValuationReport");
  QApplication::setApplicationDisplayName(TMainForm::kTitle);
  return KvRunApplication([&] {
    TDMDB dataModule;
    TMainForm mainForm;  // with its advanced search dialog, kept for the run
    mainForm.ShowWindow();
    return QApplication::exec();
  });
}
