// departments: the departments editor.
#include <QApplication>

#include "DataModF.h"
#include "KvApplication.h"
#include "DepartmentsForm.h"

int main(int argc, char** argv) {
  KvApplication app(argc, argv);
  app.setApplicationName("departments");
  return KvRunApplication([&] {
    TDMDB dataModule;
    TForm1 mainForm;
    mainForm.ShowWindow();
    return QApplication::exec();
  });
}
