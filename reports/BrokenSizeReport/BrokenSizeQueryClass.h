#pragma once
// The reads of the broken styles report: for a batch of styles, each style's
// colours (root PLUs) in colour-name order with their size names, and every
// BRANCHSTOCK record of those colours.
//
//   TBrokenSizeQueryClass reads(*DMDB, branchId);       // "" for every branch
//   for (const TBrokenStyle& s : reads.LoadStyles(batch)) ...   // batch order
//
// Two statements per batch of styles, whatever its size: the products of the
// styles (index PRODUCTS(STYLE)), then the stock records of their root PLUs
// (index BRANCHSTOCK(ROOT_PLU, BRANCH_ID)). Stock records are read by root PLU
// as they stand, also a record whose PLU has no PRODUCTS row. A statement that
// fails throws kdb::DbError with the engine's reason, logged with its text by
// TDMDB::RunQuery first.
//
// A size's place is its index in the PLU (characters 9 and 10, 0 when they are
// no number), for its name and for its stock alike, so a quantity always
// stands under its own size's name.
#include <QHash>
#include <QString>
#include <QStringList>

#include <vector>

class TDMDB;

// One stock record of a colour at a branch.
struct TBrokenStockRecord {
  int SizeIndex = 0;
  qint64 Quantity = 0;  // NULL reads as 0
  QString Text;         // the quantity as the grid shows it ("" for NULL)
};

struct TBrokenColour {
  QString RootPLU;
  QString Colour;
  std::vector<QString> SizeNames;  // by size index; "" where the colour has no such size
  QHash<QString, std::vector<TBrokenStockRecord>> Stock;  // by branch id
  const std::vector<TBrokenStockRecord>& StockAt(const QString& branchId) const;
};

struct TBrokenStyle {
  QString Style;
  std::vector<TBrokenColour> Colours;  // colour name (NULL as empty), then root PLU
};

class TBrokenSizeQueryClass {
 public:
  // branchId: the one branch to read, "" for every branch.
  TBrokenSizeQueryClass(TDMDB& dm, QString branchId);

  // The styles in the order given.
  std::vector<TBrokenStyle> LoadStyles(const QStringList& styles);

  static QString ProductsSql(const QStringList& styles);
  static QString StockSql(const QStringList& rootPLUs, const QString& branchId);
  // The size index of a PLU: characters 9 and 10 as a number, 0 when they are none.
  static int SizeIndex(const QString& plu);

  static constexpr int kBatchStyles = 200;

 private:
  TDMDB& dm_;
  QString branchId_;
};
