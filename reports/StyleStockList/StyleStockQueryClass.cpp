#include "StyleStockQueryClass.h"

#include "DataModF.h"
#include "Format.h"

#include <algorithm>
#include <numeric>
#include <tuple>

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

// Quantities by offset, each offset once, ascending.
void Settle(std::vector<std::pair<int, qint64>>& stock) {
  if (std::adjacent_find(stock.begin(), stock.end(), [](const auto& a, const auto& b) {
        return a.first >= b.first;
      }) == stock.end())
    return;  // the usual case: PLUs in offset order
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

// Column numbers of ProductsSql, StockSql and AttributesSql.
enum ProductCol { kId, kStyle, kRoot, kPLU, kOffset };
enum StockCol { kStockPLU, kBranch, kQuantity };
enum AttributeCol {
  kAttrId, kColour, kScale, kSupplier, kBrand, kStyleRef, kSeason, kDescription, kDepartment, kCost, kRetail
};

constexpr int kNotFirst = -1;  // no line's first PLU
constexpr int kFirst = -2;     // a line's first PLU, its columns not read (yet)

// A PLU of the batch, in the order of ProductsSql.
struct Product {
  size_t style;         // slot in the batch
  int root;             // into the batch's root PLUs
  int offset;           // -1: none that a column can show
  qint64 id;            // PRODUCTS.ID
  QString plu;
  int attributes = kNotFirst;  // or kFirst until its columns are read, then their index
};

}  // namespace

TStyleStockQueryClass::TStyleStockQueryClass(TDMDB& dm, QString branchCondition)
    : dm_(dm), branchCondition_(std::move(branchCondition)) {}

QString TStyleStockQueryClass::ProductsSql(const QStringList& styles) {
  // In the order of the PRODUCTS(STYLE, ROOT_PLU, PLU, ...) index, from which
  // both engines read the PLUs without a sort: a root PLU's PLUs together and
  // in order.
  return "select p.id, p.style, p.root_plu, p.plu, p.size_offset from products p where p.style in (" +
         QuotedList(styles) + ") order by p.style, p.root_plu, p.plu";
}

QString TStyleStockQueryClass::StockSql(const QStringList& rootPLUs, const QString& branchCondition) {
  // In the order of BRANCHSTOCK(ROOT_PLU, BRANCH_ID, PLU, STOCK_QUANTITY),
  // which both engines read alone and without a sort: a line's rows
  // together, its lowest PLU first. A root PLU's rows lie together there,
  // where one seek finds them; looked up by PLU, each PLU costs a seek.
  return "select bs.plu, bs.branch_id, bs.stock_quantity from branchstock bs where bs.root_plu in (" +
         QuotedList(rootPLUs) + ")" + branchCondition + " order by bs.root_plu, bs.branch_id, bs.plu";
}

QString TStyleStockQueryClass::AttributesSql(const QStringList& ids) {
  return "select p.id, p.colour_name, p.sizesscale_id, p.supplier_name, p.brandlabel_name, p.style_ref,"
         " p.season_name, p.description, p.department_name, p.current_cost_price, p.retail_price"
         " from products p where p.id in (" +
         ids.join(", ") + ")";
}

QString TStyleStockQueryClass::ScaleSql(const QString& scaleId) {
  return "select s.counter, z.name, z.\"offset\" from sizesscale s"
         " left join sizes z on (z.sizesscale_id = s.id)"
         " where s.id = " +
         kdb::sql::Int(scaleId) + " order by z.\"offset\"";
}

const QString& TStyleStockQueryClass::MoneyText(kdb::Field& f) {
  const Currency value = f.AsCurrency();
  auto known = money_.constFind(value.Raw());
  if (known == money_.cend()) known = money_.insert(value.Raw(), kos::FormatFloat("0.00", value));
  return known.value();
}

const QString& TStyleStockQueryClass::BranchIdText(qint64 id) {
  auto known = branchIds_.constFind(id);
  if (known == branchIds_.cend()) known = branchIds_.insert(id, QString::number(id));
  return known.value();
}

