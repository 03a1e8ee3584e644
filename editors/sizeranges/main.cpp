// sizeranges: the size scales editor.
#include <QApplication>

#include "DataModF.h"
#include "KvApplication.h"
#include "SizeRangesForm.h"

int main(int argc, char** argv) {
  KvApplication app(argc, argv);
  app.setApplicationName("sizeranges");
  return KvRunApplication([&] {
    TDMDB dataModule;
    TForm1 mainForm;
    mainForm.ShowWindow();
    return QApplication::exec();
  });
}
