// StyleKeeper: the style editor.
#include <QApplication>

#include <cstdlib>
#include <ctime>

#include "DMBRulesF.h"
#include "DataModF.h"
#include "KvApplication.h"
#include "QuickAddForm.h"
#include "RatioQtyForm.h"
#include "SeasonsForm.h"
#include "StyleKeeperForm.h"

int main(int argc, char** argv) {
  TDMDB::PreloadServerClientEarly();
  KvApplication app(argc, argv);
  app.setApplicationName("StyleKeeper");
  return KvRunApplication([&] {
    TDMDB dataModule;
    TDMBRules rules;
    TForm1 mainForm;
    if (mainForm.TerminateRequested()) return 0;
    // The kept dialogs of the searches, ratio and quick-add come here,
    // created once for the run, as their units arrive.
    new TFormSeasons(&mainForm);  // owned by the main window
    new TFormRatioQty(&mainForm);
    TFormQuickAdd::Kept(&mainForm);
    // New colours get a random display colour.
    std::srand(static_cast<unsigned>(std::time(nullptr)));
    mainForm.ShowWindow();
    return QApplication::exec();
  });
}
