// The advanced search dialog's condition in its three uses, and the results
// dialog without a database: grid layout, drawing, choosing and navigation.
#include <gtest/gtest.h>

#include "AdvancedSearchForm.h"
#include "KvColour.h"
#include "KvEdit.h"
#include "KvStringGrid.h"
#include "KvTestSupport.h"
#include "ModalSeam.h"
#include "SearchResultsForm.h"

#include <QApplication>
#include <QImage>
#include <QLabel>
#include <QPushButton>
#include <QTest>

namespace {

using Use = TFormAdvancedSearch::TUse;

std::vector<kui::KvEdit*> Edits(TFormAdvancedSearch& f) {
  return {f.EditSupplier,   f.EditSupplierStyle, f.EditStyleRef,      f.EditDescription,
          f.EditColour,     f.EditSeason,        f.EditCategory,      f.EditDepartment,
          f.EditSubDepartment, f.EditBrandLabel, f.EditSizesScale,    f.EditRootPLU};
}

TEST(AdvancedSearch, EmptyFieldsGiveNoCondition) {
  TFormAdvancedSearch f;
  EXPECT_EQ(f.GetWhereClause(), "");
  EXPECT_FALSE(f.WhereStarted);
}

TEST(AdvancedSearch, RootPluMatchesAnywhereAndTheRestAtTheStart) {
  TFormAdvancedSearch f;
  f.EditRootPLU->setText("12");
  EXPECT_EQ(f.GetWhereClause(), " where root_plu like '%12%' escape '\\'");

  TFormAdvancedSearch g;
  g.EditSupplier->setText("ACME");
  g.EditColour->setText("NAVY");
  g.EditRootPLU->setText("12");
  EXPECT_EQ(g.GetWhereClause(),
            " where supplier_name like 'ACME%' escape '\\' and colour_name like 'NAVY%' escape '\\'"
            " and root_plu like '%12%' escape '\\'");
}

TEST(AdvancedSearch, EveryFieldInTableOrderAndBlanksCount) {
  TFormAdvancedSearch f;
  const auto edits = Edits(f);
  for (size_t i = 0; i < edits.size(); ++i) edits[i]->setText(QString("T%1").arg(i));
  f.EditSeason->setText(" ");  // a blank is a text too
  EXPECT_EQ(f.GetWhereClause(),
            " where supplier_name like 'T0%' escape '\\' and style like 'T1%' escape '\\' and style_ref like 'T2%' escape '\\'"
            " and description like 'T3%' escape '\\' and colour_name like 'T4%' escape '\\' and season_name like ' %' escape '\\'"
            " and category_name like 'T6%' escape '\\' and department_name like 'T7%' escape '\\'"
            " and subdepartment_name like 'T8%' escape '\\' and brandlabel_name like 'T9%' escape '\\'"
            " and sizesscale_name like 'T10%' escape '\\' and root_plu like '%T11%' escape '\\'");
}

TEST(AdvancedSearch, SecondCallWithoutShowingJoinsWithAnd) {
  TFormAdvancedSearch f;
  f.EditStyleRef->setText("AB");
  EXPECT_EQ(f.GetWhereClause(), " where style_ref like 'AB%' escape '\\'");
  EXPECT_EQ(f.GetWhereClause(), " and style_ref like 'AB%' escape '\\'");
  f.FormShow();  // showing again starts a new statement, with empty fields
  EXPECT_EQ(f.GetWhereClause(), "");
  f.EditStyleRef->setText("AB");
  EXPECT_EQ(f.GetWhereClause(), " where style_ref like 'AB%' escape '\\'");
}

TEST(AdvancedSearch, QuotesInAFieldStayInsideTheLiteral) {
  TFormAdvancedSearch f;
  f.EditSupplier->setText("O'BRIEN");
  f.EditRootPLU->setText("1' OR '1'='1");
  EXPECT_EQ(f.GetWhereClause(),
            " where supplier_name like 'O''BRIEN%' escape '\\' and root_plu like '%1'' OR ''1''=''1%' escape '\\'");
}

TEST(AdvancedSearch, HistoryUseAppendsToAnOwnWhereAndShowsGreyFocus) {
  TFormAdvancedSearch f(nullptr, Use::History);
  f.SetWhereStarted(true);
  f.EditDescription->setText("COAT");
  EXPECT_EQ(f.GetWhereClause(), " and description like 'COAT%' escape '\\'");
  f.SetWhereStarted(false);
  EXPECT_EQ(f.GetWhereClause(), " where description like 'COAT%' escape '\\'");

  QColor focused;
  kui::ScopedAnswerer answer([&](QDialog& d) {
    d.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&d));
    f.EditColour->setFocus();
    focused = f.EditColour->palette().color(QPalette::Base);
    f.BitBtnCancel->click();
  });
  EXPECT_FALSE(f.Execute());
  EXPECT_EQ(kvColourValue(focused), 0xE9E9E9u);
}

