// menuhost: the launcher of the back office. It logs the fixed staff user in,
// hands the user over to the other programs and starts them from its menu.
#include "DMBRulesF.h"
#include "DataModF.h"
#include "KvApplication.h"
#include "TestForm.h"

#include <QApplication>

int main(int argc, char** argv) {
  // The database file opens on a thread while Qt starts.
  TDMDB::ConnectAheadEarly();
  // The start-up's data needs no text: it is read while the font
  // configuration is (TMainForm waits for it before building the window).
  KvApplication app(argc, argv, KvApplication::FontConfigWait::BeforeFirstWindow);
  QApplication::setApplicationDisplayName(TMainForm::kApplicationTitle);
  return KvRunApplication([&] {
    TDMDB dataModule;
    TDMBRules businessRules;
    TMainForm mainForm;
    // Start-up found no settings or no database: the run ends here.
    if (mainForm.Terminating()) return 1;
    mainForm.ShowWindow();
    return QApplication::exec();
  });
}
