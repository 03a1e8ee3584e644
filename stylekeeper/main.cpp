// StyleKeeper: the style editor.
#include <QApplication>

#include <cstdlib>
#include <ctime>

#include "DMBRulesF.h"
#include "DataModF.h"
#include "KvApplication.h"
#include "StartTrace.h"
#include "StyleKeeperForm.h"

int main(int argc, char** argv) {
  kos::TraceStep("main");
  TDMDB::ConnectAheadEarly();
  // The data start-up needs no text: it goes on while the font
  // configuration is read (TForm1 waits for it before building the window).
  KvApplication app(argc, argv, KvApplication::FontConfigWait::BeforeFirstWindow);
  app.setApplicationName("StyleKeeper");
  kos::TraceStep("application made");
  return KvRunApplication([&] {
    TDMDB dataModule;
    kos::TraceStep("data module made");
    TDMBRules rules;
    kos::TraceStep("rules made");
    TForm1 mainForm;
    if (mainForm.TerminateRequested()) return 0;
    // The kept dialogs (seasons, ratio, quick-add) are made on their first
    // use and kept for the run, owned by the main window.
    // New colours get a random display colour.
    std::srand(static_cast<unsigned>(std::time(nullptr)));
    kos::TraceStep("window built");
    mainForm.ShowWindow();
    return QApplication::exec();
  });
}
