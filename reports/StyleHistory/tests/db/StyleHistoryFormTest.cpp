// The style history window on both engines: searching, the style grid with
// its prices, the info grid per colour and branch, sales between dates, the
// pop-up menu, drawing, and queries that fail.
#include "StyleHistoryFixture.h"

#include "KvColour.h"
#include "LoadingForm.h"
#include "Process.h"

#include <QAction>
#include <QDateEdit>
#include <QImage>
#include <QSplitter>
#include <QSplitterHandle>
#include <QLineEdit>
#include <QTest>
#include <QToolTip>

namespace {

using histtest::StyleHistoryFixture;
using L = QStringList;

class StyleHistory : public StyleHistoryFixture {};

TEST_P(StyleHistory, AStyleShowsItsColoursPricesAndTheFirstColoursHistory) {
  TFormStyleHistoryF& f = Start();
  EXPECT_TRUE(f.PanelInfo->isHidden());
  EXPECT_FALSE(f.SplitterBody->handle(1)->isEnabled());
  EXPECT_EQ(kui::PickItems(f.ComboBoxBranch).mid(0, 3), (L{"[All]=0", "HARROGATE=4", "LEEDS=6"}));
  EXPECT_EQ(f.ComboBoxBranch->currentIndex(), 0);
  EXPECT_EQ(f.DTPickStart->date(), QDate(2024, 3, 1));  // the month of the test clock
  EXPECT_EQ(f.DTPickEnd->date(), QDate(2024, 3, 5));

  Search("", "JEAN");
  EXPECT_TRUE(messages.isEmpty()) << messages.join("|").toStdString();
  EXPECT_EQ(f.CurrentStyle, "JEAN01");
  EXPECT_EQ(f.ComboBoxStyle->currentText(), "JEAN01");
  // Three colours in colour-name order: four columns, three list items.
  EXPECT_EQ(f.SGridStyle->ColCount(), 4);
  EXPECT_EQ(kui::PickItems(f.ComboByColour), (L{"BLACK=00000043", "DENIM=00000042", "ECRU=00000044"}));
  EXPECT_EQ(f.CurrentRootPLU, "00000043");
  EXPECT_EQ(f.ComboBoxRoot->currentText(), "");
  EXPECT_EQ(f.ComboBoxRoot->count(), 3);

  EXPECT_EQ(StyleColumn(0).mid(1, 5), (L{"Supplier", "Style", "Style Ref", "Colour", "Season"}));
  EXPECT_EQ(StyleColumn(2),
            (L{QString::number(0x8B4513), "SOLENT DENIM", "JEAN01", "REF-JEAN01", "DENIM", "SPRING SUMMER 2025",
               "TESSARIN", "JEAN01 DESCRIPTION", "MENSWEAR", "JEANS", "SLIM FIT", "25.00", "60.00", "20.00",
               "50.00", "25.00", "50.00", "2.40", "2024-01-10 09:00:00", "00000042"}));
  // 48.00 at 17.5 per cent: 40.8510 before VAT, cut at the fourth decimal.
  EXPECT_EQ(StyleColumn(3).mid(TStyleGridClass::srCostPrice, 7),
            (L{"20.00", "48.00", "17.50", "40.85", "20.85", "51.04", "2.40"}));

  EXPECT_FALSE(f.PanelInfo->isHidden());
  EXPECT_TRUE(f.SplitterBody->handle(1)->isEnabled());
  EXPECT_EQ(f.PanelInfoFilterBottom->isHidden(), !MultiUser());
  EXPECT_EQ(InfoRow(0), (L{"30", "32", "34"}));
  EXPECT_EQ(InfoRow(hrStock), (L{"7", "", ""}));
  if (MultiUser()) {
    EXPECT_EQ(InfoRow(hrOrdered), (L{"8", "", ""}));
    EXPECT_EQ(InfoRow(hrDelivered), (L{"0", "", ""}));
    EXPECT_EQ(InfoRow(hrOnOrder), (L{"8", "", ""}));
    EXPECT_EQ(InfoRow(hrTransOut), (L{"1", "", ""}));
    EXPECT_EQ(InfoRow(hrTransIn), (L{"1", "", ""}));
    EXPECT_EQ(InfoRow(hrWrittenOff), (L{"6", "", ""}));
    EXPECT_EQ(InfoRow(hrSales), (L{"9", "", ""}));
  } else {
    // The single-user edition shows the stock row only, and no dates.
    for (int row = hrMinStock; row <= hrSalesBetween; ++row) EXPECT_LE(f.SGridInfo->RowHeight(row), 0) << row;
    EXPECT_EQ(InfoRow(hrSales), (L{"", "", ""}));
  }

  // Another colour, then one branch.
  ChooseColour("00000042");
  EXPECT_EQ(f.CurrentRootPLU, "00000042");
  EXPECT_EQ(InfoRow(hrStock), (L{"8", "-2", ""}));
  if (MultiUser()) {
    EXPECT_EQ(InfoRow(hrOrdered), (L{"15", "3", "2"}));
    EXPECT_EQ(InfoRow(hrOnOrder), (L{"6", "", ""}));
    EXPECT_EQ(InfoRow(hrReturned), (L{"", "3", ""}));
    EXPECT_EQ(InfoRow(hrSales), (L{"5", "1", ""}));
  }
  kvtest::SaveScreenshot(&f, MultiUser() ? "StyleHistory-MultiUser" : "StyleHistory-SingleUser");
  ChooseBranch("4");
  EXPECT_EQ(f.CurrentBranchId, 4);
  EXPECT_EQ(InfoRow(hrStock), (L{"3", "", ""}));
  if (MultiUser()) {
    EXPECT_EQ(InfoRow(hrTransOut), (L{"2", "", ""}));
    EXPECT_EQ(InfoRow(hrTransIn), (L{"4", "", ""}));
    EXPECT_EQ(InfoRow(hrSales), (L{"3", "1", ""}));
  }
  EXPECT_TRUE(messages.isEmpty()) << messages.join("|").toStdString();
  EXPECT_TRUE(kvfwtest::NoWaitWindowLeft());
  EXPECT_TRUE(f.isEnabled());
}

TEST_P(StyleHistory, WhatIsTypedAtStartGoesIntoTheStyle) {
  TFormStyleHistoryF& f = Start();
  ASSERT_NE(f.focusWidget(), nullptr);
  QTest::keyClicks(f.focusWidget(), "jean01");
  EXPECT_EQ(f.ComboBoxStyle->currentText(), "JEAN01");
  QTest::keyClick(f.focusWidget(), Qt::Key_Return);
  EXPECT_EQ(f.CurrentStyle, "JEAN01");
}

TEST_P(StyleHistory, TheRootPLUWinsAndSearchesThatFindNothingSaySo) {
  TFormStyleHistoryF& f = Start();
  Search("", "");
  EXPECT_EQ(messages, L{"Please enter a style name or Root PLU"});
  messages.clear();

  // "000000" begins every root PLU: the first style in style order opens,
  // whatever the style box says.
  Search("000000", "JEAN");
  EXPECT_EQ(f.CurrentStyle, "CAP01");
  // Enter in a box searches like the button.
  f.ComboBoxRoot->setEditText("0000005");
  QTest::keyClick(f.ComboBoxRoot->lineEdit(), Qt::Key_Return);
  EXPECT_EQ(f.CurrentStyle, "TEE01");
  EXPECT_EQ(f.SGridStyle->ColCount(), 2);
  // A colour without a name and a size without a name.
  EXPECT_EQ(kui::PickItems(f.ComboByColour), L{"=00000050"});
  EXPECT_EQ(InfoRow(0), L{""});
  // Retail 0.00 at no VAT: nothing before VAT, the cost lost, no margin.
  EXPECT_EQ(StyleColumn(1).mid(TStyleGridClass::srCostPrice, 7),
            (L{"5.00", "0.00", "0.00", "0.00", "-5.00", "0.00", "0.00"}));
  EXPECT_TRUE(messages.isEmpty());

  // Nothing found: the shown style stays. A quote is searched for like any
  // other character.
  Search("", "ZZZ");
  Search("", "JEAN'01");
  EXPECT_EQ(messages, (L{"No matching styles found.", "No matching styles found."}));
  EXPECT_EQ(f.CurrentStyle, "TEE01");
  EXPECT_EQ(f.CurrentRootPLU, "00000050");
  EXPECT_FALSE(LogText().contains("TDMDB::RunQuery"));
  EXPECT_EQ(f.ComboBoxStyle->count(), 2);  // CAP01 and TEE01, each once
  EXPECT_EQ(f.ComboBoxRoot->count(), 2);
}

TEST_P(StyleHistory, AColourWithOtherSizesIsHeadedByItsOwnSizes) {
  Start();
  Search("", "SHOE01");
  EXPECT_EQ(InfoRow(0), (L{"3", "4", "5"}));
  ChooseColour("00000071");
  EXPECT_EQ(InfoRow(0), (L{"6", "7"}));
  EXPECT_EQ(InfoRow(hrStock), (L{"", "9"}));
  ChooseColour("00000070");
  EXPECT_EQ(InfoRow(0), (L{"3", "4", "5"}));
  EXPECT_EQ(InfoRow(hrStock), (L{"", "", ""}));
}

TEST_P(StyleHistory, RefreshLoadsTheSalesBetweenTheDatesWithTheWholeEndDay) {
  TFormStyleHistoryF& f = Start();
  // Without a style "Refresh" finds nothing and says nothing.
  f.SpButViewSales->click();
  EXPECT_TRUE(messages.isEmpty());
  Search("00000042", "");
  EXPECT_EQ(f.CurrentRootPLU, "00000043");  // the style's first colour
  ChooseColour("00000042");
  f.DTPickStart->setDate(QDate(2024, 3, 1));
  f.DTPickEnd->setDate(QDate(2024, 3, 31));
  kvfwtest::WaitWindowSpy spy;
  f.SpButViewSales->click();
  EXPECT_TRUE(spy.shown.contains("Searching for sales...")) << spy.shown.join("|").toStdString();
  EXPECT_EQ(InfoRow(hrSalesBetween), (L{"3", "1", ""}));
  ChooseBranch("1");
  EXPECT_EQ(InfoRow(hrSalesBetween), (L{"", "", ""})) << "a new branch empties the row until Refresh";
  f.SpButViewSales->click();
  EXPECT_EQ(InfoRow(hrSalesBetween), (L{"3", "", ""}));
  EXPECT_TRUE(messages.isEmpty());
}

TEST_P(StyleHistory, ARefreshWhoseSalesCannotBeReadSaysSoAndShowsNoFigure) {
  TFormStyleHistoryF& f = Start();
  Search("", "JEAN01");
  ChooseColour("00000042");
  f.DTPickStart->setDate(QDate(2024, 3, 1));
  f.DTPickEnd->setDate(QDate(2024, 3, 31));
  f.SpButViewSales->click();
  ASSERT_EQ(InfoRow(hrSalesBetween), (L{"3", "1", ""}));
  const QStringList sizes = InfoRow(0), stock = InfoRow(hrStock);
  ASSERT_TRUE(messages.isEmpty()) << messages.join("|").toStdString();

  // The sales go away while the style is open: the earlier figures must not
  // stay, nor turn into empty cells that read as "no sales".
  Exec("DROP TABLE TRANSACTIONS");
  f.SpButViewSales->click();
  ASSERT_EQ(messages.size(), 1);
  EXPECT_TRUE(messages[0].startsWith("Could not load the sales of 00000042:\n")) << messages[0].toStdString();
  EXPECT_EQ(InfoRow(hrSalesBetween), (L{"n/a", "n/a", "n/a"}));
  EXPECT_EQ(f.SGridInfo->Cell(4, hrSalesBetween), "") << "the column after the sizes stays empty";
  // Only the row of the Refresh is touched.
  EXPECT_EQ(InfoRow(0), sizes);
  EXPECT_EQ(InfoRow(hrStock), stock);
  EXPECT_TRUE(LogText().contains("TDMDB::RunQuery"));
  EXPECT_TRUE(f.isEnabled());
  EXPECT_TRUE(kvfwtest::NoWaitWindowLeft());
}

TEST_P(StyleHistory, ViewHistoryStartsTheItemReportWithTheRootPLU) {
  QList<kos::StartRequest> starts;
  kos::ScopedStarter starter([&starts](const kos::StartRequest& r) {
    starts << r;
    return true;
  });
  TFormStyleHistoryF& f = Start();
  // Before a style is loaded the commands do nothing.
  PopUp(f.SGridStyle);
  f.PPMViewHistory->trigger();
  f.PPMExport->trigger();
  f.PopupMenuExport->hide();
  EXPECT_TRUE(starts.isEmpty());
  EXPECT_EQ(fileDialogs, 0);

  Search("", "JEAN01");
  ASSERT_TRUE(f.SGridStyle->SetCurrent(2, 3));
  PopUp(f.SGridStyle);
  EXPECT_EQ(f.PPMColourName->text(), "DENIM");
  EXPECT_FALSE(f.PPMColourName->isEnabled());
  f.PPMViewHistory->trigger();
  f.PopupMenuExport->hide();
  PopUp(f.SGridInfo);
  EXPECT_EQ(f.PPMColourName->text(), "BLACK");
  f.PPMViewHistory->trigger();
  f.PopupMenuExport->hide();
  ASSERT_EQ(starts.size(), 2);
  EXPECT_EQ(starts[0].name, "ItemDataReport");
  EXPECT_EQ(starts[0].arguments, L{"00000042"});
  EXPECT_FALSE(starts[0].wait);
  EXPECT_EQ(starts[0].workingFolder, dm->ExeFolder);
  EXPECT_EQ(starts[1].arguments, L{"00000043"});

  // "Export..." writes the grid that opened the menu.
  fileChoice = kvtest::TempRoot() + "/history";
  PopUp(f.SGridInfo);
  f.PPMExport->trigger();
  f.PopupMenuExport->hide();
  const QByteArray csv = kvtest::ReadAll(fileChoice + ".csv");
  EXPECT_TRUE(csv.startsWith(",30,32,34,\r\nStock,7,,,\r\n")) << csv.toStdString();
  EXPECT_EQ(messages, L{"Export complete."});
}

TEST_P(StyleHistory, QuantitiesAndColoursArePaintedByValue) {
  TFormStyleHistoryF& f = Start();
  Search("", "JEAN01");
  ChooseColour("00000042");
  f.SGridInfo->SetCurrent(4, hrStock);  // the empty column after the sizes
  f.SGridStyle->SetCurrent(1, 5);
  const auto pixel = [](kui::KvStringGrid* g, int col, int row) {
    const QImage image = g->viewport()->grab().toImage();
    return image.pixelColor(g->CellRect(col, row).topLeft() + QPoint(3, 3));
  };
  EXPECT_EQ(pixel(f.SGridInfo, 1, hrStock), kvColour(0xC0DCC0));  // 8
  EXPECT_EQ(pixel(f.SGridInfo, 2, hrStock), kvColour(0x0000FF));  // -2
  EXPECT_EQ(pixel(f.SGridInfo, 3, hrStock), QColor(Qt::white));   // nothing
  EXPECT_EQ(pixel(f.SGridInfo, 4, hrStock), kvColour(0xC0C0C0));  // the current cell
  EXPECT_EQ(pixel(f.SGridInfo, 0, hrStock), kvColour(0xE2FBFC));  // label
  EXPECT_EQ(pixel(f.SGridStyle, 2, 0), kvColour(0x8B4513));       // DENIM's swatch
}

TEST_P(StyleHistory, ACellTooNarrowForItsTextShowsItWholeAsItsTip) {
  const QString longName = "WILLOW AND WREN CLOTHING CO LT";  // as long as a name may be
  Exec("UPDATE PRODUCTS SET SUPPLIER_NAME = " + kdb::sql::Quote(longName) + " WHERE ROOT_PLU = '00000042'");
  TFormStyleHistoryF& f = Start();
  Search("", "JEAN01");
  f.show();
  QApplication::processEvents();
  kui::KvStringGrid& style = *f.SGridStyle;
  // DENIM is the second colour column.
  EXPECT_EQ(f.CellTip(style, 2, TStyleGridClass::srSupplier), longName);
  EXPECT_EQ(f.CellTip(style, 2, TStyleGridClass::srStyle), "");
  EXPECT_EQ(f.CellTip(style, 1, TStyleGridClass::srSupplier), "");  // SOLENT DENIM fits
  EXPECT_EQ(f.ShownText(style, 2, TStyleGridClass::srSwatch), "DENIM");
  EXPECT_EQ(f.CellTip(style, 2, TStyleGridClass::srSwatch), "");
  EXPECT_EQ(f.CellTip(*f.SGridInfo, 1, hrStock), "");

  // Held over the cell, the name shows whole.
  const QPoint at = style.CellRect(2, TStyleGridClass::srSupplier).center();
  QHelpEvent help(QEvent::ToolTip, at, style.viewport()->mapToGlobal(at));
  QApplication::sendEvent(style.viewport(), &help);
  EXPECT_TRUE(QToolTip::isVisible());
  EXPECT_EQ(QToolTip::text(), longName);
  QToolTip::hideText();
}

TEST_P(StyleHistory, AFailedQueryIsToldAndNeverShownAsAnEmptyHistory) {
  TFormStyleHistoryF& f = Start();
  Search("", "JEAN01");
  ASSERT_TRUE(messages.isEmpty());
  // Another program (or a broken server) takes a table away.
  Exec(MultiUser() ? "DROP TABLE ORDERS" : "DROP TABLE BRANCHSTOCK");
  // The same colour for one branch: its sizes stay, every figure "n/a".
  ChooseBranch("4");
  ASSERT_EQ(messages.size(), 1);
  EXPECT_TRUE(messages[0].startsWith("Could not load the history of 00000043:\n")) << messages[0].toStdString();
  EXPECT_EQ(InfoRow(0), (L{"30", "32", "34"}));
  EXPECT_EQ(InfoRow(hrStock), (L{"n/a", "n/a", "n/a"}));
  if (MultiUser()) {
    EXPECT_EQ(InfoRow(hrOnOrder), (L{"n/a", "n/a", "n/a"}));
    EXPECT_EQ(InfoRow(hrSales), (L{"n/a", "n/a", "n/a"}));
  }
  EXPECT_TRUE(LogText().contains("TDMDB::RunQuery"));
  EXPECT_TRUE(f.isEnabled());
  // Another colour: its sizes are unknown too; one column says so.
  ChooseColour("00000042");
  ASSERT_EQ(messages.size(), 2);
  EXPECT_TRUE(messages[1].startsWith("Could not load the history of 00000042:\n"));
  EXPECT_EQ(InfoRow(hrStock), L{"n/a"});

  messages.clear();
  Exec("DROP TABLE PRODUCTS");
  Search("", "JEAN01");
  ASSERT_EQ(messages.size(), 1);
  EXPECT_TRUE(messages[0].startsWith("Could not search for the style:\n")) << messages[0].toStdString();
  EXPECT_TRUE(kvfwtest::NoWaitWindowLeft());
}

TEST_P(StyleHistory, ATypedPrefixMatchesItsBackslashOnBothEngines) {
  // A style with a backslash, as a supplier's code may have one.
  histtest::InsertProduct(db(), {"00000080", "AB\\12", "GREY", 0x808080, {{"M", 0}}, "1.00", "2.00", "20"});
  TFormStyleHistoryF& f = Start();
  Search("", "AB\\");
  EXPECT_TRUE(messages.isEmpty()) << messages.join("|").toStdString();
  EXPECT_EQ(f.CurrentStyle, "AB\\12");
  EXPECT_EQ(f.CurrentRootPLU, "00000080");
  // "%" typed stays a wildcard, as it always was.
  Search("", "JE%1");
  EXPECT_EQ(f.CurrentStyle, "JEAN01");
}

TEST_P(StyleHistory, EverythingStaysInViewOnAScreenOf1024Pixels) {
  TFormStyleHistoryF& f = Start();
  f.resize(1024, 737);
  Search("", "JEAN01");
  QApplication::processEvents();
  EXPECT_LE(f.minimumSizeHint().width(), 1024);
  EXPECT_LE(f.width(), 1024);
  for (QWidget* w : std::initializer_list<QWidget*>{f.ImageExit, f.SpButAdvSearch, f.ComboByColour,
                                                    f.ComboBoxBranch, f.SpButViewSales}) {
    if (!w->isVisibleTo(&f)) continue;
    const QRect place(w->mapTo(&f, QPoint(0, 0)), w->size());
    EXPECT_TRUE(f.rect().contains(place)) << w->objectName().toStdString();
  }
  kvtest::SaveScreenshot(&f, MultiUser() ? "StyleHistory-1024" : "StyleHistorySingleUser-1024");
}

KV_DB_ENGINES(StyleHistory);

}  // namespace
