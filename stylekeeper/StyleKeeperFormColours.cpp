// TForm1: the colour list beside the style details, one entry per root PLU
// (colour) of the shown style: filling it, drawing an entry, and opening the
// colour of an entry clicked.
#include "StyleKeeperForm.h"

#include <QFileInfo>
#include <QPainter>

#include "DMBRulesF.h"
#include "DataModF.h"
#include "DisabledWindowClass.h"
#include "Format.h"
#include "KuiColour.h"
#include "KvEdit.h"
#include "KvStringGrid.h"

namespace {

constexpr const char* kWhite = "16777215";

}  // namespace

void TForm1::ConnectColourListHandlers() {
  SGridStyleColours->SetOption(kui::KvStringGrid::goRowSelect, true);
  SGridStyleColours->setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
  SGridStyleColours->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
  SGridStyleColours->OnDrawCell = [this](kui::KvStringGrid&, QPainter& p, int col, int row, const QRect& r,
                                         kui::KvGridDrawState) {
    try {
      SGridStyleColoursDrawCell(p, col, row, r);
    } catch (const std::exception& e) {
      DMDB->LogException(e, "TForm1::SGridStyleColoursDrawCell");
    }
  };
  SGridStyleColours->OnClick = [this](kui::KvStringGrid&) {
    Guard("TForm1::SGridStyleColoursClick", [this] { SGridStyleColoursClick(); });
  };
}

void TForm1::ClearColourList() {
  kui::KvStringGrid* g = SGridStyleColours;
  g->SetColCount(ccColumns);
  g->SetFixedCols(0);
  g->SetFixedRows(0);
  g->SetRowCount(0);
  g->SetRowCount(1);
  g->SetDefaultRowHeight(48);
  g->SetColWidth(0, 188);
  for (int c = 1; c < ccColumns; ++c) g->SetColWidth(c, 0);
  g->SetCell(3, 0, kWhite);
}

void TForm1::LoadColourList() {
  kdb::Query* q = DMDB->DBQueryRemote3;
  // One entry per root PLU: its sizes share colour and (normally) price.
  const QString sql =
      "select colour_name, colour_value, root_plu, min(retail_price) as retail_price"
      " from products where style = " + kdb::sql::Quote(EditSupplierStyle->text()) +
      " group by root_plu, colour_name, colour_value order by colour_name, root_plu";
  kui::KvStringGrid* g = SGridStyleColours;
  if (!DMDB->RunQuery(sql, q) || q->RecordCount() == 0) return;
  g->SetRowCount(0);
  g->SetRowCount(q->RecordCount());
  int row = 0;
  for (q->First(); !q->Eof(); q->Next(), ++row)
    g->SetRowTexts(row, {QString(), q->FieldByName("root_plu").AsString(),
                         q->FieldByName("colour_name").AsString(),
                         q->FieldByName("colour_value").AsString(),
                         kos::FormatFloat("0.00", q->FieldByName("retail_price").AsCurrency()), QString()});
  g->viewport()->update();
}

// ----- the colour list ---------------------------------------------------------------------------------

void TForm1::SGridStyleColoursDrawCell(QPainter& painter, int col, int row, const QRect& rect) {
  if (col != ccShown) return;
  kui::KvStringGrid* g = SGridStyleColours;
  const QColor back = kui::BgrColourOr(g->Cell(ccValue, row), Qt::white);
  painter.fillRect(rect, back);
  painter.setPen(kui::BgrColour(DMDB->ContrastFontColour(kui::ToBgr(back))));
  QRect r = rect.adjusted(2, 2, -2, -2);
  painter.drawText(r, Qt::AlignLeft | Qt::AlignTop, g->Cell(ccName, row));
  r.setTop(r.top() + 22);
  painter.drawText(r, Qt::AlignLeft | Qt::AlignTop, g->Cell(ccRetail, row));
  r.setLeft(r.left() + 100);
  r.setRight(r.right() - 24);
  QString picture = "N/A";
  if (DMDB->Setup->LOUseImages) {
    const QString rootPLU = g->Cell(ccRootPLU, row);
    // Only looked at, never opened: a regular file of that name.
    const bool has = !rootPLU.isEmpty() && QFileInfo(ImagesFolder + TDMBRules::GetImgFileName(rootPLU)).isFile();
    picture = has ? "Has image" : "No image";
  }
  // Right-aligned at the rectangle's right edge; a text wider than the
  // rectangle runs on to the left rather than losing its first letters.
  painter.drawText(r, Qt::AlignRight | Qt::AlignTop | Qt::TextDontClip, picture);
}

void TForm1::SGridStyleColoursClick() {
  kui::KvStringGrid* g = SGridStyleColours;
  const int row = g->Row();
  const QString rootPLU = g->Cell(ccRootPLU, row);
  if (rootPLU.isEmpty()) return;
  kdb::Query* q = DMDB->DBQueryRemote1;
  if (!DMDB->RunQuery(StyleByRootPLUSQL(rootPLU), q)) {
    DMDB->ShowMessage(StyleNotReadMessage());
    return;
  }
  if (q->RecordCount() == 0) {
    DMDB->ShowMessage("Unable to find Style Details with Colour: " + g->Cell(ccName, row));
    return;
  }
  SkDisabledWindow disabled(this);
  LoadStyleDetails();
  // Cancel from a new style started here comes back to this colour.
  RootPLUToOpen = rootPLU;
  g->SetRow(row);
}