TEST(AdvancedSearch, ValuationUseMatchesAnywhereWithAndAndKeepsItsFields) {
  TFormAdvancedSearch f(nullptr, Use::Valuation);
  f.EditCategory->setText("KNIT");
  f.EditRootPLU->setText("12");
  const QString expected = " and category_name like '%KNIT%' escape '\\' and root_plu like '%12%' escape '\\'";
  EXPECT_EQ(f.GetWhereClause(), expected);
  EXPECT_EQ(f.GetWhereClause(), expected);  // no join state
  f.FormShow();
  EXPECT_EQ(f.EditCategory->text(), "KNIT");
  EXPECT_EQ(f.GetWhereClause(), expected);
}

TEST(AdvancedSearch, ShowingEmptiesTheFieldsAndOkOrCancelDecide) {
  TFormAdvancedSearch f;
  f.EditSupplier->setText("OLD");
  f.WhereStarted = true;
  QColor focused;
  QWidget* focus = nullptr;
  kui::ScopedAnswerer answer([&](QDialog& d) {
    d.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&d));
    focus = QApplication::focusWidget();
    focused = f.EditSupplier->palette().color(QPalette::Base);
    EXPECT_EQ(f.EditSupplier->text(), "");
    EXPECT_FALSE(f.WhereStarted);
    QTest::keyClicks(f.EditSupplier, "acme");
    QTest::keyClicks(f.EditRootPLU, "12");
    kvtest::SaveScreenshot(&d, "FormAdvancedSearch");
    f.BitBtnOK->click();
  });
  EXPECT_TRUE(f.Execute());
  EXPECT_EQ(focus, f.EditSupplier);
  EXPECT_EQ(kvColourValue(focused), 0x00FFFFu);
  EXPECT_EQ(f.GetWhereClause(), " where supplier_name like 'ACME%' escape '\\' and root_plu like '%12%' escape '\\'");
  EXPECT_EQ(f.size(), QSize(707, 469));
  EXPECT_EQ(f.windowTitle(), "Advanced Search");
  EXPECT_EQ(kvColourValue(f.palette().color(QPalette::Window)), 0xC6FFFFu);

  kui::ScopedAnswerer cancel([&](QDialog&) { f.BitBtnCancel->click(); });
  EXPECT_FALSE(f.Execute());
}

// ----- results dialog ---------------------------------------------------------

// A results dialog holding the given root PLUs as if a search had loaded them.
void Fill(TFormSearchResults& f, const QStringList& plus) {
  f.SGridRes->SetRowCount(static_cast<int>(plus.size()) + 1);
  for (int i = 0; i < plus.size(); ++i) {
    f.SGridRes->SetCell(0, i + 1, plus[i]);
    f.SGridRes->SetCell(2, i + 1, "STYLE " + plus[i]);
  }
  f.RootPLUs = plus;
  f.SetFound(QString::number(plus.size()));
}

TEST(SearchResults, StartsEmptyWithHeaders) {
  TFormSearchResults f;
  EXPECT_EQ(f.SGridRes->ColCount(), 15);
  EXPECT_EQ(f.SGridRes->RowCount(), 2);
  EXPECT_EQ(f.SGridRes->FixedRows(), 1);
  EXPECT_EQ(f.SGridRes->FixedCols(), 0);
  EXPECT_EQ(f.SGridRes->RowTexts(0),
            (QStringList{"Root PLU", "Supplier", "Style", "Style Ref", "Description", "Colour",
                         "Season", "Category", "Department", "Sub-Dept", "Brand", "Sizes", "VAT",
                         "Cost", "Retail"}));
  EXPECT_EQ(f.PanelFound->text(), "Found: 0");
  EXPECT_FALSE(f.HasResults());
  EXPECT_TRUE(f.SGridRes->HasOption(kui::KvStringGrid::goRowSelect));
}

