// categories: the categories editor.
#include <QApplication>

#include "DataModF.h"
#include "KvApplication.h"
#include "CategoriesForm.h"

int main(int argc, char** argv) {
  KvApplication app(argc, argv);
  app.setApplicationName("categories");
  return KvRunApplication([&] {
    TDMDB dataModule;
    TForm1 mainForm;
    mainForm.ShowWindow();
    return QApplication::exec();
  });
}
