// The ratio fill of the quantity pages, the copy and paste of a colour row,
// the ratio total and the style page's "Ratio" button, through the window on
// both engines. JEAN01's scale WAIST 30-40 has the ratios 1, 2, 3, 3, 2, 1.
#include "StockDbFixture.h"

#include <QDir>
#include <QFile>
#include <QMenu>
#include <QPushButton>
#include <QTemporaryDir>
#include <QToolButton>

#include "KvEdit.h"
#include "KvStringGrid.h"
#include "Process.h"
#include "QuantityPageF.h"
#include "RatioQtyForm.h"

namespace {

using kvtest::Engine;

class RatioFillDbTest : public sktest::StockDbFixture {
 protected:
  int prompts = 0;

  // The quantity prompt answered with a quantity, or cancelled ("").
  void AnswerPrompt(const QString& quantity) {
    onDialog = [this, quantity](QDialog& d) {
      auto* prompt = qobject_cast<TFormRatioQty*>(&d);
      ASSERT_NE(prompt, nullptr);
      ++prompts;
      EXPECT_EQ(prompt->EditQty->text(), "1");  // every showing starts at 1
      if (quantity.isEmpty()) return prompt->BitBtn2->click();
      prompt->EditQty->setText(quantity);
      prompt->BitBtn1->click();
    };
  }

