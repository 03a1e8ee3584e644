// StyleHistory: the style history enquiry.
#include <QApplication>

#include "DataModF.h"
#include "KvApplication.h"
#include "StyleHistoryForm.h"

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  app.setApplicationName("StyleHistory");
  return KvRunApplication([&] {
    TDMDB dataModule;
    TFormStyleHistoryF mainForm;
    mainForm.ShowWindow();
    return QApplication::exec();
  });
}
