#include "StockGroupByClass.h"

namespace {

// The values in name order, the same on both engines (NULLs first, the id
// between equal names), so that a listing can give its groups in the order
// in which the checklist showed the values.
QString ValuesOfType(const char* type) {
  return QString("select id, name from parameters where type = '%1' order by name nulls first, id").arg(type);
}
constexpr const char* kNameOrder = "v.name nulls first, v.id";

// A department reads as its category, ": " and its name; a department saved
// without a category still shows its name.
constexpr const char* kDepartmentValues =
    "select id, coalesce(parent_name, '') || ': ' || coalesce(name, '') as name from parameters"
    " where type = 'DEPARTMENT' order by name nulls first, id";
constexpr const char* kDepartmentOrder = "coalesce(v.parent_name, '') || ': ' || coalesce(v.name, '') nulls first, v.id";

}  // namespace

const std::vector<TGroupChoice>& TStockGroupByClass::ListingChoices() {
  // Every choice but Season shows the brand label beside the style.
  static const std::vector<TGroupChoice> choices{
      {"Brand", "brandlabel_id", "brandlabel_name", "Brand", ValuesOfType("BRANDLABEL"), kNameOrder},
      {"Category", "category_id", "brandlabel_name", "Brand", ValuesOfType("CATEGORY"), kNameOrder},
      {"Colour", "colour_id", "brandlabel_name", "Brand", ValuesOfType("COLOUR"), kNameOrder},
      {"Department", "department_id", "brandlabel_name", "Brand", kDepartmentValues, kDepartmentOrder},
      {"Season", "season_id", "season_name", "Season", ValuesOfType("SEASON"), kNameOrder},
      {"Supplier", "supplier_id", "brandlabel_name", "Brand", ValuesOfType("SUPPLIER"), kNameOrder},
  };
  return choices;
}

const std::vector<TGroupChoice>& TStockGroupByClass::ValuationChoices() {
  static const std::vector<TGroupChoice> choices{
      {"Brand", "brandlabel_id", "brandlabel_name", {}, {}, {}},
      {"Category", "category_id", "category_name", {}, {}, {}},
      {"Colour", "colour_id", "colour_name", {}, {}, {}},
      {"Department", "department_id", "category_name, department_name", {}, {}, {}},
      {"Season", "season_id", "season_name", {}, {}, {}},
      {"Supplier", "supplier_id", "supplier_name", {}, {}, {}},
  };
  return choices;
}

QStringList TStockGroupByClass::Captions(const std::vector<TGroupChoice>& choices) {
  QStringList out;
  for (const TGroupChoice& c : choices) out << c.Caption;
  return out;
}
