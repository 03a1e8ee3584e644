#pragma once
// The reads of the broken styles report: for a batch of styles, each style's
// colours (root PLUs) in colour-name order with their size names, and every
// BRANCHSTOCK record of those colours.
//
//   TBrokenSizeQueryClass reads(*DMDB, branchId);       // "" for every branch
//   reads.ReadStyles(picked, [&](const TBrokenStyle& s) { ... });   // picked order
//
// Two statements per batch of styles, each read from an index alone: the
// PLUs of the styles with their colour and size names (PRODUCTS(STYLE,
// ROOT_PLU, PLU, SIZE_OFFSET, COLOUR_NAME, SIZE_NAME, ID)), then the stock
// records of their root PLUs (BRANCHSTOCK(ROOT_PLU, BRANCH_ID, PLU,
// STOCK_QUANTITY)). Stock records are read by root PLU as they stand, also a
// record whose PLU has no PRODUCTS row. A statement that fails throws
// kdb::DbError with the engine's reason, logged with its text by
// TDMDB::RunQuery first.
//
// A size's place is its index in the PLU (characters 9 and 10, 0 when they are
// no number), for its name and for its stock alike, so a quantity always
// stands under its own size's name.
#include <QHash>
#include <QString>
#include <QStringList>

#include <functional>
#include <span>
#include <vector>

class TDMDB;

// One stock record of a colour at a branch.
struct TBrokenStockRecord {
  int SizeIndex = 0;
  qint64 Quantity = 0;  // NULL reads as 0 ...
  bool Null = false;    // ... and shows empty
};
using TBrokenRecords = std::span<const TBrokenStockRecord>;

struct TBrokenColour {
  QString RootPLU;
  QString Colour;
  std::vector<QString> SizeNames;  // by size index; "" where the colour has no such size
  // The records of one branch, in the order read; none when it has none.
  TBrokenRecords StockAt(qint64 branchId) const;
  TBrokenRecords StockAt(const QString& branchId) const { return StockAt(branchId.toLongLong()); }
  // The same with what the broken-size rule asks of them, counted as they
  // were added: how many hold no stock (0 or below) and whether every one
  // is exactly 0.
  struct BranchStock {
    TBrokenRecords Records;
    int NoStock = 0;
    bool AllZero = true;
  };
  BranchStock StockOfBranch(qint64 branchId) const;
  void AddStock(qint64 branchId, const TBrokenStockRecord& record);

 private:
  std::vector<TBrokenStockRecord> records_;  // grouped by branch
  struct Branch {
    qint64 id;
    size_t first, count;
    int noStock;
    bool allZero;
  };
  std::vector<Branch> branches_;  // in the order first met
  static constexpr size_t kUsualRecords = 64;  // a size run of a dozen at a handful of branches
  static constexpr size_t kUsualBranches = 16;
};

struct TBrokenStyle {
  QString Style;
  std::vector<TBrokenColour> Colours;  // colour name (NULL as empty), then root PLU
};

class TBrokenSizeQueryClass {
 public:
  // branchId: the one branch to read, "" for every branch.
  TBrokenSizeQueryClass(TDMDB& dm, QString branchId);

  // The styles in the order given (one batch).
  std::vector<TBrokenStyle> LoadStyles(const QStringList& styles);
  // Every style of a pick, a batch at a time, handed to `each` in the order
  // of `styles`; a batch is dropped once handed on.
  void ReadStyles(const QStringList& styles, const std::function<void(const TBrokenStyle&)>& each);

  static QString ProductsSql(const QStringList& styles);
  static QString StockSql(const QStringList& rootPLUs, const QString& branchId);
  // The size index of a PLU: characters 9 and 10 as a number, 0 when they are none.
  static int SizeIndex(const QString& plu);
  static int SizeIndexOfUtf8(QUtf8StringView plu);  // the same, read from the PLU's UTF-8

  static constexpr int kBatchStyles = 2500;  // styles per statement
  int BatchStyles = kBatchStyles;

 private:
  TDMDB& dm_;
  QString branchId_;
};
