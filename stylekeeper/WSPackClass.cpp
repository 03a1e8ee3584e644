#include "WSPackClass.h"

#include "ColourSizeGridClass.h"
#include "KvDb.h"
#include "KvEditBaseline.h"

QString TWSPackClass::PackCodeSQL(const QString& style) {
  return "select barcode from wspacks where style = " + kdb::sql::Quote(style);
}

QString TWSPackClass::PackLinesSQL(const QString& style) {
  return "select wspacklines.plu, products.root_plu, wspacklines.qty, wspacklines.barcode from wspacklines"
         " inner join products on (wspacklines.plu = products.plu) where products.style = " +
         kdb::sql::Quote(style) + " order by products.root_plu, wspacklines.plu";
}

TWSPackClass::Lines TWSPackClass::ReadLines(kdb::DataSet& rows) {
  Lines lines;
  for (rows.First(); !rows.Eof(); rows.Next())
    lines.insert(rows.FieldByName("plu").AsString(),
                 {static_cast<int>(rows.FieldByName("qty").AsInteger()), rows.FieldByName("barcode").AsString()});
  return lines;
}

void TWSPackClass::PlaceLines(const Lines& lines, TColourSizeGridClass& grid) {
  grid.FillSizeCells("0");
  // A PLU is its root PLU followed by two size digits.
  for (auto it = lines.cbegin(); it != lines.cend(); ++it)
    grid.PlaceByPLU(it.key().left(it.key().size() - 2), it.key(), QString::number(it.value().qty));
}

TWSPackClass::Write TWSPackClass::Decide(const QString& plu, const QString& cellText, const QString& loadedText,
                                         const std::optional<Line>& loaded, const std::optional<Line>& stored,
                                         const QString& packCode) {
  if (cellText == loadedText) {
    if (!stored) return {true, TColourSizeGridClass::QuantityOf(cellText)};
    // A line left with another pack's code joins this pack as it stands.
    if (stored->barcode != packCode) return {true, stored->qty};
    return {};
  }
  const auto qty = [](const std::optional<Line>& l) { return l ? std::optional<int>(l->qty) : std::nullopt; };
  if (qty(stored) != qty(loaded)) throw kdb::EditConflict("QTY", "The pack quantity of PLU " + plu);
  return {true, TColourSizeGridClass::QuantityOf(cellText)};
}