  static void Trigger(QMenu* menu, const char* item) {
    QAction* a = menu->findChild<QAction*>(item);
    ASSERT_NE(a, nullptr) << item;
    a->trigger();
  }
};

TEST_P(RatioFillDbTest, UseRatioFillsTheStockPageToAddItsFigures) {
  PutRow("0000004201", "MAIN STORE", "STOCK_QUANTITY", "10");
  TForm1& f = StartOnStyle();
  TQuantityPage& page = *f.StockPage;
  f.SpButTabStock->click();
  AnswerPrompt("2");
  page.SpButStockUseRatio->click();
  EXPECT_EQ(prompts, 1);
  EXPECT_EQ(page.Mode(), "Add");
  EXPECT_TRUE(page.Editable());
  for (int row : {kBlack, kDenim}) EXPECT_EQ(page.Grid->RowTexts(row).mid(3), (QStringList{"2", "4", "6", "12"}));
  EXPECT_EQ(page.Grid->Cell(6, 3), "24");
  EXPECT_EQ(std::make_pair(page.Grid->Col(), page.Grid->Row()), std::make_pair(3, 1));
  kvtest::SaveScreenshot(&f, "StyleKeeperStockRatio");
  page.ButtonApply->click();
  EXPECT_EQ(TakeShown(), QStringList{"Stock saved successfully."});
  EXPECT_EQ(Stored("0000004201", "MAIN STORE", "STOCK_QUANTITY"), "14");
  EXPECT_EQ(Stored("0000004302", "MAIN STORE", "STOCK_QUANTITY"), "6");
}

TEST_P(RatioFillDbTest, ACancelledPromptLeavesThePageAsItWas) {
  PutRow("0000004201", "MAIN STORE", "STOCK_QUANTITY", "10");
  TForm1& f = StartOnStyle();
  TQuantityPage& page = *f.StockPage;
  f.SpButTabStock->click();
  AnswerPrompt("");
  page.SpButStockUseRatio->click();
  EXPECT_EQ(prompts, 1);
  // Not Add: an Apply from there would add the stored figures to themselves.
  EXPECT_EQ(page.Mode(), "View");
  EXPECT_FALSE(page.Editable());
  EXPECT_EQ(page.Grid->Cell(4, kDenim), "10");
  EXPECT_TRUE(page.ButtonApply->isHidden());
  EXPECT_TRUE(TakeShown().isEmpty());
}

TEST_P(RatioFillDbTest, MinAndMaxStockFilledByRatioReplaceTheirLevels) {
  PutRow("0000004300", "MAIN STORE", "MIN_STOCK_QUANTITY", "9");
  TForm1& f = StartOnStyle();
  f.SpButShowMinStock->click();
  AnswerPrompt("3");
  f.MinStockPage->ButtonUseRatio->click();
  EXPECT_EQ(f.MinStockPage->ButtonUseRatio->objectName(), "SpeedButton2");
  EXPECT_EQ(f.MinStockPage->Mode(), "Edit");
  f.MinStockPage->ButtonApply->click();
  EXPECT_EQ(TakeShown(), QStringList{"Min Stock saved successfuly!"});
  EXPECT_EQ(Stored("0000004300", "MAIN STORE", "MIN_STOCK_QUANTITY"), "3");
  EXPECT_EQ(Stored("0000004202", "MAIN STORE", "MIN_STOCK_QUANTITY"), "9");

  f.SpButTabBCodes->click();
  f.BarcodesPage->ButtonUseRatio->click();
  EXPECT_EQ(f.BarcodesPage->Grid->RowTexts(kBlack).mid(3), (QStringList{"3", "6", "9", "18"}));
}

TEST_P(RatioFillDbTest, TheRatiosGoByTheSizesPositionAndFractionsAreRounded) {
  // Offsets with gaps still give the first, second and third size.
  Exec("UPDATE SIZES SET \"offset\" = \"offset\" * 10 WHERE SIZESSCALE_ID = "
       "(SELECT ID FROM SIZESSCALE WHERE NAME = 'WAIST 30-40')");
  Exec("UPDATE SIZES SET RATIO = NULL WHERE NAME = '32' AND SIZESSCALE_ID = "
       "(SELECT ID FROM SIZESSCALE WHERE NAME = 'WAIST 30-40')");
  TForm1& f = StartOnStyle();
  EXPECT_EQ(f.SizeScaleRatioTotal(), 10);
  f.SpButTabStock->click();
  AnswerPrompt("5");
  f.StockPage->ButtonUseRatio->click();
  EXPECT_EQ(f.StockPage->Grid->RowTexts(kDenim).mid(3), (QStringList{"5", "0", "15", "20"}));
}

TEST_P(RatioFillDbTest, AColourRowIsCopiedInAnyModeAndPastedOnlyWhileTyping) {
  PutRow("0000004300", "MAIN STORE", "STOCK_QUANTITY", "-3");
  PutRow("0000004301", "MAIN STORE", "STOCK_QUANTITY", "4");
  TForm1& f = StartOnStyle();
  TQuantityPage& page = *f.StockPage;
  f.SpButTabStock->click();
  QMenu* menu = page.Grid->ContextMenu();
  ASSERT_NE(menu, nullptr);
  EXPECT_EQ(f.MaxStockPage->Grid->ContextMenu(), menu);  // one menu for the four grids
  ASSERT_TRUE(page.Grid->SetCurrent(5, kBlack));
  Trigger(menu, "PPMStockCopyColour");
  EXPECT_EQ(*f.CopyBuffer, (QStringList{"-3", "4", "0"}));
  Trigger(menu, "PPMStockPasteColour");  // read-only in View
  EXPECT_EQ(page.Grid->RowTexts(kDenim).mid(3, 3), (QStringList{"0", "0", "0"}));

  page.ButtonEdit->click();
  ASSERT_TRUE(page.Grid->SetCurrent(3, kDenim));
  Trigger(menu, "PPMStockPasteColour");
  EXPECT_EQ(page.Grid->RowTexts(kDenim).mid(3), (QStringList{"0", "4", "0", "4"}));  // no negative figures
  page.Grid->SetCell(3, kDenim, "8");
  Trigger(menu, "PPMStockCopyColour");
  Trigger(menu, "PPMStockPasteAll");
  for (int row : {kBlack, kDenim}) EXPECT_EQ(page.Grid->RowTexts(row).mid(3), (QStringList{"8", "4", "0", "12"}));

  // On a page without a quantity grid nothing happens, and nothing is said.
  f.SpButTabStyle->click();
  EXPECT_THROW(f.ActiveQuantityGrid(), std::runtime_error);
  Trigger(menu, "PPMStockPasteAll");
  EXPECT_TRUE(TakeShown().isEmpty());
}

TEST_P(RatioFillDbTest, TheRatioButtonStartsSizeRatiosWithTheScaleWhenItIsThere) {
  TForm1& f = StartOnStyle();
  QList<kos::StartRequest> started;
  kos::ScopedStarter starter([&started](const kos::StartRequest& r) {
    started << r;
    return true;
  });
  QTemporaryDir folder;
  const QString before = QDir::currentPath();
  ASSERT_TRUE(QDir::setCurrent(folder.path()));
  f.SpButSSRatio->click();
  EXPECT_TRUE(started.isEmpty());  // no program in the folder

  QFile program(folder.filePath("SizeRatios"));
  ASSERT_TRUE(program.open(QIODevice::WriteOnly));
  program.write("#!/bin/sh\n");
  program.close();
  program.setPermissions(program.permissions() | QFile::ExeOwner);
  f.SpButSSRatio->click();
  QDir::setCurrent(before);
  ASSERT_EQ(started.size(), 1);
  const QString scale = Column("SELECT ID FROM SIZESSCALE WHERE NAME = 'WAIST 30-40'").value(0);
  EXPECT_EQ(started[0].arguments, QStringList{scale});
  EXPECT_FALSE(started[0].wait);
}

KV_DB_ENGINES(RatioFillDbTest);

}  // namespace
