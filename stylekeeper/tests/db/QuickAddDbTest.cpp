// The "+" quick-add of list entries on both engines: the entry written from
// its name alone, selected in Add mode while Edit keeps the style's own
// choices; the new season made everybody's default; empty and existing names
// refused (also when another user adds the name while the dialog saves); a
// save that cannot write told as such; the colour asked again for a name that
// exists, and added with a random display colour.
#include "StyleKeeperDbFixture.h"

#include <QLabel>
#include <QPushButton>
#include <QThread>
#include <QToolButton>

#include <cstdlib>
#include <thread>

#include "KvTransaction.h"
#include "PickList.h"
#include "QuickAddForm.h"

namespace {

using kvtest::Engine;

class QuickAddDbTest : public sktest::StyleKeeperDbFixture {
 protected:
  int dialogs = 0;  // quick-add dialogs shown

  // Answers the quick-add dialogs with these names in turn (OK each time).
  void Answer(const QStringList& names) {
    onDialog = [this, names](QDialog& d) {
      auto* quickAdd = qobject_cast<TFormQuickAdd*>(&d);
      if (!quickAdd) return d.reject();
      if (dialogs == 0) kvtest::SaveScreenshot(&d, "StyleKeeperQuickAdd");
      quickAdd->EditDesc->setText(names.value(dialogs++));
      quickAdd->BitBtnOK->click();
    };
  }

