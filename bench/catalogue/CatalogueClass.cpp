#include "CatalogueClass.h"

#include <QDate>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <functional>

#include "KvDb.h"
#include "SchemaClass.h"

namespace kvcat {

namespace {

// splitmix64: small, fast, and the same everywhere.
struct Rng {
  uint64_t s;
  Rng(uint64_t stream, uint64_t index) : s(stream * 0x9E3779B97F4A7C15ULL ^ (index + 0x632BE59BD9B4E019ULL)) { Next(); }
  uint64_t Next() {
    uint64_t z = (s += 0x9E3779B97F4A7C15ULL);
    z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ULL;
    z = (z ^ (z >> 27)) * 0x94D049BB133111EBULL;
    return z ^ (z >> 31);
  }
  int Below(int n) { return n <= 0 ? 0 : int(Next() % uint64_t(n)); }
  double Unit() { return double(Next() >> 11) * (1.0 / 9007199254740992.0); }
  bool Chance(double p) { return Unit() < p; }
  int Between(int lo, int hi) { return lo + Below(hi - lo + 1); }
};

// The streams of the passes; a style's rows in one pass never depend on another pass.
enum Stream : uint64_t { kShape = 1, kStock = 2, kOrders = 3, kTransfers = 4, kReturns = 5, kWriteOffs = 6,
                         kSales = 7, kLists = 8 };

const char* const kBranchNames[] = {"MANCHESTER", "SHEFFIELD", "NEWCASTLE", "BRISTOL", "NORWICH",
                                    "CHESTER", "BATH", "DURHAM", "LINCOLN", "EXETER"};
const char* const kCategoryNames[] = {"FOOTWEAR", "LINGERIE", "NIGHTWEAR", "SPORTSWEAR", "OUTERWEAR",
                                      "SCHOOLWEAR", "WORKWEAR", "BRIDAL"};
const char* const kDepartmentNames[] = {
    "COATS", "SKIRTS", "JUMPSUITS", "SHORTS", "SWIMWEAR", "LOUNGEWEAR", "POLO SHIRTS", "HOODIES",
    "TRAINERS", "BOOTS", "SANDALS", "BRAS", "BRIEFS", "PYJAMAS", "DRESSING GOWNS", "LEGGINGS",
    "TRACKSUITS", "GILETS", "WAISTCOATS", "SUITS", "TIES", "HATS", "GLOVES", "SOCKS", "JEWELLERY",
    "PURSES", "WALLETS", "UMBRELLAS", "SUNGLASSES", "CHINOS", "BLAZERS", "PARKAS", "ANORAKS", "VESTS"};
const char* const kBrandWords[] = {"ALDER", "BRACKEN", "CALDER", "DERWENT", "EDEN", "FELL", "GRETA", "HOLME",
                                   "IRWELL", "KENNET", "LUNE", "MERSEY", "NIDD", "OUSE", "RIBBLE", "SWALE",
                                   "TEES", "URE", "WHARFE", "WYE", "YARE", "AVON", "COLNE", "DOVE",
                                   "ESK", "FROME", "GOYT", "HULL"};
const char* const kSupplierWords[] = {
    "ABBEY", "BEACON", "CASTLE", "DALES", "EMPIRE", "FOREST", "GRANGE", "HARBOUR", "IMPERIAL", "JUBILEE",
    "KESTREL", "LANTERN", "MEADOW", "NORTHGATE", "ORCHARD", "PRIORY", "QUAYSIDE", "REGENT", "SOVEREIGN",
    "TUDOR", "UNION", "VALLEY", "WESTFIELD", "YORKSHIRE", "ANCHOR", "BRIDGE", "CROWN", "DOLPHIN",
    "EAGLE", "FALCON", "GLOBE", "HERON", "ISLAND", "JUNCTION", "KINGSWAY", "LION", "MILLSTONE", "NEPTUNE"};
const char* const kSupplierKinds[] = {"CLOTHING", "TEXTILES", "FASHIONS", "KNITWEAR", "DENIM", "APPAREL",
                                      "GARMENTS", "TRADING"};
const char* const kShades[] = {"DARK", "LIGHT", "PALE", "DEEP", "BRIGHT", "DUSTY", "SOFT", "MID", "WASHED", "VIVID"};
const char* const kHues[] = {"BLUE", "GREEN", "GREY", "PINK", "RED", "BROWN", "PURPLE", "YELLOW",
                             "ORANGE", "TEAL", "OLIVE", "CORAL", "SAND", "MINT"};
const char* const kFits[] = {"SLIM", "REGULAR", "RELAXED", "OVERSIZED", "CROPPED", "TAILORED", "CLASSIC",
                             "STRETCH"};
const char* const kFabrics[] = {"COTTON", "LINEN", "WOOL", "DENIM", "JERSEY", "SATIN", "FLEECE", "CORD",
                                "VISCOSE", "TWILL"};
// Sizes of the grown scales: most ranges are short, a few very long.
const int kScaleSizes[] = {5, 5, 6, 6, 7, 8, 8, 10, 12, 14, 16, 18, 20, 24, 30};

template <class T, size_t N>
constexpr int Count(const T (&)[N]) { return int(N); }

// The k-th name of a word list, numbered once the list has run out.
template <size_t N>
QString NameAt(const char* const (&words)[N], int k) {
  const QString word = words[size_t(k) % N];
  return k < int(N) ? word : QString("%1 %2").arg(word).arg(k / int(N) + 1);
}

std::string Pad(long long v, int width) {
  std::string s = std::to_string(v);
  return s.size() < size_t(width) ? std::string(size_t(width) - s.size(), '0') + s : s;
}

std::string StampOf(const QDate& d, int secondOfDay) {
  char buf[32];
  std::snprintf(buf, sizeof buf, "%04d-%02d-%02d %02d:%02d:%02d", d.year(), d.month(), d.day(),
                secondOfDay / 3600, secondOfDay / 60 % 60, secondOfDay % 60);
  return buf;
}

const QStringList kParameterColumns = {"ID", "NAME", "TYPE", "RATE", "VALUE", "EXTRA", "PARENT_ID", "PARENT_NAME"};

}  // namespace

CatalogueSize SizeFromScale(const QString& scale) {
  if (scale == "small") return {"small", 400, 40000};
  bool ok = false;
  const int n = scale.toInt(&ok);
  if (ok && n > 0) return {QString::number(n), n, 100LL * n};
  return {"full", 100000, 10000000};
}

CatalogueSize SizeFromEnvironment() { return SizeFromScale(qEnvironmentVariable("KV_BENCH_SCALE")); }

// ----- reading the starter lists -----

CodeLists ReadCodeLists(kdb::Database& db) {
  CodeLists l;
  kdb::Query q(&db);
  q.SQL = "SELECT ID, NAME FROM BRANCHES ORDER BY ID";
  q.ExecSQL();
  for (; !q.Eof(); q.Next()) {
    l.branches.push_back({q.Fields(0).AsInteger(), q.Fields(1).AsString()});
    l.maxBranchId = std::max(l.maxBranchId, q.Fields(0).AsInteger());
  }
  q.SQL = "SELECT ID, NAME, TYPE, RATE, EXTRA, PARENT_ID FROM PARAMETERS ORDER BY ID";
  q.ExecSQL();
  for (; !q.Eof(); q.Next()) {
    const Entry e{q.Fields(0).AsInteger(), q.Fields(1).AsString(), q.Fields(5).AsInteger(), q.Fields(3).AsFloat(),
                  q.Fields(4).AsString()};
    l.maxParameterId = std::max(l.maxParameterId, e.id);
    const QString type = q.Fields(2).AsString();
    if (type == "SUPPLIER") l.suppliers.push_back(e);
    else if (type == "BRANDLABEL") l.brands.push_back(e);
    else if (type == "SEASON") l.seasons.push_back(e);
    else if (type == "CATEGORY") l.categories.push_back(e);
    else if (type == "DEPARTMENT") l.departments.push_back(e);
    else if (type == "SUBDEPARTMENT") l.subdepartments.push_back(e);
    else if (type == "COLOUR") l.colours.push_back(e);
    else if (type == "VAT") l.vats.push_back(e);
  }
  q.SQL = "SELECT ID, NAME, DEFAULT_ID FROM SIZESSCALE ORDER BY ID";
  q.ExecSQL();
  for (; !q.Eof(); q.Next()) {
    l.scales.push_back({q.Fields(0).AsInteger(), q.Fields(1).AsString(), {}});
    l.maxScaleId = std::max(l.maxScaleId, q.Fields(0).AsInteger());
    if (!l.defaultScaleId) l.defaultScaleId = q.Fields(2).AsInteger();
  }
  q.SQL = "SELECT ID, SIZESSCALE_ID, NAME FROM SIZES ORDER BY SIZESSCALE_ID, \"offset\"";
  q.ExecSQL();
  for (; !q.Eof(); q.Next()) {
    l.maxSizeId = std::max(l.maxSizeId, q.Fields(0).AsInteger());
    for (SizeScale& s : l.scales)
      if (s.id == q.Fields(1).AsInteger()) s.sizes.push_back({q.Fields(0).AsInteger(), q.Fields(2).AsString()});
  }
  if (l.branches.empty() || l.suppliers.empty() || l.brands.empty() || l.seasons.empty() ||
      l.categories.empty() || l.departments.empty() || l.colours.empty() || l.vats.empty() || l.scales.empty())
    throw kdb::DbError("Catalogue: the starter data's code lists are missing");
  return l;
}

// ----- the generator -----

struct CatalogueGenerator::Style {
  int supplier = 0, brand = 0, season = 0, department = 0, subdepartment = -1, vat = 0, scale = 0;
  std::vector<int> colours;
  long long cost = 0, retail = 0;  // raw money
  bool ecom = false;
  bool dearLargeSizes = false;     // the upper third of the sizes cost more (per-PLU prices)
  int createdDay = 0, createdSecond = 0;
  std::string code, ref, description;
};

CatalogueGenerator::CatalogueGenerator(CatalogueSize size, CodeLists lists)
    : size_(std::move(size)), lists_(std::move(lists)) {
  WeighScales();
}

void CatalogueGenerator::WeighScales() {
  // Short ranges are the common case; a range of 30 sizes is rare.
  scaleWeights_.clear();
  double sum = 0;
  for (const SizeScale& s : lists_.scales) {
    const size_t n = s.sizes.size();
    sum += n == 0 ? 0 : n == 1 ? 0.3 : n <= 6 ? 4 : n <= 8 ? 1.2 : n <= 12 ? 0.4 : 0.1;
    scaleWeights_.push_back(sum);
  }
}

void CatalogueGenerator::WriteCodeLists(RowSink& sink) {
  Rng rng(kLists, 0);
  CodeLists& l = lists_;

  sink.Begin("BRANCHES", {"ID", "NAME", "CODE"});
  Row row;
  for (int k = 0; int(l.branches.size()) < ListTargets::kBranches && k < Count(kBranchNames); ++k) {
    const Entry e{++l.maxBranchId, kBranchNames[k]};
    sink.Add(row.Int(e.id).Text(e.name).Text(e.name.left(3)));
    row.Clear();
    l.branches.push_back(e);
  }
  sink.End();

  sink.Begin("PARAMETERS", kParameterColumns);
  auto param = [&](std::vector<Entry>& list, const char* type, Entry e, const QString& parentName) {
    e.id = ++l.maxParameterId;
    row.Clear();
    row.Int(e.id).Text(e.name).Text(std::string(type)).Real(e.rate).Money(0).Text(e.extra).Int(e.parent)
        .Text(parentName);
    sink.Add(row);
    list.push_back(e);
    return e.id;
  };
  for (int k = 0; int(l.categories.size()) < ListTargets::kCategories && k < Count(kCategoryNames); ++k)
    param(l.categories, "CATEGORY", {0, kCategoryNames[k], 0, 0, {}}, QString(kCategoryNames[k]).left(2));
  const long long standardVat = l.vats.front().id;
  for (int k = 0; int(l.departments.size()) < ListTargets::kDepartments; ++k) {
    const Entry& category = l.categories[size_t(k) % l.categories.size()];
    const QString name = NameAt(kDepartmentNames, k);
    const long long dept =
        param(l.departments, "DEPARTMENT", {0, name, category.id, 0, QString::number(standardVat)}, category.name);
    for (const char* kind : {"CORE", "FASHION"})
      param(l.subdepartments, "SUBDEPARTMENT",
            {0, name + " " + kind, dept, 0, QString("%1%2").arg(QChar('A' + k % 26)).arg(kind[0])}, name);
  }
  const long long defaultBrand = l.brands.front().parent;
  for (int k = 0; int(l.brands.size()) < ListTargets::kBrands; ++k)
    param(l.brands, "BRANDLABEL", {0, NameAt(kBrandWords, k) + " & CO", defaultBrand, 0, NameAt(kBrandWords, k).left(3)},
          {});
  const long long defaultSeason = l.seasons.front().parent;
  for (int year = 2019; int(l.seasons.size()) < ListTargets::kSeasons && year <= 2024; ++year)
    for (const char* half : {"SPRING SUMMER", "AUTUMN WINTER"}) {
      const QString name = QString("%1 %2").arg(half).arg(year);
      const bool known = std::any_of(l.seasons.begin(), l.seasons.end(), [&](const Entry& e) { return e.name == name; });
      if (!known && int(l.seasons.size()) < ListTargets::kSeasons)
        param(l.seasons, "SEASON", {0, name, defaultSeason, 0, QString(QChar('E' + int(l.seasons.size())))}, {});
    }
  for (int k = 0; int(l.suppliers.size()) < ListTargets::kSuppliers; ++k) {
    const QString name = QString("%1 %2 LTD").arg(kSupplierWords[k % Count(kSupplierWords)],
                                                  kSupplierKinds[k / Count(kSupplierWords) % Count(kSupplierKinds)]);
    param(l.suppliers, "SUPPLIER", {0, name, 0, double(rng.Below(2)), {}}, {});
  }
  for (int k = 0; int(l.colours.size()) < ListTargets::kColours; ++k) {
    const char* hue = kHues[k % Count(kHues)];
    const QString name = QString("%1 %2").arg(NameAt(kShades, k / Count(kHues)), hue);
    param(l.colours, "COLOUR", {0, name, 0, double(rng.Next() & 0xFFFFFF), {}},
          QString(hue).left(1) + QString(hue).mid(1).toLower());
  }
  sink.End();

  sink.Begin("SIZESSCALE", {"ID", "NAME", "COUNTER", "DEFAULT_ID"});
  std::vector<SizeScale> grown;
  for (int k = 0; int(l.scales.size() + grown.size()) < ListTargets::kScales; ++k) {
    const int n = kScaleSizes[k % Count(kScaleSizes)];
    const int first = 2 * (k % 10) + 4;
    SizeScale s{++l.maxScaleId, QString("RANGE %1-%2 (%3)").arg(first).arg(first + 2 * (n - 1)).arg(k + 1), {}};
    for (int i = 0; i < n; ++i) s.sizes.push_back({++l.maxSizeId, QString::number(first + 2 * i)});
    row.Clear();
    sink.Add(row.Int(s.id).Text(s.name).Int(n).Int(l.defaultScaleId));
    grown.push_back(s);
  }
  sink.End();
  sink.Begin("SIZES", {"ID", "SIZESSCALE_ID", "NAME", kvschema::Ident("offset"), "RATIO"});
  for (const SizeScale& s : grown) {
    for (size_t i = 0; i < s.sizes.size(); ++i) {
      row.Clear();
      const int middle = int(s.sizes.size()) / 2;
      sink.Add(row.Int(s.sizes[i].id).Int(s.id).Text(s.sizes[i].name).Int(long(i))
                   .Int(std::max(1, 3 - std::abs(int(i) - middle))));
    }
    l.scales.push_back(s);
  }
  sink.End();
  WeighScales();
}

CatalogueGenerator::Style CatalogueGenerator::Shape(int style) const {
  Rng rng(kShape, uint64_t(style));
  const CodeLists& l = lists_;
  Style s;
  s.supplier = rng.Below(int(l.suppliers.size()));
  s.brand = rng.Below(int(l.brands.size()));
  s.season = rng.Below(int(l.seasons.size()));
  s.department = rng.Below(int(l.departments.size()));
  std::vector<int> subs;
  for (size_t k = 0; k < l.subdepartments.size(); ++k)
    if (l.subdepartments[k].parent == l.departments[size_t(s.department)].id) subs.push_back(int(k));
  if (!subs.empty() && rng.Chance(0.8)) s.subdepartment = subs[size_t(rng.Below(int(subs.size())))];
  const QString vatId = l.departments[size_t(s.department)].extra;
  for (size_t k = 0; k < l.vats.size(); ++k)
    if (QString::number(l.vats[k].id) == vatId) s.vat = int(k);
  const double pick = rng.Unit() * scaleWeights_.back();
  s.scale = int(std::upper_bound(scaleWeights_.begin(), scaleWeights_.end(), pick) - scaleWeights_.begin());
  s.scale = std::min(s.scale, int(l.scales.size()) - 1);
  const double c = rng.Unit();
  const int colours = c < 0.45 ? 1 : c < 0.72 ? 2 : c < 0.86 ? 3 : c < 0.95 ? 4 : 5;
  while (int(s.colours.size()) < colours) {
    const int colour = rng.Below(int(l.colours.size()));
    if (std::find(s.colours.begin(), s.colours.end(), colour) == s.colours.end()) s.colours.push_back(colour);
  }
  s.cost = 20000 + 500LL * rng.Below(1200);                          // 2.00 to 61.95
  s.retail = ((s.cost * 24 / 10 + 9999) / 10000) * 10000 - 100;       // marked up, ending .99
  s.ecom = rng.Chance(0.3);
  s.dearLargeSizes = l.scales[size_t(s.scale)].sizes.size() >= 8 && rng.Chance(0.2);
  // Older styles first: creation days spread over six years in style order.
  s.createdDay = int(2190.0 * style / std::max(1, size_.styles)) + rng.Below(3);
  s.createdSecond = 8 * 3600 + rng.Below(10 * 3600);
  const QString supplier = l.suppliers[size_t(s.supplier)].name;
  s.code = (supplier.left(2) + supplier.section(' ', 1, 1).left(1)).toStdString() + Pad(style + 1, 6);
  s.ref.assign("R").append(Pad(rng.Below(100000), 5));  // not "R" + ...: GCC 12 warns falsely (-Wrestrict) on that at -O3
  s.description = std::string(kFits[rng.Below(Count(kFits))]) + " " + kFabrics[rng.Below(Count(kFabrics))] + " " +
                  l.departments[size_t(s.department)].name.toStdString();
  return s;
}

namespace {

// Every PLU in id order: style, its shape, colour index, size index, the
// row's id and its root PLU's first id.
template <class ShapeFn, class Fn>
void ForEachPlu(int styles, const std::vector<SizeScale>& scales, ShapeFn shape, Fn fn) {
  long long id = 0;
  for (int style = 0; style < styles; ++style) {
    const auto s = shape(style);
    const size_t sizes = scales[size_t(s.scale)].sizes.size();
    for (size_t c = 0; c < s.colours.size(); ++c) {
      const long long root = id + 1;
      for (size_t k = 0; k < sizes; ++k) fn(style, s, c, k, ++id, root);
    }
  }
}

std::string RootText(long long rootId) { return Pad(rootId, 8); }
std::string PluText(long long rootId, size_t size) { return Pad(rootId, 8) + Pad(long(size), 2); }

}  // namespace

void CatalogueGenerator::WriteProducts(RowSink& sink) {
  const CodeLists& l = lists_;
  sink.Begin("PRODUCTS",
             {"ID", "ROOT_PLU", "PLU", "DATE_CREATED", "DATE_LASTDEL", "STYLE", "STYLE_REF", "DESCRIPTION",
              "COLOUR_ID", "COLOUR_NAME", "COLOUR_VALUE", "SUPPLIER_ID", "SUPPLIER_NAME", "BRANDLABEL_ID",
              "BRANDLABEL_NAME", "SEASON_ID", "SEASON_NAME", "CATEGORY_ID", "CATEGORY_NAME", "DEPARTMENT_ID",
              "DEPARTMENT_NAME", "SUBDEPARTMENT_ID", "SUBDEPARTMENT_NAME", "ECOM_FLAG", "SIZESSCALE_ID",
              "SIZESSCALE_NAME", "SIZE_ID", "SIZE_NAME", "SIZE_OFFSET", "VAT_ID", "VAT_NAME", "VAT_RATE",
              "CURRENT_COST_PRICE", "RETAIL_PRICE", "WHOLESALE_PRICE", "SALEPRICE", "EXTERNAL_BARCODE", "SKU"});
  Row row;
  const QDate epoch(2019, 1, 1);
  std::string created;
  int createdFor = -1;
  ForEachPlu(size_.styles, l.scales, [this](int st) { return Shape(st); },
             [&](int style, const Style& s, size_t c, size_t k, long long id, long long root) {
               if (createdFor != style) {
                 created = StampOf(epoch.addDays(s.createdDay), s.createdSecond);
                 createdFor = style;
               }
               const Entry& colour = l.colours[size_t(s.colours[c])];
               const Entry& dept = l.departments[size_t(s.department)];
               const Entry* category = &l.categories.front();
               for (const Entry& e : l.categories)
                 if (e.id == dept.parent) category = &e;
               const SizeScale& scale = l.scales[size_t(s.scale)];
               const Entry& vat = l.vats[size_t(s.vat)];
               const bool dear = s.dearLargeSizes && k * 3 >= scale.sizes.size() * 2;
               const long long cost = s.cost + (dear ? 5000 : 0), retail = s.retail + (dear ? 20000 : 0);
               row.Clear();
               row.Int(id).Text(RootText(root)).Text(PluText(root, k)).Stamp(created).Stamp(created)
                   .Text(s.code).Text(s.ref).Text(s.description)
                   .Int(colour.id).Text(colour.name).Int(static_cast<long long>(colour.rate))
                   .Int(l.suppliers[size_t(s.supplier)].id).Text(l.suppliers[size_t(s.supplier)].name)
                   .Int(l.brands[size_t(s.brand)].id).Text(l.brands[size_t(s.brand)].name)
                   .Int(l.seasons[size_t(s.season)].id).Text(l.seasons[size_t(s.season)].name)
                   .Int(category->id).Text(category->name).Int(dept.id).Text(dept.name);
               if (s.subdepartment >= 0)
                 row.Int(l.subdepartments[size_t(s.subdepartment)].id).Text(l.subdepartments[size_t(s.subdepartment)].name);
               else
                 row.Null().Null();
               row.Bool(s.ecom).Int(scale.id).Text(scale.name).Int(scale.sizes[k].id).Text(scale.sizes[k].name)
                   .Int(long(k)).Int(vat.id).Text(vat.name).Real(vat.rate)
                   .Money(cost).Money(retail).Money(cost * 3 / 2 / 100 * 100).Money(0);
               // Barcodes on most PLUs, an SKU on some.
               if (id % 5 < 3) row.Text("50" + Pad(id * 7 + 1000000000LL, 11)); else row.Null();
               if (id % 5 == 0) row.Text("SKU-" + Pad(id, 9)); else row.Null();
               sink.Add(row);
             });
  sink.End();
}

void CatalogueGenerator::WriteStock(RowSink& sink) {
  const CodeLists& l = lists_;
  sink.Begin("BRANCHSTOCK", {"ID", "PLU", "ROOT_PLU", "BRANCH_ID", "BRANCH_NAME", "STOCK_QUANTITY",
                             "MIN_STOCK_QUANTITY", "MAX_STOCK_QUANTITY", "BARCODES_QUANTITY", "BSRETAIL_PRICE"});
  Row row;
  long long stockId = 0;
  long long id = 0;
  for (int style = 0; style < size_.styles; ++style) {
    const Style s = Shape(style);
    const size_t sizes = l.scales[size_t(s.scale)].sizes.size();
    Rng rng(kStock, uint64_t(style));
    for (size_t c = 0; c < s.colours.size(); ++c) {
      const long long root = id + 1;
      id += long(sizes);
      const std::string rootText = RootText(root);
      for (const Entry& branch : l.branches) {
        // A colour not ranged in a branch has no rows there at all.
        if (!rng.Chance(0.94)) continue;
        const std::string branchName = branch.name.toStdString();
        for (size_t k = 0; k < sizes; ++k) {
          if (!rng.Chance(0.965)) continue;  // a size never stocked: its row is missing
          const double r = rng.Unit();
          const int qty = r < 0.27 ? 0 : r < 0.30 ? -rng.Between(1, 3) : r < 0.75 ? rng.Between(1, 4) : rng.Between(5, 24);
          const bool levels = rng.Chance(0.3);
          row.Clear();
          sink.Add(row.Int(++stockId).Text(PluText(root, k)).Text(rootText).Int(branch.id).Text(branchName)
                       .Int(qty).Int(levels ? 1 : 0).Int(levels ? 8 : 0).Int(0).Money(0));
        }
      }
    }
  }
  sink.End();
}

void CatalogueGenerator::WriteMovements(RowSink& sink) {
  const CodeLists& l = lists_;
  long long plus = 0;
  for (int style = 0; style < size_.styles; ++style) {
    const Style s = Shape(style);
    plus += long(s.colours.size() * l.scales[size_t(s.scale)].sizes.size());
  }
  if (plus == 0) return;
  struct Table {
    Stream stream;
    QString name;
    QStringList columns;
    double share;
  };
  const std::vector<Table> tables = {
      {kSales, "TRANSACTIONS", {"ID", "FULL_PLU_STRING", "QUANTITY", "BRANCH_ID", "DATE"}, 0.60},
      {kOrders, "ORDERS", {"ID", "PLU", "QTY", "DELIVERY"}, 0.15},
      {kTransfers, "TRANSFERS", {"ID", "PLU", "QTY", "RECEIVED", "SOURCE", "DESTINATION"}, 0.10},
      {kReturns, "RETURNS", {"ID", "PLU", "QTY", "SOURCE"}, 0.075},
      {kWriteOffs, "WRITEOFFS", {"ID", "PLU", "QTY", "SOURCE"}, 0.075}};
  const QDate first(2023, 1, 1);
  Row row;
  for (const Table& t : tables) {
    const double perPlu = double(size_.movements) * t.share / double(plus);
    sink.Begin(t.name, t.columns);
    long long rowId = 0;
    int seeded = -1;
    Rng rng(t.stream, 0);
    ForEachPlu(size_.styles, l.scales, [this](int st) { return Shape(st); },
               [&](int style, const Style&, size_t, size_t k, long long, long long root) {
                 if (seeded != style) {
                   rng = Rng(t.stream, uint64_t(style));
                   seeded = style;
                 }
                 const int n = int(perPlu) + (rng.Chance(perPlu - std::floor(perPlu)) ? 1 : 0);
                 const std::string plu = PluText(root, k);
                 for (int m = 0; m < n; ++m) {
                   const long long branch = l.branches[size_t(rng.Below(int(l.branches.size())))].id;
                   row.Clear();
                   row.Int(++rowId).Text(plu);
                   switch (t.stream) {
                     case kSales:
                       row.Int(rng.Chance(0.04) ? -1 : rng.Between(1, 3)).Int(branch)
                           .Stamp(StampOf(first.addDays(rng.Below(900)), 9 * 3600 + rng.Below(9 * 3600)));
                       break;
                     case kOrders: {
                       const int qty = rng.Between(6, 60);
                       row.Int(qty).Int(rng.Chance(0.7) ? qty : rng.Below(qty));
                       break;
                     }
                     case kTransfers: {
                       const int qty = rng.Between(1, 10);
                       long long to = l.branches[size_t(rng.Below(int(l.branches.size())))].id;
                       if (to == branch) to = l.branches.front().id == branch ? l.branches.back().id : l.branches.front().id;
                       row.Int(qty).Int(rng.Chance(0.9) ? qty : 0).Int(branch).Int(to);
                       break;
                     }
                     default: row.Int(rng.Between(1, 3)).Int(branch); break;
                   }
                   sink.Add(row);
                 }
               });
    sink.End();
  }
}

void CatalogueGenerator::WriteAll(RowSink& sink) {
  WriteCodeLists(sink);
  WriteProducts(sink);
  WriteStock(sink);
  WriteMovements(sink);
}

}  // namespace kvcat
