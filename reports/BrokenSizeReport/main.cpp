// BrokenSizeReport: the broken styles report.
#include "BrokenStyleFrom.h"
#include "DataModF.h"
#include "KvApplication.h"

#include <QApplication>

int main(int argc, char** argv) {
  KvApplication app(argc, argv);
  app.setApplicationName("BrokenSizeReport");
  return KvRunApplication([&] {
    TDMDB dataModule;
    TMainForm mainForm;  // the picker and the print form are made per use
    mainForm.ShowWindow();
    return QApplication::exec();
  });
}
