#include "StyleStockQueryClass.h"

#include "DataModF.h"
#include "Format.h"

#include <QSet>

#include <algorithm>

namespace {

void Run(TDMDB& dm, const QString& sql, kdb::Query* query) {
  if (!dm.RunQuery(sql, query)) throw kdb::DbError(dm.LastError);
}

QString Money(kdb::Field& f) { return kos::FormatFloat("0.00", f.AsCurrency()); }

QString QuotedList(const QStringList& texts) {
  QStringList quoted;
  quoted.reserve(texts.size());
  for (const QString& t : texts) quoted << kdb::sql::Quote(t);
  return quoted.join(", ");
}

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
  // The figures only: the descriptive columns of a line come from its first
  // PLU (AttributesSql), not from every stock row.
  return "select p.style, bs.branch_id, p.root_plu, p.plu, p.size_offset, bs.stock_quantity"
         " from products p inner join branchstock bs on (bs.plu = p.plu)"
         " where p.style in (" +
         QuotedList(styles) + ")" + branchCondition +
         " order by p.style, coalesce(p.colour_name, ''), bs.branch_id, p.root_plu, p.plu";
}

QString TStyleStockQueryClass::AttributesSql(const QStringList& plus) {
  return "select p.plu, p.colour_name, p.sizesscale_id, p.supplier_name, p.brandlabel_name, p.style_ref,"
         " p.season_name, p.description, p.department_name, p.current_cost_price, p.retail_price"
         " from products p where p.plu in (" +
         QuotedList(plus) + ")";
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

  // The lines and their figures; each line notes its first PLU.
  struct LineRef {
    size_t style;
    size_t line;
    QString firstPLU;
  };
  std::vector<LineRef> lines;
  kdb::Query* q = dm_.DBQueryRemote1;
  Run(dm_, StockSql(styles, branchCondition_), q);
  kdb::Field& style = q->Fields(0);
  kdb::Field& branch = q->Fields(1);
  kdb::Field& root = q->Fields(2);
  kdb::Field& plu = q->Fields(3);
  kdb::Field& offset = q->Fields(4);
  kdb::Field& quantity = q->Fields(5);
  TStyleStockLine* line = nullptr;
  qint64 lineBranch = 0;
  for (q->First(); !q->Eof(); q->Next()) {
    const qint64 branchId = branch.AsInteger();
    const QString rootPLU = root.AsString();
    if (!line || lineBranch != branchId || line->RootPLU != rootPLU || line->Style != style.AsString()) {
      if (line) Settle(line->Stock);
      line = nullptr;
      const auto found = slot.constFind(style.AsString());
      if (found == slot.cend()) continue;
      TStyleStock& owner = result[found.value()];
      TStyleStockLine& l = owner.Lines.emplace_back();
      l.BranchId = branch.AsString();
      lineBranch = branchId;
      l.RootPLU = rootPLU;
      l.Style = owner.Style;
      line = &l;
      // Rows of a line come in PLU order: the first is its lowest PLU.
      lines.push_back({found.value(), owner.Lines.size() - 1, plu.AsString()});
    }
    if (offset.IsNull()) continue;
    const qint64 at = offset.AsInteger();
    if (at < 0 || at > kMaxOffset) continue;
    line->Stock.emplace_back(static_cast<int>(at), quantity.AsInteger());
  }
  if (line) Settle(line->Stock);
  q->Close();
  if (lines.empty()) return result;

  // The descriptive columns of the lines' first PLUs.
  QStringList plus;
  QSet<QString> asked;
  for (const LineRef& l : lines)
    if (!asked.contains(l.firstPLU)) {
      asked.insert(l.firstPLU);
      plus << l.firstPLU;
    }
  QHash<QString, TStyleStockLine> columns;
  Run(dm_, AttributesSql(plus), q);
  for (q->First(); !q->Eof(); q->Next()) {
    TStyleStockLine& c = columns[q->Fields(0).AsString()];
    c.Colour = q->Fields(1).AsString();
    c.SizesScaleId = q->Fields(2).AsString();
    c.Supplier = q->Fields(3).AsString();
    c.Brand = q->Fields(4).AsString();
    c.StyleRef = q->Fields(5).AsString();
    c.Season = q->Fields(6).AsString();
    c.Description = q->Fields(7).AsString();
    c.Department = q->Fields(8).AsString();
    c.Cost = Money(q->Fields(9));
    c.Retail = Money(q->Fields(10));
  }
  q->Close();
  for (const LineRef& ref : lines) {
    TStyleStockLine& l = result[ref.style].Lines[ref.line];
    const TStyleStockLine& c = columns[ref.firstPLU];
    l.Colour = c.Colour;
    l.SizesScaleId = c.SizesScaleId;
    l.Supplier = c.Supplier;
    l.Brand = c.Brand;
    l.StyleRef = c.StyleRef;
    l.Season = c.Season;
    l.Description = c.Description;
    l.Department = c.Department;
    l.Cost = c.Cost;
    l.Retail = c.Retail;
  }
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
