#include "StyleStockQueryClass.h"

#include "DataModF.h"
#include "Format.h"

#include <algorithm>

namespace {

void Run(TDMDB& dm, const QString& sql, kdb::Query* query) {
  if (!dm.RunQuery(sql, query)) throw kdb::DbError(dm.LastError);
}

QString Money(kdb::Field& f) { return kos::FormatFloat("0.00", f.AsCurrency()); }

// Quantities by offset, each offset once, ascending.
void Settle(std::vector<std::pair<int, qint64>>& stock) {
  std::sort(stock.begin(), stock.end());
  size_t out = 0;
  for (size_t i = 0; i < stock.size(); ++i) {
    if (out > 0 && stock[out - 1].first == stock[i].first)
      stock[out - 1].second += stock[i].second;
    else
      stock[out++] = stock[i];
  }
  stock.resize(out);
}

}  // namespace

TStyleStockQueryClass::TStyleStockQueryClass(TDMDB& dm, QString branchCondition)
    : dm_(dm), branchCondition_(std::move(branchCondition)) {}

QString TStyleStockQueryClass::StockSql(const QStringList& styles, const QString& branchCondition) {
  QStringList quoted;
  quoted.reserve(styles.size());
  for (const QString& s : styles) quoted << kdb::sql::Quote(s);
  return "select p.style, bs.branch_id, p.root_plu, p.plu, p.size_offset, bs.stock_quantity,"
         " p.colour_name, p.sizesscale_id, p.supplier_name, p.brandlabel_name, p.style_ref,"
         " p.season_name, p.description, p.department_name, p.current_cost_price, p.retail_price"
         " from products p inner join branchstock bs on (bs.plu = p.plu)"
         " where p.style in (" +
         quoted.join(", ") + ")" + branchCondition +
         " order by p.style, coalesce(p.colour_name, ''), bs.branch_id, p.root_plu, p.plu";
}

QString TStyleStockQueryClass::ScaleSql(const QString& scaleId) {
  return "select s.counter, z.name, z.\"offset\" from sizesscale s"
         " left join sizes z on (z.sizesscale_id = s.id)"
         " where s.id = " +
         kdb::sql::Int(scaleId) + " order by z.\"offset\"";
}

std::vector<TStyleStock> TStyleStockQueryClass::LoadStyles(const QStringList& styles) {
  std::vector<TStyleStock> result(static_cast<size_t>(styles.size()));
  QHash<QString, size_t> slot;
  for (int i = 0; i < styles.size(); ++i) {
    result[static_cast<size_t>(i)].Style = styles[i];
    slot.insert(styles[i], static_cast<size_t>(i));
  }
  if (styles.isEmpty()) return result;

  kdb::Query* q = dm_.DBQueryRemote1;
  Run(dm_, StockSql(styles, branchCondition_), q);
  kdb::Field& style = q->Fields(0);
  kdb::Field& branch = q->Fields(1);
  kdb::Field& root = q->Fields(2);
  kdb::Field& offset = q->Fields(4);
  kdb::Field& quantity = q->Fields(5);

  TStyleStock* current = nullptr;
  TStyleStockLine* line = nullptr;
  QString lastStyle;
  for (q->First(); !q->Eof(); q->Next()) {
    const QString styleText = style.AsString();
    if (!current || styleText != lastStyle) {
      if (line) Settle(line->Stock);
      line = nullptr;
      lastStyle = styleText;
      const auto found = slot.constFind(styleText);
      current = found == slot.cend() ? nullptr : &result[found.value()];
    }
    if (!current) continue;
    const QString branchId = branch.AsString();
    const QString rootPLU = root.AsString();
    if (!line || line->BranchId != branchId || line->RootPLU != rootPLU) {
      if (line) Settle(line->Stock);
      // The first row of a line is its lowest PLU: it gives the descriptive columns.
      TStyleStockLine& l = current->Lines.emplace_back();
      l.BranchId = branchId;
      l.RootPLU = rootPLU;
      l.Colour = q->Fields(6).AsString();
      l.SizesScaleId = q->Fields(7).AsString();
      l.Supplier = q->Fields(8).AsString();
      l.Brand = q->Fields(9).AsString();
      l.Style = styleText;
      l.StyleRef = q->Fields(10).AsString();
      l.Season = q->Fields(11).AsString();
      l.Description = q->Fields(12).AsString();
      l.Department = q->Fields(13).AsString();
      l.Cost = Money(q->Fields(14));
      l.Retail = Money(q->Fields(15));
      line = &l;
    }
    if (offset.IsNull()) continue;
    const qint64 at = offset.AsInteger();
    if (at < 0 || at > kMaxOffset) continue;
    line->Stock.emplace_back(static_cast<int>(at), quantity.AsInteger());
  }
  if (line) Settle(line->Stock);
  q->Close();
  return result;
}

const TSizeScale& TStyleStockQueryClass::Scale(const QString& scaleId) {
  const auto known = scales_.constFind(scaleId);
  if (known != scales_.cend()) return known.value();
  TSizeScale scale;
  if (!scaleId.isEmpty()) {
    kdb::Query* q = dm_.DBQueryRemote2;
    Run(dm_, ScaleSql(scaleId), q);
    for (q->First(); !q->Eof(); q->Next()) {
      scale.Counter = static_cast<int>(q->Fields(0).AsInteger());
      if (q->Fields(2).IsNull()) continue;
      const qint64 offset = q->Fields(2).AsInteger();
      if (offset < 0 || offset > kMaxOffset) continue;
      if (offset >= static_cast<qint64>(scale.Names.size())) scale.Names.resize(static_cast<size_t>(offset) + 1);
      scale.Names[static_cast<size_t>(offset)] = q->Fields(1).AsString();
    }
    q->Close();
  }
  return scales_.insert(scaleId, std::move(scale)).value();
}