std::vector<TStyleStock> TStyleStockQueryClass::LoadStyles(const QStringList& styles) {
  std::vector<TStyleStock> result(static_cast<size_t>(styles.size()));
  QHash<QString, size_t> slot;
  for (int i = 0; i < styles.size(); ++i) {
    result[static_cast<size_t>(i)].Style = styles[i];
    if (!slot.contains(styles[i])) slot.insert(styles[i], static_cast<size_t>(i));
  }
  if (styles.isEmpty()) return result;

  // The styles' PLUs: a style's root PLUs together, a root PLU's PLUs in
  // PLU order.
  std::vector<Product> products;
  QStringList roots;
  std::vector<int> rootFirst;  // the first PLU of each root PLU
  {
    kdb::Query* q = dm_.DBQueryRemote1;
    Run(dm_, ProductsSql(styles), q);
    products.reserve(static_cast<size_t>(q->RecordCount()));
    kdb::Field& id = q->Fields(kId);
    kdb::Field& style = q->Fields(kStyle);
    kdb::Field& root = q->Fields(kRoot);
    kdb::Field& plu = q->Fields(kPLU);
    kdb::Field& offset = q->Fields(kOffset);
    QString lastStyle;
    size_t styleSlot = result.size();
    QString s, r;  // read into the same buffers row after row
    for (q->First(); !q->Eof(); q->Next()) {
      style.AsStringInto(s);
      root.AsStringInto(r);
      if (products.empty() || s != lastStyle) {
        lastStyle = s;
        styleSlot = slot.value(s, result.size());  // never another style: the IN list holds them all
        roots << r;
        rootFirst.push_back(static_cast<int>(products.size()));
      } else if (r != roots.last()) {
        roots << r;
        rootFirst.push_back(static_cast<int>(products.size()));
      }
      Product p{styleSlot, static_cast<int>(roots.size()) - 1, -1, id.AsInteger(), plu.AsString()};
      qint64 at = offset.AsInteger();
      if (at == 0 && offset.IsNull()) at = -1;  // NULL reads as 0
      if (at >= 0 && at <= kMaxOffset) p.offset = static_cast<int>(at);
      products.push_back(std::move(p));
    }
    q->Close();
  }
  if (products.empty()) return result;

  // Their stock rows, read by root PLU; a row counts for the PLU it names
  // when that is one of the styles' PLUs. Each (root PLU, branch) is a line,
  // its first PLU the lowest with a row there.
  struct LineRef {
    int root;
    int firstPLU;
    qint64 branch;
    int next;  // the root PLU's next line, -1 after its last
  };
  std::vector<LineRef> refs;
  struct StockEntry {
    int line;
    int offset;
    qint64 quantity;
  };
  std::vector<StockEntry> entries;
  {
    QStringList distinctRoots = roots;
    distinctRoots.removeDuplicates();
    kdb::Query* q = dm_.DBQueryRemote1;
    Run(dm_, StockSql(distinctRoots, branchCondition_), q);
    entries.reserve(static_cast<size_t>(q->RecordCount()));
    kdb::Field& plu = q->Fields(kStockPLU);
    kdb::Field& branch = q->Fields(kBranch);
    kdb::Field& quantity = q->Fields(kQuantity);
    std::vector<int> rootLines(roots.size(), -1);  // the first line of each root PLU
    QHash<QString, int> productOf;                 // made when a row is not where the rows before it point
    int last = -1;  // the PLU of the row before
    int line = -1;
    QString p;
    for (q->First(); !q->Eof(); q->Next()) {
      plu.AsStringInto(p);
      // The usual next row: the PLU after the last one (the first PLU at the
      // start), or the first of its root PLU at the next branch.
      int at = -1;
      if (static_cast<size_t>(last + 1) < products.size() && products[static_cast<size_t>(last + 1)].plu == p)
        at = last + 1;
      else if (last >= 0) {
        const int first = rootFirst[static_cast<size_t>(products[static_cast<size_t>(last)].root)];
        if (products[static_cast<size_t>(first)].plu == p) at = first;
      }
      if (at < 0) {
        if (productOf.isEmpty()) {
          productOf.reserve(static_cast<qsizetype>(products.size()));
          for (size_t i = 0; i < products.size(); ++i) productOf.insert(products[i].plu, static_cast<int>(i));
        }
        at = productOf.value(p, -1);
        if (at < 0) continue;  // no PLU of the styles
      }
      last = at;
      const Product& product = products[static_cast<size_t>(at)];
      const qint64 b = branch.AsInteger();
      if (line < 0 || refs[static_cast<size_t>(line)].root != product.root || refs[static_cast<size_t>(line)].branch != b) {
        int& head = rootLines[static_cast<size_t>(product.root)];
        line = head;
        while (line >= 0 && refs[static_cast<size_t>(line)].branch != b) line = refs[static_cast<size_t>(line)].next;
        if (line < 0) {
          line = static_cast<int>(refs.size());
          refs.push_back({product.root, at, b, head});
          head = line;
        }
      }
      LineRef& ref = refs[static_cast<size_t>(line)];
      if (at < ref.firstPLU) ref.firstPLU = at;  // a root PLU's PLUs lie in PLU order
      if (product.offset >= 0) entries.push_back({line, product.offset, quantity.AsInteger()});
    }
    q->Close();
  }
  if (refs.empty()) return result;
  std::vector<std::vector<std::pair<int, qint64>>> stocks(refs.size());  // by line
  {
    std::vector<int> counts(refs.size());
    for (const StockEntry& e : entries) ++counts[static_cast<size_t>(e.line)];
    for (size_t l = 0; l < stocks.size(); ++l) stocks[l].reserve(static_cast<size_t>(counts[l]));
    for (const StockEntry& e : entries) stocks[static_cast<size_t>(e.line)].emplace_back(e.offset, e.quantity);
    entries = {};
  }

  // The descriptive columns of the lines' first PLUs.
  QStringList firstIds;
  QHash<qint64, int> firstOf;  // PRODUCTS.ID -> index
  for (const LineRef& ref : refs) {
    Product& first = products[static_cast<size_t>(ref.firstPLU)];
    if (first.attributes != kNotFirst) continue;
    first.attributes = kFirst;
    firstOf.insert(first.id, ref.firstPLU);
    firstIds << QString::number(first.id);
  }
  std::vector<TStyleStockLine> attributes;
  attributes.reserve(static_cast<size_t>(firstIds.size()));
  {
    kdb::Query* q = dm_.DBQueryRemote1;
    Run(dm_, AttributesSql(firstIds), q);
    for (q->First(); !q->Eof(); q->Next()) {
      const int p = firstOf.value(q->Fields(kAttrId).AsInteger(), -1);
      if (p < 0) continue;
      products[static_cast<size_t>(p)].attributes = static_cast<int>(attributes.size());
      TStyleStockLine& c = attributes.emplace_back();
      c.Colour = q->Fields(kColour).AsString();
      c.SizesScaleId = q->Fields(kScale).AsString();
      c.Supplier = q->Fields(kSupplier).AsString();
      c.Brand = q->Fields(kBrand).AsString();
      c.StyleRef = q->Fields(kStyleRef).AsString();
      c.Season = q->Fields(kSeason).AsString();
      c.Description = q->Fields(kDescription).AsString();
      c.Department = q->Fields(kDepartment).AsString();
      c.Cost = MoneyText(q->Fields(kCost));
      c.Retail = MoneyText(q->Fields(kRetail));
    }
    q->Close();
  }
  static const TStyleStockLine none;
  const auto columnsOf = [&](const LineRef& ref) -> const TStyleStockLine& {
    const int a = products[static_cast<size_t>(ref.firstPLU)].attributes;
    return a >= 0 ? attributes[static_cast<size_t>(a)] : none;  // a PLU gone meanwhile: no columns
  };

  // Each style's lines by colour name (NULL as empty), branch id, root PLU:
  // the colours ranked once, then the lines sorted on numbers.
  std::vector<int> colourRank(attributes.size() + 1);  // the last: a line without columns
  {
    std::vector<int> byName(attributes.size());
    std::iota(byName.begin(), byName.end(), 0);
    std::sort(byName.begin(), byName.end(), [&](int a, int b) {
      return QString::compare(attributes[static_cast<size_t>(a)].Colour, attributes[static_cast<size_t>(b)].Colour) < 0;
    });
    int rank = 0;
    for (size_t i = 0; i < byName.size(); ++i) {
      if (i > 0 && attributes[static_cast<size_t>(byName[i])].Colour != attributes[static_cast<size_t>(byName[i - 1])].Colour)
        ++rank;
      colourRank[static_cast<size_t>(byName[i])] = rank;
    }
    // No columns (a PLU gone meanwhile): an empty colour name.
    colourRank.back() = !byName.empty() && attributes[static_cast<size_t>(byName[0])].Colour.isEmpty() ? 0 : -1;
  }
  struct SortKey {
    size_t style;
    int colour;
    qint64 branch;
    int root;  // roots come in root PLU order within a style
    size_t line;
    bool operator<(const SortKey& o) const {
      return std::tie(style, colour, branch, root, line) < std::tie(o.style, o.colour, o.branch, o.root, o.line);
    }
  };
  std::vector<SortKey> order;
  order.reserve(refs.size());
  for (size_t i = 0; i < refs.size(); ++i) {
    const Product& first = products[static_cast<size_t>(refs[i].firstPLU)];
    const int a = first.attributes;
    order.push_back({first.style, a >= 0 ? colourRank[static_cast<size_t>(a)] : colourRank.back(), refs[i].branch,
                     refs[i].root, i});
  }
  std::sort(order.begin(), order.end());
  {
    std::vector<size_t> perStyle(result.size());
    for (const SortKey& key : order)
      if (key.style < result.size()) ++perStyle[key.style];
    for (size_t i = 0; i < result.size(); ++i) result[i].Lines.reserve(perStyle[i]);
  }
  for (const SortKey& key : order) {
    if (key.style >= result.size()) continue;
    const LineRef& ref = refs[key.line];
    TStyleStock& owner = result[key.style];
    TStyleStockLine& l = owner.Lines.emplace_back();
    l.Stock = std::move(stocks[key.line]);
    Settle(l.Stock);
    const TStyleStockLine& c = columnsOf(ref);
    l.BranchId = BranchIdText(ref.branch);
    l.RootPLU = roots[ref.root];
    l.Style = owner.Style;
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

  // A style picked twice is listed twice.
  for (int i = 0; i < styles.size(); ++i) {
    const size_t first = slot.value(styles[i]);
    if (first != static_cast<size_t>(i)) result[static_cast<size_t>(i)].Lines = result[first].Lines;
  }
  return result;
}

void TStyleStockQueryClass::ReadStyles(const QStringList& styles,
                                       const std::function<void(const TStyleStock&)>& each) {
  const int batch = std::max(1, BatchStyles);
  for (int at = 0; at < styles.size(); at += batch)
    for (const TStyleStock& style : LoadStyles(styles.mid(at, batch))) each(style);
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
