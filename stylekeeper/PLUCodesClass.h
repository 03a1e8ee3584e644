#pragma once
// The external codes and per-PLU prices of a style without a window: the
// statements that list its PLUs, the grids' columns, and the values an Apply
// writes. Both pages list one row per PLU, colours by name and sizes by
// offset.
#include <QString>

#include <optional>

#include "Currency.h"

class TPLUCodesClass {
 public:
  // Columns of the external codes grid (SGridExtCode).
  enum ExtCol { ecPLU = 0, ecRootPLU, ecColour, ecSize, ecExternal, ecSKU, ecColourValue, ecColumns };
  // Columns of the prices grid (SGridPrices).
  enum PriceCol {
    pcPLU = 0, pcRootPLU, pcColour, pcSize, pcCost, pcRetail, pcSale, pcWholesale, pcColourValue, pcColumns
  };
  static constexpr int kFixedCols = 4;
  // EXTERNAL_BARCODE and SKU hold 30 characters; a price cell at most the
  // digits money holds.
  static constexpr int kCodeLength = 30;
  static constexpr int kPriceLength = 18;

  static QString ExtCodesSQL(const QString& style);
  static QString PricesSQL(const QString& style);

  // An external code is written without its outer blanks, case kept; a SKU
  // also in capitals.
  static QString ExternalCode(const QString& typed) { return typed.trimmed(); }
  static QString SKU(const QString& typed) { return typed.trimmed().toUpper(); }

  // A price as the prices page writes it: the text's value as money, to the
  // penny ("0.00" form); nothing when the text is no number (empty included).
  static std::optional<Currency> Price(const QString& text);
  // The sale price: 0 when the text is no number.
  static Currency SalePrice(const QString& text);
  // A stored price as the grid shows it.
  static QString PriceText(Currency value);
};
