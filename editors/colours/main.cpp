// colours: the colours editor.
#include <QApplication>

#include "DMBRulesF.h"
#include "DataModF.h"
#include "KvApplication.h"
#include "ColoursForm.h"

int main(int argc, char** argv) {
  KvApplication app(argc, argv);
  app.setApplicationName("colours");
  return KvRunApplication([&] {
    TDMDB dataModule;
    TDMBRules rules;
    TForm1 mainForm;
    mainForm.ShowWindow();
    return QApplication::exec();
  });
}
