// suppliers: the suppliers editor.
#include <QApplication>

#include "DataModF.h"
#include "KvApplication.h"
#include "SuppliersForm.h"

int main(int argc, char** argv) {
  KvApplication app(argc, argv);
  app.setApplicationName("suppliers");
  return KvRunApplication([&] {
    TDMDB dataModule;
    TForm1 mainForm;
    mainForm.ShowWindow();
    return QApplication::exec();
  });
}
