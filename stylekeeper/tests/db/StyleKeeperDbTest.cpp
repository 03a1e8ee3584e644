// The style editor's window on both engines: a shop database made by the
// schema tool with its starter data, a few styles inserted by the test, and
// the real window started on it as the program starts it.
#include "StyleKeeperDbFixture.h"

#include <sys/stat.h>

#include "ImagePageF.h"
#include "InfoPageF.h"
#include "NavigationBarF.h"
#include "PLUPricesPageF.h"
#include "QuantityPageF.h"

#include <QCheckBox>
#include <QComboBox>
#include <QImage>
#include <QLabel>
#include <QLineEdit>
#include <QStackedWidget>
#include <QTest>
#include <QToolButton>

#include "KvEdit.h"
#include "KvStringGrid.h"
#include "PickList.h"
#include "Pricecalcform.h"

namespace {

using kvtest::Engine;
using sktest::InsertStyle;
using sktest::StyleSpec;

class StyleKeeperDbTest : public sktest::StyleKeeperDbFixture {};

// ----- start-up and command line ------------------------------------------------------

TEST_P(StyleKeeperDbTest, StartsInViewWithItsPickListsLoaded) {
  TForm1& f = Start();
  EXPECT_EQ(f.Mode(), "View");
  EXPECT_EQ(f.windowTitle(), "Style Keeper");
  EXPECT_EQ(kui::PickItems(f.ComboBoxSuppliers).size(), 4);
  EXPECT_EQ(kui::PickNameAt(f.ComboBoxSuppliers, 0), "ASHWORTH KNITWEAR");
  EXPECT_EQ(f.ComboBoxColours->count(), 20);
  EXPECT_EQ(f.ComboBoxSizeRanges->count(), 7);
  EXPECT_EQ(f.ComboBoxCurrency->count(), 3);
  EXPECT_EQ(kui::PickNameAt(f.ComboBoxCurrency, 0), "EUR");
  EXPECT_EQ(kui::PickValueAt(f.ComboBoxCurrency, 0), "1.17");
  EXPECT_EQ(f.ComboBoxDepartments->count(), 0);  // no category chosen yet
  EXPECT_EQ(kui::PickNameAt(f.ComboBoxSeasons, f.DefaultSeasonIndex), "AUTUMN WINTER 2025");
  EXPECT_EQ(kui::PickNameAt(f.ComboBoxBrands, f.DefaultBrandIndex), "TESSARIN");
  EXPECT_EQ(kui::PickNameAt(f.ComboBoxTaxRates, f.DefaultVATIndex), "STANDARD");
  EXPECT_EQ(kui::PickNameAt(f.ComboBoxSizeRanges, f.DefaultSizeScaleIndex), "LADIES 8-18");
  EXPECT_EQ(f.ComboBoxSuppliers->currentIndex(), -1);
  EXPECT_FALSE(f.ComboBoxSuppliers->isEnabled());
  EXPECT_TRUE(f.EditCostPrice->isReadOnly());
  EXPECT_TRUE(ShownTexts().isEmpty()) << ShownTexts().join("|").toStdString();
}

// The start reads each list once (the single-user edition before its boxes
// exist); a reload after the start reads the database again.
TEST_P(StyleKeeperDbTest, AReloadAfterTheStartReadsItsListAgain) {
  TForm1& f = Start();
  ASSERT_EQ(f.ComboBoxColours->count(), 20);
  db().Execute("INSERT INTO PARAMETERS (NAME, TYPE, RATE) VALUES ('AQUA MARINE', 'COLOUR', 255)");
  db().Execute("DELETE FROM PARAMETERS WHERE TYPE='SUPPLIER' AND NAME<>'WILLOW AND WREN'");
  f.LoadColours();
  f.LoadSuppliers();
  EXPECT_EQ(f.ComboBoxColours->count(), 21);
  EXPECT_GE(TForm1::IndexOfName(f.ComboBoxColours, "AQUA MARINE"), 0);
  ASSERT_EQ(kui::PickItems(f.ComboBoxSuppliers).size(), 1);
  EXPECT_EQ(kui::PickNameAt(f.ComboBoxSuppliers, 0), "WILLOW AND WREN");
}

TEST_P(StyleKeeperDbTest, ASupplierOnTheCommandLineOpensAddOnce) {
  const int id = SupplierId("SOLENT DENIM");
  TForm1& f = Start({QString::number(id)});
  EXPECT_EQ(f.Mode(), "Add");
  EXPECT_EQ(kui::SelectedPickName(f.ComboBoxSuppliers), "SOLENT DENIM");
  EXPECT_TRUE(f.CommandLineSupplierID.isEmpty());
  EXPECT_TRUE(Shown(f.SpButSave));
  EXPECT_FALSE(f.ComboBoxRootPLU->isEnabled());
  f.SpButCancel->click();
  EXPECT_EQ(f.Mode(), "View");
  f.FormShow();
  EXPECT_EQ(f.Mode(), "View");
  // The supplier is remembered for the next new style.
  f.SpButAdd->click();
  EXPECT_EQ(kui::SelectedPickName(f.ComboBoxSuppliers), "SOLENT DENIM");
}

TEST_P(StyleKeeperDbTest, ZeroOrTextAsSupplierGivesPlainView) {
  for (const QString& arg : {QString("0"), QString("ABC")}) {
    TForm1& f = Start({arg});
    EXPECT_EQ(f.Mode(), "View") << arg.toStdString();
    EXPECT_EQ(f.RememberedSupplierIndex, -1);
  }
}

TEST_P(StyleKeeperDbTest, ARootPLUOnTheCommandLineIsShownInView) {
  TForm1& f = Start({"", "00000042"});
  EXPECT_EQ(f.Mode(), "View");
  EXPECT_EQ(f.LoadedRootPLU(), "00000042");
  EXPECT_EQ(f.ComboBoxRootPLU->currentText(), "00000042");
  EXPECT_EQ(f.EditSupplierStyle->text(), "JEAN01");
  EXPECT_EQ(f.EditStyleRef->text(), "REF-JEAN01");
  EXPECT_EQ(f.EditDescription->text(), "SLIM JEAN");
  EXPECT_EQ(kui::SelectedPickName(f.ComboBoxSuppliers), "SOLENT DENIM");
  EXPECT_EQ(kui::SelectedPickName(f.ComboBoxColours), "DENIM");
  EXPECT_EQ(kui::SelectedPickName(f.ComboBoxSeasons), "SPRING SUMMER 2025");
  EXPECT_EQ(kui::SelectedPickName(f.ComboBoxDepartments), "JEANS");
  EXPECT_EQ(kui::SelectedPickName(f.ComboBoxProductGroups), "SLIM FIT");
  EXPECT_EQ(kui::SelectedPickName(f.ComboBoxSizeRanges), "WAIST 30-40");
  EXPECT_EQ(f.PanelSizes->text(), "6");
  EXPECT_EQ(f.PanelVATRate->text(), "20");
  EXPECT_EQ(f.ComboBoxECommerce->currentText(), "YES");
  EXPECT_EQ(f.EditCostPrice->text(), "25.00");
  EXPECT_EQ(f.EditRetailPrice->text(), "60.00");
  EXPECT_EQ(f.EditWSPrice->text(), "40.00");
  EXPECT_EQ(f.SalePrice, Currency::FromRaw(499900));
  // Net retail 60 / 1.2 = 50: (50 - 25) / 50; wholesale (40 - 25) / 40.
  EXPECT_EQ(f.PanelMarkup->text(), "(37.50) 50.00");
  EXPECT_FALSE(f.InfoPage->EditProdAge->text().isEmpty());
  // Both colours of the style are listed.
  EXPECT_EQ(f.SGridStyleColours->RowCount(), 2);
  EXPECT_EQ(f.SGridStyleColours->Cell(2, 0), "BLACK");
  EXPECT_EQ(f.SGridStyleColours->Cell(4, 1), "60.00");
  for (QToolButton* b : {f.SpButTabStyle, f.SpButTabStock, f.SpButTabImage, f.SpButTabExternal,
                         f.SpButTabPrices, f.SpeedButtonClone, f.SpButSeason, f.ButtonAddNewColour})
    EXPECT_TRUE(Shown(b)) << b->objectName().toStdString();
  EXPECT_TRUE(ShownTexts().isEmpty()) << ShownTexts().join("|").toStdString();
}

TEST_P(StyleKeeperDbTest, AnUnknownRootPLUGivesAnEmptyViewWithoutAMessage) {
  TForm1& f = Start({"", "00009999"});
  EXPECT_EQ(f.Mode(), "View");
  EXPECT_TRUE(f.EditSupplierStyle->text().isEmpty());
  EXPECT_TRUE(ShownTexts().isEmpty());
  for (QToolButton* b : {f.SpButTabStyle, f.NavigationBar->SpButPrint, f.SpButAdd, f.SpButEdit})
    EXPECT_TRUE(Shown(b)) << b->objectName().toStdString();
  for (QToolButton* b : {f.SpButTabStock, f.SpButShowMinStock, f.SpButShowMaxStock, f.SpButTabImage,
                         f.SpButTabExternal, f.SpButTabBCodes, f.SpButTabPackage, f.SpButTabPrices,
                         f.ButtonAddNewColour, f.SpeedButtonClone, f.SpButSeason, f.SpButStyleInfo,
                         f.SpButCancel, f.SpButSave})
    EXPECT_FALSE(Shown(b)) << b->objectName().toStdString();
}

// ----- the root PLU box ------------------------------------------------------------------------

TEST_P(StyleKeeperDbTest, FortyTwoAndEnterFindsTheRootPLU) {
  TForm1& f = Start();
  QLineEdit* box = f.ComboBoxRootPLU->lineEdit();
  QTest::keyClicks(box, "4-2");  // signs are dropped
  EXPECT_EQ(box->text(), "42");
  QTest::keyClick(box, Qt::Key_Return);
  EXPECT_EQ(f.ComboBoxRootPLU->currentText(), "00000042");
  EXPECT_EQ(f.EditSupplierStyle->text(), "JEAN01");
  EXPECT_EQ(f.RootPLUToOpen, "00000042");
  EXPECT_TRUE(ShownTexts().isEmpty());

  box->setText("77");
  QTest::keyClick(box, Qt::Key_Enter);
  EXPECT_EQ(ShownTexts(), QStringList{"Unable to find Style Details with Root PLU: 00000077"});
  EXPECT_EQ(f.EditSupplierStyle->text(), "JEAN01");  // the shown style stays
}

TEST_P(StyleKeeperDbTest, TheRootPLUBoxLeavesEditWithoutSaving) {
  TForm1& f = Start({"", "00000042"});
  f.SpButEdit->click();
  f.EditDescription->setText("CHANGED");
  f.ComboBoxRootPLU->setEditText("43");
  f.ComboBoxRootPLUSelect();
  EXPECT_EQ(f.Mode(), "View");
  EXPECT_EQ(f.LoadedRootPLU(), "00000043");
  EXPECT_EQ(f.EditDescription->text(), "SLIM JEAN");
  EXPECT_EQ(f.ComboBoxRootPLU->count(), 2);
}

TEST_P(StyleKeeperDbTest, ATextThatIsNoRootPLUIsLoggedNotShown) {
  TForm1& f = Start();
  // Letters and digits are a root PLU of the season prefix, looked up as such.
  f.ComboBoxRootPLU->setEditText("a1b");
  f.ComboBoxRootPLUSelect();
  EXPECT_EQ(ShownTexts(), QStringList{"Unable to find Style Details with Root PLU: A1B"});
  ClearShownTexts();
  f.ComboBoxRootPLU->setEditText("4.2");
  f.ComboBoxRootPLUSelect();
  EXPECT_TRUE(ShownTexts().isEmpty());
  QFile log(dm->LogFileName);
  ASSERT_TRUE(log.open(QIODevice::ReadOnly));
  EXPECT_TRUE(log.readAll().contains("TForm1::ComboBoxRootPLUSelect\r\n"));
}

// ----- modes ------------------------------------------------------------------------------------

TEST_P(StyleKeeperDbTest, EditWithoutAStyleAsksForOne) {
  TForm1& f = Start();
  f.SpButEdit->click();
  EXPECT_EQ(ShownTexts(), QStringList{"Please select a style."});
  EXPECT_EQ(f.Mode(), "View");
  EXPECT_TRUE(Shown(f.SpButEdit));
}

TEST_P(StyleKeeperDbTest, EditKeepsWhatMakesTheRootPLU) {
  TForm1& f = Start({"", "00000042"});
  f.SpButEdit->click();
  EXPECT_EQ(f.Mode(), "Edit");
  EXPECT_FALSE(f.PricesTouched);
  for (QComboBox* c : {f.ComboBoxSuppliers, f.ComboBoxColours, f.ComboBoxSizeRanges, f.ComboBoxCurrency})
    EXPECT_FALSE(c->isEnabled()) << c->objectName().toStdString();
  for (QComboBox* c : {f.ComboBoxSeasons, f.ComboBoxBrands, f.ComboBoxCategories, f.ComboBoxDepartments,
                       f.ComboBoxProductGroups, f.ComboBoxTaxRates, f.ComboBoxECommerce})
    EXPECT_TRUE(c->isEnabled()) << c->objectName().toStdString();
  EXPECT_TRUE(f.EditSupplierStyle->isReadOnly());
  EXPECT_FALSE(f.EditDescription->isReadOnly());
  EXPECT_FALSE(f.EditRetailPrice->isReadOnly());
  EXPECT_TRUE(f.ComboBoxRootPLU->isEnabled());
  EXPECT_FALSE(f.SGridStyleColours->isEnabled());
  for (QToolButton* b : {f.SpButTabStyle, f.SpButTabStock, f.SpButTabImage, f.SpButStyleInfo, f.SpButAdd,
                         f.SpButEdit, f.NavigationBar->SpButPrint, f.NavigationBar->SpButNavSearch})
    EXPECT_FALSE(Shown(b)) << b->objectName().toStdString();
  EXPECT_TRUE(Shown(f.SpButSave));
  EXPECT_TRUE(Shown(f.SpButCancel));
}

TEST_P(StyleKeeperDbTest, AddPreselectsTheDefaults) {
  TForm1& f = Start({"", "00000042"});
  f.SpButAddClick();
  EXPECT_EQ(f.Mode(), "Add");
  EXPECT_TRUE(f.EditSupplierStyle->text().isEmpty());
  EXPECT_EQ(f.EditRetailPrice->text(), "0.00");
  EXPECT_EQ(f.ComboBoxRootPLU->currentText(), "");
  EXPECT_EQ(kui::SelectedPickName(f.ComboBoxSeasons), "AUTUMN WINTER 2025");
  EXPECT_EQ(kui::SelectedPickName(f.ComboBoxBrands), "TESSARIN");
  EXPECT_EQ(kui::SelectedPickName(f.ComboBoxSizeRanges), "LADIES 8-18");
  EXPECT_EQ(f.PanelSizes->text(), "6");
  EXPECT_EQ(kui::SelectedPickName(f.ComboBoxTaxRates), "STANDARD");
  EXPECT_EQ(f.PanelVATRate->text(), "20");
  // Four suppliers and none remembered: none chosen.
  EXPECT_EQ(f.ComboBoxSuppliers->currentIndex(), -1);
  EXPECT_EQ(f.ComboBoxCategories->currentIndex(), -1);
  EXPECT_EQ(f.ComboBoxDepartments->count(), 0);
}

TEST_P(StyleKeeperDbTest, AListOfOneSeasonOrSupplierPreselectsIt) {
  db().Execute("DELETE FROM PARAMETERS WHERE TYPE='SEASON' AND NAME<>'CONTINUITY'");
  db().Execute("UPDATE PARAMETERS SET PARENT_ID=0 WHERE TYPE='SEASON'");  // no default row left
  db().Execute("DELETE FROM PARAMETERS WHERE TYPE='SUPPLIER' AND NAME<>'WILLOW AND WREN'");
  TForm1& f = Start();
  EXPECT_EQ(f.DefaultSeasonIndex, -1);
  f.SpButAddClick();
  EXPECT_EQ(kui::SelectedPickName(f.ComboBoxSeasons), "CONTINUITY");
  EXPECT_EQ(kui::SelectedPickName(f.ComboBoxSuppliers), "WILLOW AND WREN");
}

TEST_P(StyleKeeperDbTest, ARememberedSupplierWinsOverTheOnlyOne) {
  db().Execute("DELETE FROM PARAMETERS WHERE TYPE='SUPPLIER' AND NAME<>'WILLOW AND WREN'");
  TForm1& f = Start();
  f.RememberedSupplierIndex = 5;  // no longer inside the list: nothing chosen
  f.SpButAddClick();
  EXPECT_EQ(f.ComboBoxSuppliers->currentIndex(), -1);
}

TEST_P(StyleKeeperDbTest, LeavingTheCategoryReloadsTheDepartments) {
  TForm1& f = Start({"", "00000042"});
  f.SpButEdit->click();
  Activate();
  ASSERT_EQ(kui::SelectedPickName(f.ComboBoxDepartments), "JEANS");
  Focus(f.ComboBoxCategories);
  Focus(f.EditDescription);
  EXPECT_EQ(f.ComboBoxDepartments->count(), 4);  // MENSWEAR's departments
  EXPECT_EQ(f.ComboBoxDepartments->currentIndex(), -1);
  EXPECT_EQ(f.ComboBoxProductGroups->count(), 0);
  // Choosing a category reloads them too.
  f.ComboBoxCategories->setCurrentIndex(TForm1::IndexOfName(f.ComboBoxCategories, "ACCESSORIES"));
  f.ComboBoxCategoriesSelect();
  EXPECT_EQ(kui::PickNameAt(f.ComboBoxDepartments, 0), "BAGS");
  f.ComboBoxDepartments->setCurrentIndex(0);
  f.ComboBoxDepartmentsSelect();
  EXPECT_EQ(f.ComboBoxProductGroups->count(), 0);  // BAGS has no sub-departments
}

TEST_P(StyleKeeperDbTest, TheSingleUserEditionHidesWhatItDoesNotKeep) {
  kvtest::WriteFile(programDir + "packlabelprint", "#!/bin/sh\n");
  TForm1& f = Start({"", "00000042"});
  const bool single = !isPg();
  EXPECT_EQ(dm->Setup->LocalMode, single);
  for (QWidget* w : std::initializer_list<QWidget*>{f.SpButShowMinStock, f.SpButShowMaxStock, f.SpButTabBCodes,
                                                     f.SpButTabPackage, f.SpButStyleInfo, f.StockPage->SpButStockUseRatio,
                                                     f.StockPage->CheckBoxMinStock, f.StockPage->CheckBoxMaxStock,
                                                     f.StockPage->CheckBoxCreateBarcodes})
    EXPECT_EQ(Shown(w), !single) << w->objectName().toStdString();
  EXPECT_TRUE(Shown(f.SpButTabStock));
  f.SpButStyleInfoClick();
  EXPECT_EQ(f.PageCtrlSF->currentWidget(), f.TabShInfo);
  EXPECT_EQ(f.InfoPage->PanelInfoStyle->text(), "JEAN01");
  EXPECT_EQ(f.InfoPage->EditProdColour->text(), "DENIM");
  EXPECT_TRUE(Shown(f.InfoPage->SpButInfoComments));
  for (QToolButton* b : {f.InfoPage->SpButInfoMoreDetail, f.InfoPage->SpButInfoCharges, f.InfoPage->SpButInfoHist, f.InfoPage->SpButInfoContent})
    EXPECT_EQ(Shown(b), !single) << b->objectName().toStdString();
  // The single-user edition makes no labels; the multi-user default does.
  EXPECT_EQ(f.StockPage->CheckBoxCreateBarcodes->isChecked(), !single);
}

TEST_P(StyleKeeperDbTest, APageMadeAfterTheStartGetsTheModeAndSettingsOfOneMadeWithIt) {
  TForm1& f = Start();
  const bool single = !isPg();
  // Only the style tab is made with the window; the others wait for their use.
  EXPECT_EQ(f.PageCtrlSF->count(), 1);
  EXPECT_EQ(f.StockPage.IfMade(), nullptr);
  EXPECT_EQ(f.TabShInfo, nullptr);
  f.SpButAddClick();
  // Made now, in Add mode: what View set at the start holds for them too.
  EXPECT_TRUE(f.InfoPage->EditProdAge->isReadOnly());
  EXPECT_TRUE(f.InfoPage->EditProdAge->text().isEmpty());
  for (QWidget* w : std::initializer_list<QWidget*>{f.StockPage->SpButStockUseRatio, f.StockPage->CheckBoxMinStock,
                                                     f.StockPage->CheckBoxMaxStock, f.StockPage->CheckBoxCreateBarcodes})
    EXPECT_EQ(Shown(w), !single) << w->objectName().toStdString();
  EXPECT_EQ(f.StockPage->CheckBoxCreateBarcodes->isChecked(), dm->Setup->SFMakeTickets);
  EXPECT_EQ(Shown(f.PricesPage->SpButBSPrices), dm->Setup->LOUseBSPrice);
  EXPECT_EQ(f.PageCtrlSF->count(), 4);
  EXPECT_EQ(f.TabShInfo, f.InfoPage->Sheet);
  // Named again, a page is the one made before.
  EXPECT_EQ(f.StockPage.Get(), f.StockPage.IfMade());
  EXPECT_EQ(f.PageCtrlSF->count(), 4);
  EXPECT_EQ(f.PageCtrlSF->currentWidget(), f.TabShStyleDetails);
}

TEST_P(StyleKeeperDbTest, PackageOnlyWithThePackLabelProgram) {
  if (!isPg()) GTEST_SKIP() << "the single-user edition never shows the package tab";
  Start({"", "00000042"});
  EXPECT_FALSE(Shown(form->SpButTabPackage));
  kvtest::WriteFile(programDir + "packlabelprint", "#!/bin/sh\n");
  form->SetViewMode();
  EXPECT_TRUE(Shown(form->SpButTabPackage));
}

TEST_P(StyleKeeperDbTest, EscClosesTheWindowInEveryMode) {
  const std::function<void(TForm1&)> modes[] = {[](TForm1&) {}, [](TForm1& f) { f.SpButAddClick(); },
                                                [](TForm1& f) { f.SpButEditClick(); }};
  const char* words[] = {"View", "Add", "Edit"};
  for (int i = 0; i < 3; ++i) {
    TForm1& f = Start({"", "00000042"});
    modes[i](f);
    ASSERT_EQ(f.Mode(), words[i]);
    QTest::keyClick(f.EditDescription, Qt::Key_Escape);
    EXPECT_FALSE(f.isVisible()) << words[i];
  }
}

// ----- pictures --------------------------------------------------------------------------------

TEST_P(StyleKeeperDbTest, ThePictureOfTheRootPLUIsShownAndABrokenOneHidden) {
  TForm1& f = Start();
  ASSERT_FALSE(f.ImagesFolder.isEmpty());
  QImage picture(40, 30, QImage::Format_RGB32);
  picture.fill(Qt::red);
  QDir().mkpath(f.ImagesFolder);
  ASSERT_TRUE(picture.save(f.ImagesFolder + "00000042.jpg", "JPEG"));
  kvtest::WriteFile(f.ImagesFolder + "00000043.jpg", "not a picture");
  f.RootPLUToOpen = "00000042";
  f.FormShow();
  EXPECT_TRUE(Shown(f.ImageSmall));
  EXPECT_TRUE(Shown(f.ImagePage->ImageLarge));
  f.RootPLUToOpen = "00000043";
  f.FormShow();
  EXPECT_EQ(f.LoadedRootPLU(), "00000043");
  EXPECT_FALSE(Shown(f.ImageSmall));
  EXPECT_FALSE(Shown(f.ImagePage->ImageLarge));
}

TEST_P(StyleKeeperDbTest, APictureThatIsAFifoShowsNoImageAndDoesNotHang) {
  TForm1& f = Start();
  QDir().mkpath(f.ImagesFolder);
  ASSERT_EQ(::mkfifo(QFile::encodeName(f.ImagesFolder + "00000042.jpg").constData(), 0600), 0);
  f.RootPLUToOpen = "00000042";
  f.FormShow();  // would wait for a writer for ever if the file were opened
  EXPECT_EQ(f.LoadedRootPLU(), "00000042");
  EXPECT_FALSE(Shown(f.ImageSmall));
  EXPECT_FALSE(Shown(f.ImagePage->ImageLarge));
  EXPECT_TRUE(ShownTexts().isEmpty());
}

// ----- the window as a person uses it ------------------------------------------------------------

TEST_P(StyleKeeperDbTest, LoadEditChangeTheRetailPriceAndCancel) {
  TForm1& f = Start({"", "00000042"});
  Activate();
  ASSERT_EQ(f.EditRetailPrice->text(), "60.00");
  kvtest::SaveScreenshot(&f, "StyleKeeper");

  QTest::mouseClick(f.SpButEdit, Qt::LeftButton);
  ASSERT_EQ(f.Mode(), "Edit");
  // Entering the retail box opens the calculator; this time it is cancelled.
  int calculators = 0;
  onDialog = [&](QDialog& d) {
    if (qobject_cast<TFormPriceCalc*>(&d)) ++calculators;
    d.reject();
  };
  Focus(f.EditRetailPrice);
  QTest::qWait(20);
  EXPECT_EQ(calculators, dm->Setup->SFPriceCalc ? 1 : 0);
  EXPECT_FALSE(f.PricesTouched);
  Activate();  // back from the calculator
  f.EditRetailPrice->selectAll();
  QTest::keyClicks(f.EditRetailPrice, "75");
  EXPECT_EQ(f.EditRetailPrice->text(), "75");
  EXPECT_TRUE(f.PricesTouched);
  Focus(f.EditDescription);
  EXPECT_EQ(f.EditRetailPrice->text(), "75.00");
  // Net 75 / 1.2 = 62.50: (62.50 - 25) / 62.50 = 60%.
  EXPECT_EQ(f.PanelMarkup->text(), "(37.50) 60.00");

  QTest::mouseClick(f.SpButCancel, Qt::LeftButton);
  EXPECT_EQ(f.Mode(), "View");
  EXPECT_EQ(f.EditRetailPrice->text(), "60.00");
  EXPECT_EQ(f.PanelMarkup->text(), "(37.50) 50.00");
  EXPECT_TRUE(f.isEnabled());
  EXPECT_TRUE(ShownTexts().isEmpty()) << ShownTexts().join("|").toStdString();
}

INSTANTIATE_TEST_SUITE_P(Engines, StyleKeeperDbTest,
                         ::testing::Values(Engine::SQLite, Engine::PostgreSQL), kvtest::EngineParamName());

}  // namespace
