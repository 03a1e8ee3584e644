#pragma once
// The benchmark catalogue: a shop at the size of a real one, the same on both
// engines. On top of the starter data it grows the code lists to realistic
// counts (hundreds of suppliers, tens of departments and brands, size scales
// of 5 to 30 sizes, 10 branches), then writes styles in one to five colours
// (one PRODUCTS row per size), a stock row for most PLUs in most branches
// (with zero, negative and missing stock, so size runs break), and the
// movements the history enquiry sums.
//
// Everything is derived from the style's number with a fixed seed, so the
// same size gives the same rows on any machine and engine.
#include <QString>

#include <vector>

#include "CatalogueSinkClass.h"

namespace kdb {
class Database;
}

namespace kvcat {

struct CatalogueSize {
  QString name;             // "full", "small" or the style count
  int styles = 0;
  long long movements = 0;  // rows over the five movement tables
};
// KV_BENCH_SCALE: "small" (the CI smoke runs), a number of styles, or
// nothing for the full size (100,000 styles, 10,000,000 movements).
CatalogueSize SizeFromScale(const QString& scale);
CatalogueSize SizeFromEnvironment();

// The code lists products point at, as the database holds them.
struct Entry {
  Entry(long long i = 0, QString n = {}, long long p = 0, double r = 0, QString x = {})
      : id(i), name(std::move(n)), parent(p), rate(r), extra(std::move(x)) {}
  long long id = 0;
  QString name;
  long long parent = 0;   // department: category; sub-department: department
  double rate = 0;        // colour: display value; VAT: rate
  QString extra;          // department: VAT id
};
struct SizeScale {
  long long id = 0;
  QString name;
  std::vector<Entry> sizes;  // in offset order
};
struct CodeLists {
  std::vector<Entry> branches, suppliers, brands, seasons, categories, departments, subdepartments,
      colours, vats;
  std::vector<SizeScale> scales;
  long long maxParameterId = 0, maxScaleId = 0, maxSizeId = 0, maxBranchId = 0;
  long long defaultScaleId = 0;
};

// Target counts of the grown lists.
struct ListTargets {
  static constexpr int kBranches = 10;
  static constexpr int kSuppliers = 300;
  static constexpr int kCategories = 8;
  static constexpr int kDepartments = 40;
  static constexpr int kBrands = 30;
  static constexpr int kSeasons = 12;
  static constexpr int kColours = 120;
  static constexpr int kScales = 40;
};

// Reads the lists the starter data made.
CodeLists ReadCodeLists(kdb::Database& db);

class CatalogueGenerator {
 public:
  CatalogueGenerator(CatalogueSize size, CodeLists lists);

  // Adds the grown code-list rows (BRANCHES, PARAMETERS, SIZESSCALE, SIZES)
  // and extends the lists with them.
  void WriteCodeLists(RowSink& sink);
  void WriteProducts(RowSink& sink);
  void WriteStock(RowSink& sink);
  void WriteMovements(RowSink& sink);
  // All four, in that order.
  void WriteAll(RowSink& sink);

  const CodeLists& Lists() const { return lists_; }

 private:
  struct Style;  // the shape of one style, derived from its number
  Style Shape(int style) const;
  void WeighScales();
  CatalogueSize size_;
  CodeLists lists_;
  std::vector<double> scaleWeights_;  // cumulative
};

}  // namespace kvcat
