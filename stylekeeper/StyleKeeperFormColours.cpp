// TForm1: the colour list beside the style details, one entry per root PLU
// (colour) of the shown style. Drawing and clicking an entry, and the clone
// and alternate-colour steps that use the list, have their own file.
//
// Columns: 0 shown (drawn from the others), 1 root PLU, 2 colour name,
// 3 colour value (0x00BBGGRR as decimal text), 4 retail price "0.00", 5 empty.
#include "StyleKeeperForm.h"

#include "DataModF.h"
#include "Format.h"
#include "KvEdit.h"
#include "KvStringGrid.h"

namespace {

constexpr int kColourColumns = 6;
constexpr const char* kWhite = "16777215";

}  // namespace

void TForm1::ClearColourList() {
  kui::KvStringGrid* g = SGridStyleColours;
  g->SetColCount(kColourColumns);
  g->SetFixedCols(0);
  g->SetFixedRows(0);
  g->SetRowCount(0);
  g->SetRowCount(1);
  g->SetDefaultRowHeight(48);
  g->SetColWidth(0, 188);
  for (int c = 1; c < kColourColumns; ++c) g->SetColWidth(c, 0);
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
