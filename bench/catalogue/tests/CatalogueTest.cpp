// The generated catalogue's shape: what the benchmarks and the reports' plans
// rely on (PLU numbering, broken size runs, zero, negative and missing stock,
// the grown code lists), and the COPY text it travels in.
#include <gtest/gtest.h>

#include <map>
#include <set>

#include "CatalogueClass.h"

namespace {

using kvcat::Value;

// What the starter data holds, enough for the generator to grow from.
kvcat::CodeLists StarterLike() {
  kvcat::CodeLists l;
  long long id = 0;
  l.branches = {{1, "MAIN STORE"}, {2, "WAREHOUSE"}};
  l.maxBranchId = 2;
  l.vats = {{++id, "STANDARD", 1, 20}, {++id, "ZERO RATED", 1, 0}};
  l.seasons = {{++id, "AUTUMN WINTER 2025", 3}};
  l.brands = {{++id, "TESSARIN", 4}};
  l.categories = {{++id, "LADIESWEAR"}};
  l.departments = {{++id, "DRESSES", 5, 0, "2"}};
  l.subdepartments = {{++id, "MAXI", 6}};
  l.colours = {{++id, "BLACK", 0, 0}, {++id, "WHITE", 0, 16777215}};
  l.suppliers = {{++id, "ASHWORTH KNITWEAR"}};
  l.maxParameterId = id;
  l.scales = {{1, "ONE SIZE", {{1, "ONE"}}}, {2, "MENS S-XXL", {{2, "S"}, {3, "M"}, {4, "L"}, {5, "XL"}, {6, "XXL"}}}};
  l.maxScaleId = 2;
  l.maxSizeId = 6;
  l.defaultScaleId = 1;
  return l;
}

struct Generated {
  kvcat::MemorySink sink;
  kvcat::CodeLists lists;
};

Generated Generate(int styles, long long movements) {
  Generated g;
  kvcat::CatalogueGenerator gen({"test", styles, movements}, StarterLike());
  gen.WriteAll(g.sink);
  g.lists = gen.Lists();
  return g;
}

const Generated& Catalogue() {
  static const Generated g = Generate(600, 60000);
  return g;
}

std::string Text(const QString& table, size_t row, const char* column) {
  return Catalogue().sink.Get(table, row, column).s;
}
long long Int(const QString& table, size_t row, const char* column) {
  return Catalogue().sink.Get(table, row, column).i;
}

TEST(CatalogueSize, ScaleNamesTheSize) {
  EXPECT_EQ(kvcat::SizeFromScale("small").styles, 400);
  EXPECT_EQ(kvcat::SizeFromScale("").styles, 100000);
  EXPECT_EQ(kvcat::SizeFromScale("").movements, 10000000);
  const kvcat::CatalogueSize n = kvcat::SizeFromScale("2500");
  EXPECT_EQ(n.styles, 2500);
  EXPECT_EQ(n.name, "2500");
  EXPECT_EQ(kvcat::SizeFromScale("-4").name, "full");
}

TEST(CatalogueGenerator, SameSizeGivesTheSameRows) {
  const Generated a = Generate(40, 2000), b = Generate(40, 2000);
  ASSERT_EQ(a.sink.rows.size(), b.sink.rows.size());
  for (const auto& [table, rows] : a.sink.rows) {
    ASSERT_EQ(rows.size(), b.sink.rows.at(table).size()) << table.toStdString();
    for (size_t r = 0; r < rows.size(); ++r)
      for (size_t c = 0; c < rows[r].size(); ++c) {
        const Value &x = rows[r][c], &y = b.sink.rows.at(table)[r][c];
        ASSERT_TRUE(x.kind == y.kind && x.i == y.i && x.d == y.d && x.s == y.s)
            << table.toStdString() << " row " << r << " column " << c;
      }
  }
}

TEST(CatalogueGenerator, GrowsTheCodeListsToShopCounts) {
  const kvcat::CodeLists& l = Catalogue().lists;
  EXPECT_EQ(int(l.branches.size()), kvcat::ListTargets::kBranches);
  EXPECT_EQ(int(l.suppliers.size()), kvcat::ListTargets::kSuppliers);
  EXPECT_EQ(int(l.departments.size()), kvcat::ListTargets::kDepartments);
  EXPECT_EQ(int(l.brands.size()), kvcat::ListTargets::kBrands);
  EXPECT_EQ(int(l.colours.size()), kvcat::ListTargets::kColours);
  EXPECT_EQ(int(l.scales.size()), kvcat::ListTargets::kScales);
  size_t longest = 0;
  std::set<QString> supplierNames;
  for (const auto& s : l.suppliers) supplierNames.insert(s.name);
  EXPECT_EQ(supplierNames.size(), l.suppliers.size()) << "supplier names repeat";
  for (size_t k = 2; k < l.scales.size(); ++k) {
    EXPECT_GE(l.scales[k].sizes.size(), 5u);
    longest = std::max(longest, l.scales[k].sizes.size());
  }
  EXPECT_EQ(longest, 30u);
  // Every department hangs under a category of the list.
  for (const auto& d : l.departments)
    EXPECT_TRUE(std::any_of(l.categories.begin(), l.categories.end(), [&](const auto& c) { return c.id == d.parent; }));
}

TEST(CatalogueGenerator, ProductsAreNumberedAsTheStyleEditorNumbersThem) {
  const size_t n = Catalogue().sink.Count("PRODUCTS");
  ASSERT_GT(n, 600u * 5);
  std::map<std::string, std::set<std::string>> coloursOfStyle;
  std::set<std::string> plus;
  for (size_t r = 0; r < n; ++r) {
    const std::string root = Text("PRODUCTS", r, "ROOT_PLU"), plu = Text("PRODUCTS", r, "PLU");
    const long long id = Int("PRODUCTS", r, "ID");
    const long long offset = Int("PRODUCTS", r, "SIZE_OFFSET");
    ASSERT_EQ(root.size(), 8u);
    ASSERT_EQ(plu, root + (offset < 10 ? "0" : "") + std::to_string(offset));
    // The root PLU is the number of its first size's row.
    ASSERT_EQ(std::stoll(root), id - offset);
    plus.insert(plu);
    coloursOfStyle[Text("PRODUCTS", r, "STYLE")].insert(Text("PRODUCTS", r, "COLOUR_NAME"));
  }
  EXPECT_EQ(plus.size(), n) << "a PLU repeats";
  EXPECT_EQ(coloursOfStyle.size(), 600u);
  std::map<size_t, int> styles;
  for (const auto& [style, colours] : coloursOfStyle) ++styles[colours.size()];
  EXPECT_EQ(styles.begin()->first, 1u);
  EXPECT_EQ(styles.rbegin()->first, 5u);
  // About ten PLUs per style, as a million PLUs over 100,000 styles.
  EXPECT_GT(double(n) / 600, 8.0);
  EXPECT_LT(double(n) / 600, 13.0);
}

TEST(CatalogueGenerator, StockHasZeroNegativeMissingAndBrokenRuns) {
  const kvcat::MemorySink& s = Catalogue().sink;
  const size_t n = s.Count("BRANCHSTOCK"), plus = s.Count("PRODUCTS");
  std::set<std::string> products;
  for (size_t r = 0; r < plus; ++r) products.insert(Text("PRODUCTS", r, "PLU"));
  std::set<std::pair<std::string, long long>> keys;
  // Per root PLU and branch: sizes with stock, sizes without.
  std::map<std::pair<std::string, long long>, std::pair<int, int>> runs;
  int zero = 0, negative = 0;
  for (size_t r = 0; r < n; ++r) {
    const std::string plu = Text("BRANCHSTOCK", r, "PLU");
    const long long branch = Int("BRANCHSTOCK", r, "BRANCH_ID"), qty = Int("BRANCHSTOCK", r, "STOCK_QUANTITY");
    ASSERT_TRUE(products.count(plu)) << plu;
    ASSERT_EQ(Text("BRANCHSTOCK", r, "ROOT_PLU"), plu.substr(0, 8));
    ASSERT_TRUE(keys.insert({plu, branch}).second) << "two rows for " << plu << " at " << branch;
    zero += qty == 0;
    negative += qty < 0;
    auto& run = runs[{plu.substr(0, 8), branch}];
    (qty > 0 ? run.first : run.second)++;
  }
  const double rows = double(n);
  EXPECT_GT(zero / rows, 0.2);
  EXPECT_LT(zero / rows, 0.35);
  EXPECT_GT(negative / rows, 0.01);
  EXPECT_LT(negative / rows, 0.06);
  // Most PLUs are stocked in most of the ten branches, not all of them.
  const double cover = rows / (double(plus) * 10);
  EXPECT_GT(cover, 0.85);
  EXPECT_LT(cover, 0.95);
  int broken = 0;
  for (const auto& [key, run] : runs) broken += run.first > 0 && run.second > 0;
  EXPECT_GT(broken, int(runs.size()) / 4);
}

TEST(CatalogueGenerator, MovementsReachTheirTotalAndPointAtPlus) {
  const kvcat::MemorySink& s = Catalogue().sink;
  long long total = 0;
  for (const char* t : {"TRANSACTIONS", "ORDERS", "TRANSFERS", "RETURNS", "WRITEOFFS"}) {
    EXPECT_GT(s.Count(t), 0u) << t;
    total += (long long)s.Count(t);
  }
  EXPECT_NEAR(double(total), 60000.0, 60000.0 * 0.05);
  for (size_t r = 0; r < s.Count("TRANSFERS"); ++r) {
    ASSERT_NE(Int("TRANSFERS", r, "SOURCE"), Int("TRANSFERS", r, "DESTINATION"));
    ASSERT_LE(Int("TRANSFERS", r, "RECEIVED"), Int("TRANSFERS", r, "QTY"));
  }
  for (size_t r = 0; r < s.Count("ORDERS"); ++r) ASSERT_LE(Int("ORDERS", r, "DELIVERY"), Int("ORDERS", r, "QTY"));
  EXPECT_EQ(Text("TRANSACTIONS", 0, "FULL_PLU_STRING").size(), 10u);
}

TEST(CatalogueCopyText, EscapesWhatCopyReadsSpecially) {
  auto text = [](const Value& v) {
    std::string out;
    kvcat::AppendCopyText(out, v);
    return out;
  };
  Value v;
  EXPECT_EQ(text(v), "\\N");
  v.kind = Value::Text;
  v.s = std::string("a\\b\tc\nd\re") + '\0' + "f";
  EXPECT_EQ(text(v), "a\\\\b\\tc\\nd\\ref");
  v.kind = Value::Money;
  v.i = -50;
  EXPECT_EQ(text(v), "-0.0050");
  v.i = 129900;
  EXPECT_EQ(text(v), "12.9900");
  v.kind = Value::Bool;
  v.i = 1;
  EXPECT_EQ(text(v), "t");
  v.kind = Value::Int;
  v.i = -42;
  EXPECT_EQ(text(v), "-42");
}

}  // namespace
