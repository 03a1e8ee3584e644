#pragma once
// The reads of the styles listing: for a batch of styles, every (branch,
// colour) pair that has BRANCHSTOCK rows with its stock per size offset, and
// the sizes of a size scale.
//
//   TStyleStockQueryClass reads(*DMDB, " and branch_id = 4");
//   reads.ReadStyles(picked, [&](const TStyleStock& s) {       // picked order
//     const TSizeScale& scale = reads.Scale(s.Lines[0].SizesScaleId);
//     ...
//   });
//
// Three statements per batch of styles, each read from an index alone: the
// PLUs of the styles (PRODUCTS(STYLE, ROOT_PLU, PLU, ..., ID)); the stock
// rows of their root PLUs (BRANCHSTOCK(ROOT_PLU, BRANCH_ID, PLU,
// STOCK_QUANTITY)), read as numbers besides the PLU; then the descriptive
// columns of each line's first PLU only (by id). A stock row counts when its
// PLU is one of the styles' PLUs (as a join on the PLU takes it); it is
// found under its root PLU, which BRANCHSTOCK.ROOT_PLU holds as PRODUCTS
// does. One statement per size scale for the whole run. A
// statement that fails throws kdb::DbError with the engine's reason (it is
// logged with its text by TDMDB::RunQuery first): a report is never built
// from a read that did not happen.
//
// Lines of a style are ordered by colour name (NULL as empty), branch id,
// root PLU. A line's descriptive columns are those of its lowest PLU that has
// a stock row at the branch; its stock holds one quantity per size offset
// (quantities of PLUs that share an offset added up; offsets outside 0..99
// and NULL cannot be placed and are left out).
#include <QHash>
#include <QString>
#include <QStringList>

#include <functional>
#include <utility>
#include <vector>

class TDMDB;
namespace kdb {
class Field;
}

struct TStyleStockLine {
  QString BranchId;
  QString RootPLU;
  QString Colour;
  QString SizesScaleId;
  QString Supplier;
  QString Brand;
  QString Style;
  QString StyleRef;
  QString Season;
  QString Description;
  QString Department;
  QString Cost;    // "0.00"
  QString Retail;  // "0.00"
  std::vector<std::pair<int, qint64>> Stock;  // (size offset, quantity), offsets ascending, each once
};

struct TStyleStock {
  QString Style;
  std::vector<TStyleStockLine> Lines;  // none: the style has no stock rows (in the branch)
};

// A size scale as the listing heads its columns.
struct TSizeScale {
  int Counter = 0;             // SIZESSCALE.COUNTER; 0 when the scale has no row
  std::vector<QString> Names;  // by offset; "" where the scale has no size
  QString NameAt(int offset) const {
    return offset >= 0 && offset < static_cast<int>(Names.size()) ? Names[static_cast<size_t>(offset)] : QString();
  }
};

class TStyleStockQueryClass {
 public:
  TStyleStockQueryClass(TDMDB& dm, QString branchCondition);

  // The lines of each style, in the order of `styles` (one batch).
  std::vector<TStyleStock> LoadStyles(const QStringList& styles);
  // Every style of a pick, a batch at a time, handed to `each` in the order
  // of `styles` (a style without lines too); a batch is dropped once handed
  // on, so a run holds one batch beside what `each` keeps.
  void ReadStyles(const QStringList& styles, const std::function<void(const TStyleStock&)>& each);
  // The scale's COUNTER and size names, read once per run; a scale id that is
  // empty (a product without a scale) gives an empty scale.
  const TSizeScale& Scale(const QString& scaleId);

  // The styles' PLUs; the stock rows of their root PLUs.
  static QString ProductsSql(const QStringList& styles);
  static QString StockSql(const QStringList& rootPLUs, const QString& branchCondition = QString());
  static QString AttributesSql(const QStringList& ids);
  static QString ScaleSql(const QString& scaleId);

  static constexpr int kBatchStyles = 2500;  // styles per statement
  int BatchStyles = kBatchStyles;
  static constexpr int kMaxOffset = 99;     // a PLU numbers its sizes with two digits

 private:
  TDMDB& dm_;
  QString branchCondition_;
  QHash<QString, TSizeScale> scales_;
  // Texts shared by every line that shows them: branch ids, prices as "0.00".
  QHash<qint64, QString> branchIds_;
  QHash<qint64, QString> money_;
  const QString& BranchIdText(qint64 id);
  const QString& MoneyText(kdb::Field& f);
};
