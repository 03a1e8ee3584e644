// Saving styles through the style editor's window on both engines: new
// styles and their root PLUs and PLUs, edits, the checks before a save,
// cloning (also into another season), alternate colours, the numbering of
// two programs saving at once, and a save that fails half-way.
#include "StyleKeeperDbFixture.h"

#include <QImage>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QToolButton>

#include <chrono>
#include <future>
#include <map>
#include <set>
#include <thread>

#include "FormCheckListF.h"
#include "KuiColour.h"
#include "KvCheckListBox.h"
#include "KvEdit.h"
#include "KvStringGrid.h"
#include "PickList.h"
#include "SeasonsForm.h"

namespace {

using kdb::sql::Quote;
using kvtest::Engine;

class StyleSaveDbTest : public sktest::StyleKeeperDbFixture {
 protected:
  static void Pick(QComboBox* combo, const QString& name) {
    const int i = TForm1::IndexOfName(combo, name);
    ASSERT_GE(i, 0) << name.toStdString();
    combo->setCurrentIndex(i);
  }

  // Add with a new style (see sktest::FillNewStyle), wholesale 20.00.
  void FillNewStyle(TForm1& f, const QString& style, const QString& colour,
                    const QString& scale = "WAIST 30-40") {
    f.SpButAdd->click();
    ASSERT_EQ(f.Mode(), "Add");
    sktest::FillNewStyle(f, style, "TEST " + style, colour, scale, Pick);
    f.EditWSPrice->setText("20.00");
  }

  QString Scalar(const QString& sql) { return Column(sql).value(0); }

