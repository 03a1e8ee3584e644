// RootStockReport: the style-and-colour stock listing, the stock of every
// root PLU of the chosen values of one product attribute, with averages and
// totals.
#include "DMBRulesF.h"
#include "DataModF.h"
#include "KvApplication.h"
#include "RootPLUItemStockRepForm.h"

#include <QApplication>

int main(int argc, char** argv) {
  KvApplication app(argc, argv);
  app.setApplicationName("RootStockReport");
  QApplication::setApplicationDisplayName(TMainForm::kTitle);
  return KvRunApplication([&] {
    TDMDB dataModule;
    TDMBRules businessRules;
    TMainForm mainForm;
    mainForm.ShowWindow();
    return QApplication::exec();
  });
}