  QStringList Names(const QString& type) {
    return Column("SELECT NAME FROM PARAMETERS WHERE TYPE = '" + type + "' ORDER BY ID");
  }
  QString IdOf(const QString& type, const QString& name) {
    return Column("SELECT ID FROM PARAMETERS WHERE TYPE = '" + type + "' AND NAME = '" + name + "'").value(0);
  }
};

TEST_P(QuickAddDbTest, AnEntryIsSelectedInAddWhileEditKeepsTheStylesOwn) {
  TForm1& f = Start({"", "00000042"});
  f.SpButEditClick();
  Answer({"  new threads  "});
  f.SpButAddSupplier->click();
  // Saved trimmed, in capitals, with nothing but its name and list.
  const QString id = IdOf("SUPPLIER", "NEW THREADS");
  ASSERT_FALSE(id.isEmpty());
  EXPECT_EQ(f.QuickAddID, id);
  EXPECT_EQ(f.QuickAddName, "NEW THREADS");
  EXPECT_EQ(Column("SELECT RATE, VALUE, PARENT_ID FROM PARAMETERS WHERE ID = " + id).value(0).toDouble(), 0.0);
  EXPECT_TRUE(Column("SELECT PARENT_ID FROM PARAMETERS WHERE ID = " + id).value(0).isEmpty());
  EXPECT_NE(kui::IndexOfPickValue(f.ComboBoxSuppliers, id), -1);
  EXPECT_EQ(kui::SelectedPickName(f.ComboBoxSuppliers), "SOLENT DENIM");

  f.SpButCancelClick();
  f.SpButAddClick();
  dialogs = 0;
  Answer({"ZED KNITS"});
  f.SpButAddSupplier->click();
  EXPECT_EQ(kui::SelectedPickName(f.ComboBoxSuppliers), "ZED KNITS");
  EXPECT_TRUE(ShownTexts().isEmpty()) << ShownTexts().join("|").toStdString();
}

TEST_P(QuickAddDbTest, ADepartmentNeedsACategoryAndEditKeepsTheSubDepartment) {
  TForm1& f = Start();
  Answer({"DENIM JACKETS"});
  f.SpButAddDept->click();
  EXPECT_EQ(ShownTexts(), QStringList{"Please select a category first."});
  EXPECT_EQ(dialogs, 0);
  ClearShownTexts();
  f.SpButAddSubDept->click();
  EXPECT_EQ(ShownTexts(), QStringList{"Please select a department first."});

  f.RootPLUToOpen = "00000042";
  f.FormShow();
  f.SpButEditClick();
  f.SpButAddDept->click();
  ASSERT_EQ(dialogs, 1);
  EXPECT_EQ(Column("SELECT PARENT_NAME FROM PARAMETERS WHERE TYPE = 'DEPARTMENT' AND NAME = 'DENIM JACKETS'"),
            QStringList{"MENSWEAR"});
  EXPECT_EQ(Column("SELECT PARENT_ID FROM PARAMETERS WHERE TYPE = 'DEPARTMENT' AND NAME = 'DENIM JACKETS'"),
            QStringList{IdOf("CATEGORY", "MENSWEAR")});
  // The department list was read again; the style's department and
  // sub-department are still chosen, so a save keeps them.
  EXPECT_NE(TForm1::IndexOfName(f.ComboBoxDepartments, "DENIM JACKETS"), -1);
  EXPECT_EQ(kui::SelectedPickName(f.ComboBoxDepartments), "JEANS");
  EXPECT_EQ(kui::SelectedPickName(f.ComboBoxProductGroups), "SLIM FIT");
}

TEST_P(QuickAddDbTest, ANewSeasonBecomesEverybodysDefault) {
  TForm1& f = Start();
  Answer({"WINTER 2026"});
  f.SpButAddSeason->click();
  // Season names hold eight characters in this dialog.
  const QString id = IdOf("SEASON", "WINTER 2");
  ASSERT_FALSE(id.isEmpty());
  EXPECT_EQ(Column("SELECT DISTINCT PARENT_ID FROM PARAMETERS WHERE TYPE = 'SEASON'"), QStringList{id});
  EXPECT_EQ(kui::PickNameAt(f.ComboBoxSeasons, f.DefaultSeasonIndex), "WINTER 2");
}

TEST_P(QuickAddDbTest, EmptyAndExistingNamesAreRefused) {
  TForm1& f = Start();
  const QStringList before = Names("BRANDLABEL");
  Answer({"TESSARIN", "   "});
  f.SpButAddBrand->click();
  f.SpButAddBrand->click();
  EXPECT_EQ(ShownTexts(), (QStringList{"Name already exists, please enter a unique name.", "Please enter a name."}));
  EXPECT_EQ(Names("BRANDLABEL"), before);
  EXPECT_TRUE(f.QuickAddName.isEmpty());
}

TEST_P(QuickAddDbTest, TwoPeopleAddingOneNameAtOnceMakeOneEntry) {
  TForm1& f = Start();
  // Another user's program is adding the same category: its row is written
  // but not committed when this dialog checks the name, and committed while
  // this save waits for the list.
  kvtest::DbHandle other = Connect();
  other.db->StartTransaction();
  other.db->Execute("INSERT INTO PARAMETERS (NAME, TYPE, RATE) VALUES ('OUTERWEAR', 'CATEGORY', 0)");
  std::thread commit([&other] {
    QThread::msleep(700);
    other.db->Commit();
  });
  Answer({"OUTERWEAR"});
  f.SpButAddCat->click();
  commit.join();
  EXPECT_EQ(ShownTexts(), QStringList{"Name already exists, please enter a unique name."});
  EXPECT_EQ(Column("SELECT COUNT(*) FROM PARAMETERS WHERE TYPE = 'CATEGORY' AND NAME = 'OUTERWEAR'"),
            QStringList{"1"});
  EXPECT_TRUE(f.QuickAddName.isEmpty());
}

// Another program holds the list's table lock for longer than a save may wait
// for it: neither quick-add writes or claims a new entry, and once the other
// program is done the same name saves.
TEST_P(QuickAddDbTest, AQuickAddThatCannotSaveSaysSoAndAddsNothing) {
  TForm1& f = Start({"", "00000042"});
  DMDB->DBSessionRemote->TableLockWaitTime = 300;  // instead of ten seconds
  const QString rows = Column("SELECT COUNT(*) FROM PARAMETERS").value(0);
  const int colours = f.ComboBoxColours->count();
  kvtest::DbHandle other = Connect();
  auto held = std::make_unique<kdb::Transaction>(*other.db, kdb::Transaction::Partial, kdb::TableLock{"PARAMETERS"});

  bool leftOpen = false;
  QString kept;
  onDialog = [&](QDialog& d) {
    auto* dialog = qobject_cast<TFormQuickAdd*>(&d);
    ASSERT_NE(dialog, nullptr);
    ++dialogs;
    dialog->EditDesc->setText(dialog->Label1->text() == "Colour:" ? "SEA GREEN" : "NEW THREADS");
    dialog->BitBtnOK->click();
    leftOpen = dialog->isVisible();
    kept = dialog->EditDesc->text();
  };
  f.SpButAddSupplier->click();
  ASSERT_EQ(ShownTexts().size(), 1);
  EXPECT_TRUE(ShownTexts()[0].startsWith("The new entry was not saved.\n\n")) << ShownTexts()[0].toStdString();
  // The dialog stays open with the name as typed, for another try or Cancel.
  EXPECT_TRUE(leftOpen);
  EXPECT_EQ(kept, "NEW THREADS");
  EXPECT_TRUE(f.QuickAddName.isEmpty());
  EXPECT_TRUE(f.QuickAddID.isEmpty());
  EXPECT_EQ(TForm1::IndexOfName(f.ComboBoxSuppliers, "NEW THREADS"), -1);
  EXPECT_EQ(kui::SelectedPickName(f.ComboBoxSuppliers), "SOLENT DENIM");
  EXPECT_TRUE(LogText().contains("TFormQuickAdd::SaveEntry"));
  EXPECT_TRUE(f.isEnabled());

  // The colour is written by the window, not the dialog: its own message.
  ClearShownTexts();
  f.SpButAddColour->click();
  ASSERT_EQ(ShownTexts().size(), 1);
  EXPECT_TRUE(ShownTexts()[0].startsWith("The new colour was not saved.\n\n")) << ShownTexts()[0].toStdString();
  EXPECT_EQ(dialogs, 2);  // not asked again
  EXPECT_EQ(f.ComboBoxColours->count(), colours);
  EXPECT_EQ(kui::SelectedPickName(f.ComboBoxColours), "DENIM");
  EXPECT_TRUE(LogText().contains("TForm1::SpButAddColourClick"));
  EXPECT_TRUE(f.isEnabled());
  EXPECT_EQ(Column("SELECT COUNT(*) FROM PARAMETERS").value(0), rows);
  EXPECT_FALSE(DMDB->DBDatabaseRemote->InTransaction());

  held.reset();  // the other program undoes its work
  ClearShownTexts();
  f.SpButAddSupplier->click();
  EXPECT_TRUE(ShownTexts().isEmpty()) << ShownTexts().join("|").toStdString();
  EXPECT_FALSE(IdOf("SUPPLIER", "NEW THREADS").isEmpty());
  EXPECT_EQ(f.QuickAddName, "NEW THREADS");
}

TEST_P(QuickAddDbTest, AColourIsAskedAgainForAnExistingNameAndGetsARandomColour) {
  TForm1& f = Start({"", "00000042"});
  std::srand(2025);
  const int expected = std::rand() % 16777215;
  std::srand(2025);
  QString shownAgainWith;
  onDialog = [&](QDialog& d) {
    auto* dialog = qobject_cast<TFormQuickAdd*>(&d);
    ASSERT_NE(dialog, nullptr);
    EXPECT_EQ(dialog->Label1->text(), "Colour:");
    if (dialogs++ == 0) {
      dialog->EditDesc->setText("denim");
    } else {
      shownAgainWith = dialog->EditDesc->text();
      dialog->EditDesc->setText("SEA GREEN");
    }
    dialog->BitBtnOK->click();
  };
  f.SpButAddColour->click();
  EXPECT_EQ(dialogs, 2);
  EXPECT_EQ(shownAgainWith, "DENIM");
  EXPECT_EQ(ShownTexts(), QStringList{"There is already a colour with the same name!"});
  EXPECT_EQ(Column("SELECT RATE FROM PARAMETERS WHERE TYPE = 'COLOUR' AND NAME = 'SEA GREEN'").value(0).toDouble(),
            double(expected));
  EXPECT_EQ(f.ComboBoxColours->count(), 21);
  // Outside Add the style keeps its colour.
  EXPECT_EQ(kui::SelectedPickName(f.ComboBoxColours), "DENIM");
  EXPECT_EQ(FormQuickAdd, &TFormQuickAdd::Kept(&f));
}

KV_DB_ENGINES(QuickAddDbTest);

}  // namespace
