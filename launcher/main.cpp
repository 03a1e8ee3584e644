// menuhost: the launcher of the back office. It logs the fixed staff user in,
// hands the user over to the other programs and starts them from its menu.
#include "DMBRulesF.h"
#include "DataModF.h"
#include "ModalSeam.h"
#include "TestForm.h"

#include <QApplication>
#include <QMessageBox>

namespace {

// What the application object does with an exception nobody caught.
void ShowException(const QString& text) {
  QMessageBox box(QMessageBox::Critical, TMainForm::kApplicationTitle, text, QMessageBox::Ok);
  kui::ModalSeam::Exec(box);
}

}  // namespace

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  QApplication::setApplicationDisplayName(TMainForm::kApplicationTitle);
  try {
    TDMDB dataModule;
    TDMBRules businessRules;
    TMainForm mainForm;
    // Start-up found no settings or no database: the run ends here.
    if (mainForm.Terminating()) return 1;
    mainForm.ShowWindow();
    return app.exec();
  } catch (const std::exception& e) {
    ShowException(TDMDB::ExceptionMessage(e));
  } catch (...) {
    ShowException(QStringLiteral("Unknown exception"));
  }
  return 1;
}
