// ItemStockReport: the product stock listing, the stock of every PLU of the
// chosen values of one product attribute, with totals.
#include "DMBRulesF.h"
#include "DataModF.h"
#include "KvApplication.h"
#include "RootPLUItemStockRepForm.h"

#include <QApplication>

int main(int argc, char** argv) {
  KvApplication app(argc, argv);
  app.setApplicationName("ItemStockReport");
  QApplication::setApplicationDisplayName(TMainForm::kTitle);
  return KvRunApplication([&] {
    TDMDB dataModule;
    TDMBRules businessRules;
    TMainForm mainForm;
    mainForm.ShowWindow();
    return QApplication::exec();
  });
}
