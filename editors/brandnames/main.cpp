// brandnames: the brand-label editor.
#include <QApplication>

#include "DataModF.h"
#include "KvApplication.h"
#include "BrandNamesForm.h"

int main(int argc, char** argv) {
  KvApplication app(argc, argv);
  app.setApplicationName("brandnames");
  return KvRunApplication([&] {
    TDMDB dataModule;
    TForm1 mainForm;
    mainForm.ShowWindow();
    return QApplication::exec();
  });
}
