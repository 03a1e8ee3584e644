#pragma once
// The product options of a colour and the charges of a style, without a
// window: the statements that read them, the values the options page shows
// and stores (with the computed case units and case price), and the texts
// of the charges grid.
//
// Options are kept per root PLU in PRODUCTOPTIONS (one row per option of the
// PRODUCT OPTION list), charges per style in PRODUCTSCHARGES (one row per
// charge of the CHARGE list, found by the charge's name). Neither table has
// a unique index: the pages find a row by its key under the save's lock, and
// the first row (by ID) of a key is the one they show and write.
#include <QString>

#include <functional>
#include <optional>

#include "Currency.h"

class TStyleExtrasClass {
 public:
  static constexpr char kCaseUnits[] = "CASE UNITS";
  static constexpr char kCasePrice[] = "CASE PRICE";

  // ----- options ------------------------------------------------------------------
  enum OptionCol { ocStyle = 0, ocColour, ocDescription, ocOption, ocValue, ocColumns };
  static constexpr int kOptionFixedCols = 4;
  static constexpr int kOptionWidth = 170;

  static QString OptionListSQL();
  // The stored options of a root PLU, first row of each option first.
  static QString OptionValuesSQL(const QString& rootPLU);

  // What the grid shows for an option: the stored value; for "CASE UNITS"
  // the ratio total when the stored value is no whole number other than 0;
  // for "CASE PRICE" the retail price times the ratio total ("0.00") when
  // the stored value is empty, no number or 0. A stored price with decimals
  // is shown as it is. ratioTotal is asked only when it is needed.
  static QString ShownOption(const QString& name, const QString& stored, Currency retail,
                             const std::function<int()>& ratioTotal);
  // What is stored for a value typed (blanks trimmed): "CASE UNITS" a whole
  // number, "0" for any other text and for -1; "CASE PRICE" the number as
  // "0.00", "0" for a text that is no number; other options as typed.
  static QString StoredOption(const QString& name, const QString& typed);

  // ----- charges ------------------------------------------------------------------
  enum ChargeCol { chName = 0, chCost, chRetail, chColumns };
  static constexpr int kChargeFixedCols = 1;

  // The charges in the order they were made.
  static QString ChargeListSQL();
  static QString StyleChargesSQL(const QString& style);

  // A cell after Enter: a number as "0.00", empty as it is; nothing when it
  // is no number (the text stays and so does the cursor).
  static std::optional<QString> ChargeTextAfterEnter(const QString& text);
  // A cost or retail cell as the save takes it: empty reads 0; nothing for
  // a text that is no number.
  static std::optional<Currency> ChargeAmount(const QString& text);
};
