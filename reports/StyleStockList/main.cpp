// StyleStockList: the styles listing stock report.
#include "DMBRulesF.h"
#include "DataModF.h"
#include "KvApplication.h"
#include "StylesListForm.h"
#include "StylesListReportsForm.h"

#include <QApplication>

int main(int argc, char** argv) {
  KvApplication app(argc, argv);
  app.setApplicationName("StyleStockList");
  return KvRunApplication([&] {
    TDMDB dataModule;
    TDMBRules businessRules;
    TForm1 mainForm;
    // The picker lives for the whole run, so its list and ticks stay between runs.
    new TFormStylesList(&mainForm);
    mainForm.ShowWindow();
    return QApplication::exec();
  });
}