  // Another program takes the numbering lock and runs `write` in its open
  // transaction; then `meanwhile` runs in this window while the other
  // program keeps the lock for 400 ms before it commits. Returns what
  // `write` returned ("" when it failed, which fails the test).
  QString WhileAnotherProgramNumbers(const std::function<QString(kdb::Database&)>& write,
                                     const std::function<void()>& meanwhile) {
    kvtest::DbHandle other = Connect();
    std::promise<QString> written;
    std::future<QString> result = written.get_future();
    std::thread program([&] {
      kdb::Database& db = *other.db;
      bool told = false;
      try {
        db.StartTransaction();
        TForm1::LockProductsForNumbering(db);
        written.set_value(write(db));
        told = true;
        std::this_thread::sleep_for(std::chrono::milliseconds(400));
        db.Commit();
      } catch (...) {
        db.Rollback();
        if (!told) written.set_exception(std::current_exception());
      }
    });
    QString value;
    try {
      value = result.get();
    } catch (const kdb::DbError& e) {
      ADD_FAILURE() << e.Message().toStdString();
    }
    meanwhile();
    program.join();
    return value;
  }
  int Count(const QString& where) { return Scalar("SELECT COUNT(*) FROM PRODUCTS WHERE " + where).toInt(); }
  QString Id(const QString& type, const QString& name) {
    return Scalar("SELECT ID FROM PARAMETERS WHERE TYPE=" + Quote(type) + " AND NAME=" + Quote(name));
  }
};

// ----- new styles ------------------------------------------------------------------------

TEST_P(StyleSaveDbTest, ANewStyleGetsOneRowPerSizeNumberedByPosition) {
  sktest::AddScale(db(), "TRIO", {{"L", 7}, {"S", 0}, {"M", 5}});
  TForm1& f = Start();
  FillNewStyle(f, "TRIO01", "RED", "TRIO");
  f.SpButSave->click();
  EXPECT_TRUE(ShownTexts().isEmpty()) << ShownTexts().join("|").toStdString();

  // Six starter rows (IDs 1-6): the next root PLU is 7.
  const QString root = "00000007";
  EXPECT_EQ(Column("SELECT PLU FROM PRODUCTS WHERE STYLE='TRIO01' ORDER BY PLU"),
            (QStringList{root + "00", root + "01", root + "02"}));
  EXPECT_EQ(Column("SELECT SIZE_NAME FROM PRODUCTS WHERE STYLE='TRIO01' ORDER BY PLU"), (QStringList{"S", "M", "L"}));
  EXPECT_EQ(Column("SELECT SIZE_OFFSET FROM PRODUCTS WHERE STYLE='TRIO01' ORDER BY PLU"), (QStringList{"0", "1", "2"}));
  EXPECT_EQ(Count("ROOT_PLU=" + Quote(root)), 3);
  // One save time in both dates of every row.
  EXPECT_EQ(Scalar("SELECT COUNT(DISTINCT DATE_CREATED) FROM PRODUCTS WHERE STYLE='TRIO01'"), "1");
  EXPECT_EQ(Count("STYLE='TRIO01' AND DATE_CREATED = DATE_LASTDEL"), 3);
  EXPECT_EQ(Scalar("SELECT COLOUR_VALUE FROM PRODUCTS WHERE STYLE='TRIO01'"),
            QString::number(Scalar("SELECT RATE FROM PARAMETERS WHERE TYPE='COLOUR' AND NAME='RED'").toDouble()));
  EXPECT_EQ(Count("STYLE='TRIO01' AND COLOUR_NAME='RED' AND SUPPLIER_NAME='SOLENT DENIM' AND SEASON_NAME="
                  "'AUTUMN WINTER 2025' AND VAT_NAME='STANDARD' AND VAT_RATE=20 AND RETAIL_PRICE=30 AND "
                  "CURRENT_COST_PRICE=10 AND WHOLESALE_PRICE=20 AND ECOM_FLAG=false AND SIZESSCALE_NAME='TRIO' "
                  "AND SUPPLIER_ID=" + Id("SUPPLIER", "SOLENT DENIM")),
            3);
  // No sub-department: no id and no name, on both engines alike.
  EXPECT_EQ(Count("STYLE='TRIO01' AND SUBDEPARTMENT_ID IS NULL AND COALESCE(SUBDEPARTMENT_NAME, '') = ''"), 3);

  // The window shows the new style in View; the next new style keeps the supplier.
  EXPECT_EQ(f.Mode(), "View");
  EXPECT_EQ(f.LoadedRootPLU(), root);
  EXPECT_EQ(f.ComboBoxRootPLU->currentText(), root);
  EXPECT_TRUE(f.isEnabled());
  f.SpButAdd->click();
  EXPECT_EQ(kui::SelectedPickName(f.ComboBoxSuppliers), "SOLENT DENIM");
}

TEST_P(StyleSaveDbTest, AStyleThatHasTheColourAlreadyIsRefused) {
  TForm1& f = Start({"", "00000042"});
  Activate();
  FillNewStyle(f, "JEAN01", "BLACK");
  f.SpButSave->click();
  EXPECT_EQ(ShownTexts(), QStringList{"Style: JEAN01 already has Colour: BLACK\n\nPlease select another colour."});
  QApplication::processEvents();
  EXPECT_EQ(f.focusWidget(), f.ComboBoxColours);
  EXPECT_EQ(f.Mode(), "Add");
  EXPECT_EQ(Count("STYLE='JEAN01'"), 6);
}

TEST_P(StyleSaveDbTest, ValidationNamesTheFirstMissingFieldAndEmptyWholesaleIsZero) {
  TForm1& f = Start();
  FillNewStyle(f, "  VAL01 ", "RED");
  f.ComboBoxDepartments->setCurrentIndex(-1);
  f.SpButSave->click();
  EXPECT_EQ(ShownTexts(), QStringList{"Please select a department."});
  EXPECT_EQ(f.EditSupplierStyle->text(), "VAL01");  // trimmed in its box
  Pick(f.ComboBoxDepartments, "JEANS");
  f.EditWSPrice->setText(" ");
  ClearShownTexts();
  f.SpButSave->click();
  EXPECT_TRUE(ShownTexts().isEmpty()) << ShownTexts().join("|").toStdString();
  EXPECT_EQ(Count("STYLE='VAL01' AND WHOLESALE_PRICE=0"), 6);
}

TEST_P(StyleSaveDbTest, AScaleWithoutSizesSavesNothingAndSaysSo) {
  sktest::AddScale(db(), "EMPTY SCALE", {});
  TForm1& f = Start();
  FillNewStyle(f, "NOSIZE", "RED", "EMPTY SCALE");
  f.SpButSave->click();
  EXPECT_EQ(ShownTexts(), QStringList{"The size scale EMPTY SCALE has no sizes.\n\nThe style was not saved."});
  EXPECT_EQ(Count("STYLE='NOSIZE'"), 0);
  // The input stays for another scale.
  EXPECT_EQ(f.Mode(), "Add");
  EXPECT_EQ(f.EditSupplierStyle->text(), "NOSIZE");
  EXPECT_TRUE(f.isEnabled());
  Pick(f.ComboBoxSizeRanges, "WAIST 30-40");
  ClearShownTexts();
  f.SpButSave->click();
  EXPECT_TRUE(ShownTexts().isEmpty()) << ShownTexts().join("|").toStdString();
  EXPECT_EQ(Count("STYLE='NOSIZE'"), 6);
}

TEST_P(StyleSaveDbTest, AFailedWriteHalfWayWritesNothingAndKeepsTheInput) {
  TForm1& f = Start();
  // A stray row holds the PLU that the second size of the next root PLU gets.
  db().Execute("INSERT INTO PRODUCTS (ROOT_PLU, PLU, STYLE) VALUES ('STRAY', 'STRAY', 'STRAY')");
  const QString next = QString::number(Scalar("SELECT ID FROM PRODUCTS WHERE PLU='STRAY'").toLongLong() + 1)
                           .rightJustified(8, '0');
  db().Execute("UPDATE PRODUCTS SET PLU=" + Quote(next + "01") + " WHERE STYLE='STRAY'");
  FillNewStyle(f, "FAIL01", "RED");
  f.SpButSave->click();
  ASSERT_EQ(ShownTexts().size(), 1);
  EXPECT_TRUE(ShownTexts()[0].startsWith("ERROR: The style was not saved.")) << ShownTexts()[0].toStdString();
  EXPECT_EQ(Count("ROOT_PLU=" + Quote(next)), 0);  // the first size is gone again
  EXPECT_EQ(Count("STYLE='FAIL01'"), 0);
  EXPECT_TRUE(LogText().contains("TForm1::d_SaveStyle"));
  EXPECT_EQ(f.Mode(), "Add");
  EXPECT_EQ(f.EditSupplierStyle->text(), "FAIL01");
  EXPECT_TRUE(f.isEnabled());
  EXPECT_EQ(f.ComboBoxRootPLU->findText(next), -1);

  db().Execute("DELETE FROM PRODUCTS WHERE STYLE='STRAY'");
  ClearShownTexts();
  f.SpButSave->click();
  EXPECT_TRUE(ShownTexts().isEmpty()) << ShownTexts().join("|").toStdString();
  EXPECT_EQ(Count("STYLE='FAIL01'"), 6);
}

// Another program numbers a new style in its open transaction; this window
// saves meanwhile, waits for it and numbers after it.
TEST_P(StyleSaveDbTest, TwoProgramsSavingAtOnceGetTwoRootPLUs) {
  TForm1& f = Start();
  FillNewStyle(f, "RACE01", "RED");
  const QString theirs = WhileAnotherProgramNumbers(
      [](kdb::Database& db) {
        kdb::Query q(&db);
        const QString root = TForm1::NextPlainRootPLU(q);
        db.Execute("INSERT INTO PRODUCTS (ROOT_PLU, PLU, STYLE) VALUES (" + Quote(root) + ", " + Quote(root + "00") +
                   ", 'OTHER')");
        return root;
      },
      [&f] { f.SpButSave->click(); });
  ASSERT_EQ(theirs, "00000007");
  EXPECT_TRUE(ShownTexts().isEmpty()) << ShownTexts().join("|").toStdString();
  EXPECT_EQ(Count("STYLE='OTHER'"), 1);
  // Its row took ID 7; this save numbered after it.
  EXPECT_EQ(f.LoadedRootPLU(), "00000008");
  EXPECT_EQ(Count("STYLE='RACE01' AND ROOT_PLU='00000008'"), 6);
}

// Another program adds the same style and colour in its open transaction,
// after this window checked; the window's save waits for it and is told,
// instead of making a second root PLU of the colour.
TEST_P(StyleSaveDbTest, TwoProgramsAddingTheSameColourMakeItOnce) {
  TForm1& f = Start();
  FillNewStyle(f, "TWIN01", "RED");
  ASSERT_TRUE(f.ValidateStyle());  // nothing of TWIN01 yet
  ClearShownTexts();
  const QString red = Id("COLOUR", "RED");
  WhileAnotherProgramNumbers(
      [&red](kdb::Database& db) {
        db.Execute("INSERT INTO PRODUCTS (ROOT_PLU, PLU, STYLE, COLOUR_ID, COLOUR_NAME) VALUES "
                   "('T0000001', 'T000000100', 'TWIN01', " + red + ", 'RED')");
        return QStringLiteral("T0000001");
      },
      [&f] { f.SpButSave->click(); });
  EXPECT_EQ(ShownTexts(), QStringList{"Style: TWIN01 already has Colour: RED\n\nPlease select another colour."});
  EXPECT_EQ(Count("STYLE='TWIN01'"), 1);  // the other program's row alone
  EXPECT_EQ(f.Mode(), "Add");
  QApplication::processEvents();
  EXPECT_EQ(f.focusWidget(), f.ComboBoxColours);
  EXPECT_TRUE(f.isEnabled());
}

TEST_P(StyleSaveDbTest, PlainNumberingFollowsTheHighestIdAndSkipsTakenRootPLUs) {
  // A prefixed root PLU sorts last by PLU; a "000" one looks like a plain one.
  db().Execute("INSERT INTO PRODUCTS (ROOT_PLU, PLU, STYLE) VALUES ('00000009', '0000000900', 'HEX')");
  db().Execute("INSERT INTO PRODUCTS (ROOT_PLU, PLU, STYLE) VALUES ('WJK00001', 'WJK0000100', 'PREFIX')");
  kdb::Query q(&db());
  // IDs 1-8 are taken, so 9 comes next, but a row has that root PLU already.
  EXPECT_EQ(TForm1::NextPlainRootPLU(q), "00000010");
  db().Execute("UPDATE PRODUCTS SET ROOT_PLU='00000010' WHERE STYLE='HEX'");
  EXPECT_EQ(TForm1::NextPlainRootPLU(q), "00000009");
}

// ----- edits ---------------------------------------------------------------------------------

TEST_P(StyleSaveDbTest, ADescriptionEditRewritesThisColourAndKeepsPricesAndDates) {
  TForm1& f = Start({"", "00000042"});
  f.SpButEdit->click();
  f.EditDescription->setText("SKINNY JEAN");
  f.SpButSave->click();
  EXPECT_TRUE(ShownTexts().isEmpty()) << ShownTexts().join("|").toStdString();  // no price confirmation
  EXPECT_EQ(Count("ROOT_PLU='00000042' AND DESCRIPTION='SKINNY JEAN'"), 3);
  EXPECT_EQ(Count("ROOT_PLU='00000043' AND DESCRIPTION='SLIM JEAN'"), 3);  // the other colour
  // The scale has six sizes, the colour three rows: the missing ones are not made.
  EXPECT_EQ(Count("ROOT_PLU='00000042'"), 3);
  EXPECT_EQ(Count("ROOT_PLU='00000042' AND CURRENT_COST_PRICE=25 AND RETAIL_PRICE=60 AND WHOLESALE_PRICE=40 AND "
                  "SALEPRICE=49.99 AND VAT_NAME='STANDARD' AND DATE_CREATED=DATE_LASTDEL AND "
                  "DATE_CREATED < '2024-01-11'"),
            3);
  EXPECT_EQ(f.Mode(), "View");
  EXPECT_EQ(f.EditDescription->text(), "SKINNY JEAN");
}

TEST_P(StyleSaveDbTest, APriceEditAsksFirstAndNoKeepsTheRows) {
  TForm1& f = Start({"", "00000042"});
  f.SpButEdit->click();
  f.EditRetailPrice->setText("75.00");
  f.EditWSPrice->clear();
  confirmYes = false;
  f.SpButSave->click();
  const QString question =
      "Style: JEAN01, DENIM\n\nThe cost and retail prices will be set to\nCost: 25.00, Retail: 75.00\n"
      "for all sizes.\n\nAre you sure?";
  EXPECT_EQ(ShownTexts(), QStringList{question});
  EXPECT_EQ(f.Mode(), "Edit");
  EXPECT_EQ(f.EditWSPrice->text(), "0.00");
  EXPECT_EQ(Count("ROOT_PLU='00000042' AND RETAIL_PRICE=60 AND WHOLESALE_PRICE=40"), 3);

  confirmYes = true;
  ClearShownTexts();
  f.SpButSave->click();
  EXPECT_EQ(ShownTexts(), QStringList{question});
  EXPECT_EQ(Count("ROOT_PLU='00000042' AND RETAIL_PRICE=75 AND WHOLESALE_PRICE=0 AND SALEPRICE=49.99 AND "
                  "VAT_ID=" + Id("VAT", "STANDARD")),
            3);
  EXPECT_EQ(Count("ROOT_PLU='00000043' AND RETAIL_PRICE=65"), 3);
  EXPECT_EQ(f.Mode(), "View");
}

// ----- clones -----------------------------------------------------------------------------------

TEST_P(StyleSaveDbTest, ACloneKeepsEverythingButTheStyleTexts) {
  TForm1& f = Start({"", "00000042"});
  f.SpeedButtonClone->click();
  EXPECT_EQ(f.Mode(), "Add");
  EXPECT_TRUE(f.EditSupplierStyle->text().isEmpty());
  EXPECT_TRUE(f.EditDescription->text().isEmpty());
  EXPECT_TRUE(f.ComboBoxRootPLU->currentText().isEmpty());
  EXPECT_FALSE(f.ComboBoxRootPLU->isEnabled());
  EXPECT_EQ(kui::SelectedPickName(f.ComboBoxColours), "DENIM");
  EXPECT_EQ(kui::SelectedPickName(f.ComboBoxProductGroups), "SLIM FIT");
  EXPECT_EQ(f.EditRetailPrice->text(), "60.00");
  EXPECT_TRUE(f.SpeedButtonClone->isHidden());
  f.EditSupplierStyle->setText("JEAN02");
  f.EditDescription->setText("BOOTCUT JEAN");
  f.SpButSave->click();
  EXPECT_TRUE(ShownTexts().isEmpty()) << ShownTexts().join("|").toStdString();
  // The style ref was empty: the exit step copied the style into it.
  EXPECT_EQ(Count("STYLE='JEAN02' AND STYLE_REF='JEAN02' AND COLOUR_NAME='DENIM' AND RETAIL_PRICE=60 AND "
                  "SUBDEPARTMENT_NAME='SLIM FIT' AND SUBDEPARTMENT_ID=" + Id("SUBDEPARTMENT", "SLIM FIT")),
            6);
  EXPECT_EQ(f.EditSupplierStyle->text(), "JEAN02");
  EXPECT_EQ(f.Mode(), "View");
}

TEST_P(StyleSaveDbTest, CloningIntoASeasonSavesAtOnce) {
  TForm1& f = Start({"", "00000042"});
  const QString autumn = Id("SEASON", "AUTUMN WINTER 2025");
  QStringList offered;
  onDialog = [&](QDialog& d) {
    auto* seasons = qobject_cast<TFormSeasons*>(&d);
    ASSERT_NE(seasons, nullptr);
    for (int i = 0; i < seasons->ListBox1->count(); ++i) offered << seasons->ListBox1->item(i)->text();
    seasons->ListBox1->setCurrentRow(static_cast<int>(offered.indexOf("AUTUMN WINTER 2025=" + autumn)));
    seasons->BitBtn1->click();
  };
  f.SpButSeason->click();
  EXPECT_FALSE(offered.isEmpty());
  EXPECT_FALSE(offered.join("|").contains("SPRING SUMMER 2025"));  // the style's own season
  EXPECT_TRUE(ShownTexts().isEmpty()) << ShownTexts().join("|").toStdString();
  const QString style = "REF-JEAN01/" + autumn;
  EXPECT_EQ(Count("STYLE=" + Quote(style) + " AND STYLE_REF='REF-JEAN01' AND DESCRIPTION='SLIM JEAN' AND "
                  "SEASON_NAME='AUTUMN WINTER 2025' AND SEASON_ID=" + autumn),
            6);
  EXPECT_EQ(f.EditSupplierStyle->text(), style);

  // Cancel clones nothing.
  onDialog = [](QDialog& d) { qobject_cast<TFormSeasons*>(&d)->BitBtn2->click(); };
  const int before = Count("1=1");
  f.SpButSeason->click();
  EXPECT_EQ(Count("1=1"), before);
  EXPECT_EQ(f.Mode(), "View");
}

// ----- the supplier style and alternate colours ------------------------------------------------------

TEST_P(StyleSaveDbTest, AnExistingSupplierStyleHandsItsSettingsOver) {
  TForm1& f = Start();
  f.SpButAdd->click();
  f.EditSupplierStyle->setText("JEAN01");
  f.EditSupplierStyleExit();
  EXPECT_EQ(f.EditStyleRef->text(), "JEAN01");
  EXPECT_EQ(kui::SelectedPickName(f.ComboBoxSuppliers), "SOLENT DENIM");
  EXPECT_EQ(kui::SelectedPickName(f.ComboBoxSizeRanges), "WAIST 30-40");
  EXPECT_FALSE(f.ComboBoxSuppliers->isEnabled());
  EXPECT_FALSE(f.ComboBoxSizeRanges->isEnabled());
  EXPECT_EQ(kui::SelectedPickName(f.ComboBoxSeasons), "AUTUMN WINTER 2025");  // chosen already: kept
  EXPECT_EQ(kui::SelectedPickName(f.ComboBoxDepartments), "JEANS");            // none chosen: taken over
  EXPECT_EQ(kui::SelectedPickName(f.ComboBoxProductGroups), "SLIM FIT");
  EXPECT_EQ(f.EditRetailPrice->text(), "0.00");  // not empty: kept
  f.EditSupplierStyle->setText("NEW99");
  f.EditSupplierStyleExit();
  EXPECT_TRUE(f.ComboBoxSuppliers->isEnabled());
  EXPECT_TRUE(f.ComboBoxSizeRanges->isEnabled());
  EXPECT_EQ(f.EditStyleRef->text(), "JEAN01");  // filled only when empty
}

TEST_P(StyleSaveDbTest, AlternateColoursAreSavedInTurnSkippingOwnedOnes) {
  TForm1& f = Start({"", "00000042"});
  onDialog = [&](QDialog& d) {
    auto* picker = qobject_cast<TFormCheckList*>(&d);
    ASSERT_NE(picker, nullptr);
    EXPECT_EQ(picker->PanelTop->text(), "Select Alternate Colours");
    picker->BitBtnOk->click();  // nothing chosen yet: stays open
    picker->EditSearch->setText("b");
    EXPECT_EQ(picker->CheckListBoxList->Count(), 4);  // BLACK, BLUSH PINK, BOTTLE GREEN, BURGUNDY
    picker->EditSearch->clear();
    for (int i = 0; i < picker->CheckListBoxList->Count(); ++i) {
      const QString name = kui::PickName(picker->CheckListBoxList->Item(i));
      picker->CheckListBoxList->SetChecked(i, name == "BLACK" || name == "RED" || name == "NAVY");
    }
    picker->SpButRightClick();
    picker->SpButRightClick();  // twice: each item once
    EXPECT_EQ(picker->SelectedCount(), 3);
    kvtest::SaveScreenshot(picker, "FormCheckList");
    picker->BitBtnOk->click();
  };
  f.ButtonAddNewColour->click();
  EXPECT_EQ(ShownTexts(), QStringList{"Please select an item."});
  EXPECT_EQ(Count("STYLE='JEAN01' AND COLOUR_NAME='BLACK'"), 3);  // owned: skipped
  // NAVY first (the list's order): after the 6 starter rows it is 7, RED after NAVY's six rows 13.
  EXPECT_EQ(Count("STYLE='JEAN01' AND COLOUR_NAME='NAVY' AND ROOT_PLU='00000007'"), 6);
  EXPECT_EQ(Count("STYLE='JEAN01' AND COLOUR_NAME='RED' AND ROOT_PLU='00000013'"), 6);
  EXPECT_EQ(Count("STYLE='JEAN01' AND COLOUR_NAME IN ('NAVY', 'RED') AND DESCRIPTION='SLIM JEAN' AND "
                  "RETAIL_PRICE=60 AND SEASON_NAME='SPRING SUMMER 2025'"),
            12);
  EXPECT_EQ(f.ComboBoxColours->count(), 20);  // the colour list is whole again
  EXPECT_EQ(f.Mode(), "View");

  // The colour list: BLACK, DENIM, NAVY, RED, each painted in its colour.
  kui::KvStringGrid* g = f.SGridStyleColours;
  ASSERT_EQ(g->RowCount(), 4);
  EXPECT_EQ(g->Cell(2, 2), "NAVY");
  const QRect navy = g->CellRect(0, 2);
  ASSERT_FALSE(navy.isEmpty());
  const QImage shot = g->viewport()->grab().toImage();
  const QString rate = Scalar("SELECT RATE FROM PARAMETERS WHERE TYPE='COLOUR' AND NAME='NAVY'");
  EXPECT_EQ(shot.pixelColor(navy.right() - 8, navy.top() + 8),
            kui::BgrColour(static_cast<quint32>(rate.toDouble())));

  // Clicking an entry opens that colour.
  g->SetRow(0);
  f.SGridStyleColoursClick();
  EXPECT_EQ(f.LoadedRootPLU(), "00000043");
  EXPECT_EQ(g->Row(), 0);

  // The picker opens afresh next time: no search, nothing chosen or ticked;
  // Cancel saves nothing.
  const int rows = Count("STYLE='JEAN01'");
  bool asked = false;
  onDialog = [&](QDialog& d) {
    auto* picker = qobject_cast<TFormCheckList*>(&d);
    ASSERT_NE(picker, nullptr);
    asked = true;
    EXPECT_TRUE(picker->EditSearch->text().isEmpty());
    EXPECT_EQ(picker->CheckListBoxList->Count(), 20);
    EXPECT_TRUE(picker->CheckListBoxList->CheckedItems().isEmpty());
    EXPECT_EQ(picker->SelectedCount(), 0);
    picker->BitBtnCancel->click();
  };
  ClearShownTexts();
  f.ButtonAddNewColour->click();
  EXPECT_TRUE(asked);
  EXPECT_TRUE(ShownTexts().isEmpty()) << ShownTexts().join("|").toStdString();
  EXPECT_EQ(Count("STYLE='JEAN01'"), rows);
  EXPECT_EQ(f.LoadedRootPLU(), "00000043");
}

// A colour of the run that cannot be written is told and written not at all;
// the colours before it stay, and the window ends enabled on the last colour
// saved (not the failed one), in the root PLU box too.
TEST_P(StyleSaveDbTest, AnAlternateColourThatFailsLeavesTheOthersAndShowsTheLastSaved) {
  TForm1& f = Start({"", "00000042"});
  // A stray row holds the PLU that RED's second size would get (NAVY is
  // numbered first, after the stray row, and takes six numbers).
  db().Execute("INSERT INTO PRODUCTS (ROOT_PLU, PLU, STYLE) VALUES ('STRAY', 'STRAY', 'STRAY')");
  const qint64 stray = Scalar("SELECT ID FROM PRODUCTS WHERE PLU='STRAY'").toLongLong();
  const QString navy = QString::number(stray + 1).rightJustified(8, '0');
  const QString red = QString::number(stray + 7).rightJustified(8, '0');
  db().Execute("UPDATE PRODUCTS SET PLU=" + Quote(red + "01") + " WHERE STYLE='STRAY'");
  onDialog = [&](QDialog& d) {
    auto* picker = qobject_cast<TFormCheckList*>(&d);
    ASSERT_NE(picker, nullptr);
    for (int i = 0; i < picker->CheckListBoxList->Count(); ++i) {
      const QString name = kui::PickName(picker->CheckListBoxList->Item(i));
      picker->CheckListBoxList->SetChecked(i, name == "RED" || name == "NAVY");
    }
    picker->SpButRightClick();
    picker->BitBtnOk->click();
  };
  f.ButtonAddNewColour->click();
  ASSERT_EQ(ShownTexts().size(), 1) << ShownTexts().join("|").toStdString();
  EXPECT_TRUE(ShownTexts()[0].startsWith("ERROR: The style was not saved.")) << ShownTexts()[0].toStdString();
  EXPECT_EQ(Count("STYLE='JEAN01' AND COLOUR_NAME='NAVY' AND ROOT_PLU=" + Quote(navy)), 6);
  EXPECT_EQ(Count("STYLE='JEAN01' AND COLOUR_NAME='RED'"), 0);
  EXPECT_TRUE(f.isEnabled());
  EXPECT_EQ(f.Mode(), "View");
  EXPECT_EQ(f.LoadedRootPLU(), navy);
  EXPECT_EQ(f.ComboBoxRootPLU->currentText(), navy);
  EXPECT_EQ(f.ComboBoxRootPLU->findText(red), -1);
  EXPECT_EQ(kui::SelectedPickName(f.ComboBoxColours), "NAVY");
}

// The alternate colours are one unit of work: another program sees none of
// them while the run writes. A colour that fails in the middle is undone
// alone; before its message the run commits the colours before it and lets
// go of the numbering lock (the person reading holds nobody up), and the
// colours after it go on in a unit of their own.
TEST_P(StyleSaveDbTest, AlternateColoursAreOneUnitAndAColourThatFailsInTheMiddleIsUndoneAlone) {
  TForm1& f = Start({"", "00000042"});
  // NAVY is numbered first (six numbers after the stray row); the stray row
  // holds a PLU of the root PLU RED gets next.
  db().Execute("INSERT INTO PRODUCTS (ROOT_PLU, PLU, STYLE) VALUES ('STRAY', 'STRAY', 'STRAY')");
  const qint64 stray = Scalar("SELECT ID FROM PRODUCTS WHERE PLU='STRAY'").toLongLong();
  const QString red = QString::number(stray + 7).rightJustified(8, '0');
  db().Execute("UPDATE PRODUCTS SET PLU=" + Quote(red + "01") + " WHERE STYLE='STRAY'");
  const QStringList chosen{"NAVY", "RED", "RUST", "SILVER"};
  onDialog = [&](QDialog& d) {
    auto* picker = qobject_cast<TFormCheckList*>(&d);
    ASSERT_NE(picker, nullptr);
    for (int i = 0; i < picker->CheckListBoxList->Count(); ++i)
      picker->CheckListBoxList->SetChecked(i, chosen.contains(kui::PickName(picker->CheckListBoxList->Item(i))));
    picker->SpButRightClick();
    picker->BitBtnOk->click();
  };
  kvtest::DbHandle other = Connect();
  const auto visible = [&] {
    return kvtest::Column(*other.db, "SELECT COUNT(*) FROM PRODUCTS WHERE STYLE='JEAN01' AND COLOUR_NAME IN "
                                     "('NAVY', 'RED', 'RUST', 'SILVER')")
        .value(0)
        .toInt();
  };
  // What the other program sees while each colour's rows are posted.
  std::map<QString, std::set<int>> seen;
  kdb::Table& table = *dm->DBTableR1;
  const std::function<void(kdb::Table&)> logPost = table.AfterPost;
  table.AfterPost = [&](kdb::Table& t) {
    seen[t.FieldByName("COLOUR_NAME").AsString()].insert(visible());
    logPost(t);
  };
  std::vector<int> atMessage;
  onMessage = [&](const QString&) {
    atMessage.push_back(visible());
    // Another program writes PRODUCTS while the message is up.
    other.db->Execute("DELETE FROM PRODUCTS WHERE STYLE='STRAY'");
  };
  f.ButtonAddNewColour->click();
  table.AfterPost = logPost;

  ASSERT_EQ(ShownTexts().size(), 1) << ShownTexts().join("|").toStdString();
  EXPECT_TRUE(ShownTexts()[0].startsWith("ERROR: The style was not saved.")) << ShownTexts()[0].toStdString();
  EXPECT_EQ(atMessage, std::vector<int>{6});  // NAVY, committed before the message
  EXPECT_EQ(seen["NAVY"], std::set<int>{0});
  EXPECT_EQ(seen["RUST"], std::set<int>{6});
  EXPECT_EQ(seen["SILVER"], std::set<int>{6});  // RUST is written, not yet committed
  EXPECT_EQ(Count("STYLE='STRAY'"), 0);
  for (const QString& colour : QStringList{"NAVY", "RUST", "SILVER"})
    EXPECT_EQ(Count("STYLE='JEAN01' AND COLOUR_NAME=" + Quote(colour)), 6) << colour.toStdString();
  EXPECT_EQ(Count("STYLE='JEAN01' AND COLOUR_NAME='RED'"), 0);
  const QString rust = Scalar("SELECT MIN(ROOT_PLU) FROM PRODUCTS WHERE STYLE='JEAN01' AND COLOUR_NAME='RUST'");
  const QString silver = Scalar("SELECT MIN(ROOT_PLU) FROM PRODUCTS WHERE STYLE='JEAN01' AND COLOUR_NAME='SILVER'");
  EXPECT_TRUE(f.isEnabled());
  EXPECT_EQ(f.Mode(), "View");
  EXPECT_EQ(f.LoadedRootPLU(), silver);
  EXPECT_EQ(f.ComboBoxRootPLU->currentText(), silver);
  EXPECT_GE(f.ComboBoxRootPLU->findText(rust), 0);
  EXPECT_EQ(kui::SelectedPickName(f.ComboBoxColours), "SILVER");
  // The log keeps the run's order: the failure, its message, then the posts after it.
  const QByteArray log = LogText();
  const qsizetype failure = log.indexOf("TForm1::d_SaveStyle");
  const qsizetype message = log.indexOf("ERROR: The style was not saved.");
  EXPECT_GE(failure, 0);
  EXPECT_LT(failure, message);
  EXPECT_LT(message, log.indexOf(silver.toUtf8() + "00"));
}

TEST_P(StyleSaveDbTest, AlternateColoursNeedAStyle) {
  TForm1& f = Start();
  f.ButtonAddNewColourClick();
  EXPECT_EQ(ShownTexts(), QStringList{"Please select a style."});
}

INSTANTIATE_TEST_SUITE_P(Engines, StyleSaveDbTest, ::testing::Values(Engine::SQLite, Engine::PostgreSQL),
                         kvtest::EngineParamName());

}  // namespace