TEST(SearchResults, OkTakesTheSelectedRowAndOutsideTheRowsDoesNothing) {
  TFormSearchResults f;
  Fill(f, {"00000001", "00000002", "00000003"});
  f.SGridRes->SetRow(2);
  f.BitBtnOKClick();
  EXPECT_EQ(f.CurrentRootPLU, "00000002");
  EXPECT_EQ(f.CurrentIndex, 1);
  EXPECT_EQ(f.ModalResultValue(), kui::KvDialog::mrOk);

  TFormSearchResults g;
  g.SGridRes->SetRowCount(1);  // no data row: the selection lies outside the grid
  g.CurrentRootPLU = "KEPT";
  g.CurrentIndex = 7;
  g.BitBtnOKClick();
  EXPECT_EQ(g.CurrentRootPLU, "KEPT");
  EXPECT_EQ(g.CurrentIndex, 7);
  EXPECT_EQ(g.ModalResultValue(), kui::KvDialog::mrNone);
}

TEST(SearchResults, NavigateStopsAtBothEnds) {
  TFormSearchResults f;
  Fill(f, {"A1", "A2", "A3"});
  f.CurrentIndex = 2;
  f.CurrentRootPLU = "A3";
  EXPECT_EQ(f.Navigate(TFormSearchResults::navNext), "A3");
  EXPECT_EQ(f.CurrentIndex, 2);
  EXPECT_EQ(f.Navigate(TFormSearchResults::navPrior), "A2");
  EXPECT_EQ(f.Navigate(TFormSearchResults::navFirst), "A1");
  EXPECT_EQ(f.Navigate(TFormSearchResults::navPrior), "A1");
  EXPECT_EQ(f.CurrentIndex, 0);
  EXPECT_EQ(f.CurrentRootPLU, "A1");
  EXPECT_EQ(f.Navigate(TFormSearchResults::navLast), "A3");
  EXPECT_EQ(f.CurrentIndex, 2);
  // An empty list is left alone rather than read out of range.
  f.RootPLUs.clear();
  EXPECT_EQ(f.Navigate(TFormSearchResults::navNext), "A3");
}

TEST(SearchResults, CellsAreDrawnInTheirColours) {
  TFormSearchResults f;
  Fill(f, {"00000001", "00000002", "00000003"});
  f.show();
  QApplication::processEvents();
  f.SGridRes->SetRow(3);
  QImage image(f.SGridRes->viewport()->size(), QImage::Format_ARGB32);
  f.SGridRes->viewport()->render(&image);
  const auto colourAt = [&](int row) {
    const QRect r = f.SGridRes->CellRect(1, row);  // beside the text: only the brush shows
    return kvColourValue(image.pixelColor(r.bottomRight() - QPoint(4, 4)));
  };
  EXPECT_EQ(colourAt(0), 0x292929u);  // header
  EXPECT_EQ(colourAt(1), 0xFFFFFFu);  // odd row
  EXPECT_EQ(colourAt(2), 0xE9E9E9u);  // even row
  EXPECT_EQ(colourAt(3), 0x00FFFFu);  // selected row
}

TEST(SearchResults, ShowingAgainSelectsTheChosenRow) {
  TFormSearchResults f;
  Fill(f, {"00000001", "00000002", "00000003"});
  f.CurrentIndex = 2;
  f.CurrentRootPLU = "00000003";
  int shownRow = -1;
  kui::ScopedAnswerer answer([&](QDialog&) {
    shownRow = f.SGridRes->Row();
    f.BitBtnCancel->click();
  });
  EXPECT_FALSE(f.Execute());
  EXPECT_EQ(shownRow, 3);
  EXPECT_TRUE(f.HasResults());  // Cancel keeps the list
}

}  // namespace
