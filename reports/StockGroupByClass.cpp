#include "StockGroupByClass.h"

namespace {

QString ValuesOfType(const char* type) {
  return QString("select id, name from parameters where type = '%1' order by name").arg(type);
}

// A department reads as its category, ": " and its name; a department saved
// without a category still shows its name.
constexpr const char* kDepartmentValues =
    "select id, coalesce(parent_name, '') || ': ' || coalesce(name, '') as name from parameters"
    " where type = 'DEPARTMENT' order by name";

}  // namespace

const std::vector<TGroupChoice>& TStockGroupByClass::ListingChoices() {
  // Every choice but Season shows the brand label beside the style.
  static const std::vector<TGroupChoice> choices{
      {"Brand", "brandlabel_id", "brandlabel_name", "Brand", ValuesOfType("BRANDLABEL")},
      {"Category", "category_id", "brandlabel_name", "Brand", ValuesOfType("CATEGORY")},
      {"Colour", "colour_id", "brandlabel_name", "Brand", ValuesOfType("COLOUR")},
      {"Department", "department_id", "brandlabel_name", "Brand", kDepartmentValues},
      {"Season", "season_id", "season_name", "Season", ValuesOfType("SEASON")},
      {"Supplier", "supplier_id", "brandlabel_name", "Brand", ValuesOfType("SUPPLIER")},
  };
  return choices;
}

const std::vector<TGroupChoice>& TStockGroupByClass::ValuationChoices() {
  static const std::vector<TGroupChoice> choices{
      {"Brand", "brandlabel_id", "brandlabel_name", {}, {}},
      {"Category", "category_id", "category_name", {}, {}},
      {"Colour", "colour_id", "colour_name", {}, {}},
      {"Department", "department_id", "category_name, department_name", {}, {}},
      {"Season", "season_id", "season_name", {}, {}},
      {"Supplier", "supplier_id", "supplier_name", {}, {}},
  };
  return choices;
}

QStringList TStockGroupByClass::Captions(const std::vector<TGroupChoice>& choices) {
  QStringList out;
  for (const TGroupChoice& c : choices) out << c.Caption;
  return out;
}
