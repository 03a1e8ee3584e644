#include "BrokenSizeQueryClass.h"

#include "DataModF.h"

namespace {

void Run(TDMDB& dm, const QString& sql, kdb::Query* query) {
  if (!dm.RunQuery(sql, query)) throw kdb::DbError(dm.LastError);
}

QString QuotedList(const QStringList& texts) {
  QStringList quoted;
  quoted.reserve(texts.size());
  for (const QString& t : texts) quoted << kdb::sql::Quote(t);
  return quoted.join(", ");
}

}  // namespace

const std::vector<TBrokenStockRecord>& TBrokenColour::StockAt(const QString& branchId) const {
  static const std::vector<TBrokenStockRecord> none;
  const auto found = Stock.constFind(branchId);
  return found == Stock.cend() ? none : found.value();
}

TBrokenSizeQueryClass::TBrokenSizeQueryClass(TDMDB& dm, QString branchId) : dm_(dm), branchId_(std::move(branchId)) {}

QString TBrokenSizeQueryClass::ProductsSql(const QStringList& styles) {
  return "select p.style, p.root_plu, p.plu, p.colour_name, p.size_name from products p"
         " where p.style in (" +
         QuotedList(styles) + ") order by p.style, coalesce(p.colour_name, ''), p.root_plu, p.size_offset, p.plu";
}

QString TBrokenSizeQueryClass::StockSql(const QStringList& rootPLUs, const QString& branchId) {
  QString sql = "select bs.root_plu, bs.branch_id, bs.plu, bs.stock_quantity from branchstock bs"
                " where bs.root_plu in (" +
                QuotedList(rootPLUs) + ")";
  if (!branchId.isEmpty()) sql += " and bs.branch_id = " + kdb::sql::Int(branchId);
  return sql;
}

int TBrokenSizeQueryClass::SizeIndex(const QString& plu) {
  bool ok = false;
  const int index = plu.mid(8, 2).toInt(&ok);
  return ok && index >= 0 ? index : 0;
}

std::vector<TBrokenStyle> TBrokenSizeQueryClass::LoadStyles(const QStringList& styles) {
  std::vector<TBrokenStyle> result(static_cast<size_t>(styles.size()));
  QHash<QString, size_t> slot;
  for (int i = 0; i < styles.size(); ++i) {
    result[static_cast<size_t>(i)].Style = styles[i];
    slot.insert(styles[i], static_cast<size_t>(i));
  }
  if (styles.isEmpty()) return result;

  // The colours and their size names.
  struct Place {
    size_t style;
    size_t colour;
  };
  QHash<QString, Place> colourOf;  // root PLU -> its colour
  QStringList rootPLUs;
  kdb::Query* q = dm_.DBQueryRemote1;
  Run(dm_, ProductsSql(styles), q);
  for (q->First(); !q->Eof(); q->Next()) {
    const auto found = slot.constFind(q->Fields(0).AsString());
    if (found == slot.cend()) continue;
    TBrokenStyle& style = result[found.value()];
    const QString root = q->Fields(1).AsString();
    auto place = colourOf.find(root);
    if (place == colourOf.end() || place->style != found.value()) {
      TBrokenColour& c = style.Colours.emplace_back();
      c.RootPLU = root;
      c.Colour = q->Fields(3).AsString();
      place = colourOf.insert(root, {found.value(), style.Colours.size() - 1});
      rootPLUs << root;
    }
    TBrokenColour& colour = style.Colours[place->colour];
    const int index = SizeIndex(q->Fields(2).AsString());
    if (index >= static_cast<int>(colour.SizeNames.size())) colour.SizeNames.resize(static_cast<size_t>(index) + 1);
    QString& name = colour.SizeNames[static_cast<size_t>(index)];
    if (name.isEmpty()) name = q->Fields(4).AsString();
  }
  q->Close();
  if (rootPLUs.isEmpty()) return result;

  // Their stock records.
  Run(dm_, StockSql(rootPLUs, branchId_), q);
  for (q->First(); !q->Eof(); q->Next()) {
    const auto place = colourOf.constFind(q->Fields(0).AsString());
    if (place == colourOf.cend()) continue;
    TBrokenColour& colour = result[place->style].Colours[place->colour];
    kdb::Field& quantity = q->Fields(3);
    colour.Stock[q->Fields(1).AsString()].push_back(
        {SizeIndex(q->Fields(2).AsString()), quantity.AsInteger(), quantity.AsString()});
  }
  q->Close();
  return result;
}
