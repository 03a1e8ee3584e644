// StyleKeeper: the style editor.
#include <QApplication>

#include <memory>

#include "DMBRulesF.h"
#include "DataModF.h"
#include "SeasonsForm.h"
#include "StyleKeeperForm.h"

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  app.setApplicationName("StyleKeeper");
  std::unique_ptr<TDMDB> dataModule;
  std::unique_ptr<TDMBRules> rules;
  std::unique_ptr<TForm1> mainForm;
  try {
    dataModule = std::make_unique<TDMDB>();
    rules = std::make_unique<TDMBRules>();
    mainForm = std::make_unique<TForm1>();
    if (mainForm->TerminateRequested()) return 0;
    // The kept dialogs of the searches, ratio and quick-add come here,
    // created once for the run, as their units arrive.
    new TFormSeasons(mainForm.get());  // owned by the main window
    mainForm->ShowWindow();
    const int code = QApplication::exec();
    mainForm.reset();
    return code;
  } catch (const std::exception& e) {
    // The application's last word on a failure nothing else caught.
    if (DMDB) DMDB->MsgBox(TDMDB::ExceptionMessage(e), TDMDB::MB_ICONERROR);
    return 1;
  }
}
