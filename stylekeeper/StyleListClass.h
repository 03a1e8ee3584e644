#pragma once
// The statements that list styles one row per root PLU (style and colour):
// the style list every search of the style editor hands to the results
// dialog, the conditions of the top bar's one-click searches, and the rows
// of the printed style sheet.
//
//   const std::optional<QString> where = TStyleListClass::PriceWhere("retail_price", typed);
//   if (where) DMDB->RunQuery(TStyleListClass::StyleListSQL(*where), query);
//
// A root PLU is listed when any one of its PLUs meets the condition; its
// columns come from its first PRODUCTS row (the lowest ID, the first size).
// Typed values reach a statement only as checked numbers or through the data
// layer's quoting. Every condition can be answered from an index, so a search
// never reads the whole products table to find a few styles.
#include <QString>
#include <QStringList>

#include <optional>

namespace kdb {
class DataSet;
}

class TStyleListClass {
 public:
  // The style list for a condition (" where ..." or "", which lists every
  // root PLU): root_plu, supplier_name, style, style_ref, description,
  // colour_name, season_name, category_name, department_name,
  // subdepartment_name, brandlabel_name, sizesscale_name, vat_rate,
  // current_cost_price, retail_price; ordered by style and colour name (an
  // empty one first), then root PLU.
  static QString StyleListSQL(const QString& where);
  // The same list for a condition on the columns every size of a colour
  // shares (its names, style, style ref, description and root PLU, as the
  // advanced search and the style sheet ask): a save writes them on every
  // size and a rename rewrites every row, so the colour's first size (SIZE_OFFSET
  // 0, its first row) decides and supplies the columns, in one pass.
  static QString FirstSizeStyleListSQL(const QString& where);

  // " where (upper(external_barcode) = 'X' or upper(sku) = 'X')", X being
  // the code in capitals: codes are found whatever case they were typed in.
  static QString ExternalCodeWhere(const QString& code);
  // " where <column> = <price>" with the typed text as money ("12.5" finds
  // 12.50); nothing when the text is no price.
  static std::optional<QString> PriceWhere(const QString& column, const QString& text);
  static QString CostAboveRetailWhere();
  static QString WebsiteWhere();

  // The style sheet's rows: every root PLU, or those of one supplier style
  // (`style` set), from their first sizes, ordered by style, then root PLU.
  static QString StyleSheetSQL(const std::optional<QString>& style);
  // Its title: "Style Keeper", or "Style Keeper: " and the style.
  static QString StyleSheetTitle(const std::optional<QString>& style);
  // The 18 cells of the style sheet's line for the current row of a
  // StyleSheetSQL result: ROOT_PLU ... RETAIL_PRICE, the prices "0.00", the
  // mark-up, stock and minimum stock cells empty.
  static QStringList StyleSheetCells(kdb::DataSet& row);
  static constexpr int kStyleSheetColumns = 18;
};
