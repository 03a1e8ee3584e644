#pragma once
// The wholesale pack of a style without a window: the statements that read
// its code and lines, and what an Apply does with each size cell of the pack
// grid. The pack row (WSPACKS, one per style) and its lines (WSPACKLINES,
// one per PLU) are written only by the rules module (TDMBRules::SaveWSPack,
// SaveWSPackLine).
//
// A cell is written when the user changed it, or when its PLU has no line
// yet (every PLU of a saved pack has one, zeros included). A cell the user
// left alone keeps what is stored, also what another program stored while
// the page was open; a cell changed here whose line another program changed
// meanwhile is refused (kdb::EditConflict).
#include <QHash>
#include <QString>

#include <optional>

namespace kdb {
class DataSet;
}

class TColourSizeGridClass;

class TWSPackClass {
 public:
  struct Line {
    int qty = 0;
    QString barcode;
  };
  using Lines = QHash<QString, Line>;  // by PLU

  static QString PackCodeSQL(const QString& style);
  // The style's lines with their PLU, root PLU, quantity and barcode.
  static QString PackLinesSQL(const QString& style);

  static Lines ReadLines(kdb::DataSet& rows);
  // Every size cell "0", then each line's quantity in its PLU's cell.
  static void PlaceLines(const Lines& lines, TColourSizeGridClass& grid);

  // What Apply does with one size cell.
  struct Write {
    bool write = false;  // false: nothing for this cell
    int qty = 0;         // the quantity to write
  };
  // cellText and loadedText: the cell now and when the page loaded; loaded
  // and stored: the PLU's line then and under the save's lock now.
  static Write Decide(const QString& plu, const QString& cellText, const QString& loadedText,
                      const std::optional<Line>& loaded, const std::optional<Line>& stored,
                      const QString& packCode);
};
