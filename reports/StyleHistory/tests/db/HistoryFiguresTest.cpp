// The movement figures of the enquiry on both engines: the statements of
// HistorySQLClass placed by TInfoGridClass, against figures worked out by hand
// (HistoryTestUtil.h) and against the plain per-movement statements they
// replace (a join of each movement table with PRODUCTS, summed per PLU).
#include "../HistoryTestUtil.h"

#include "HistorySQLClass.h"
#include "InfoGridClass.h"
#include "KvDbTestSupport.h"
#include "KvStringGrid.h"

#include <QMap>

namespace {

using kdb::sql::Quote;

class HistoryFigures : public kvtest::DbTest {
 protected:
  kui::KvStringGrid grid;
  TInfoGridClass info{&grid};

  void SetUp() override {
    DbTest::SetUp();
    histtest::Shop()(db());
  }

  // The info grid of one colour and branch as the enquiry fills it.
  void Load(const QString& root, qint64 branch, bool stockOnly = false) {
    info.Reset(false);
    Run(THistorySQLClass::History(root, branch, stockOnly), true);
  }
  void Run(const QString& sql, bool withSizes) {
    kdb::Query q(&db());
    q.SQL = sql;
    q.ExecSQL();
    info.Load(q, withSizes);
  }
  // The size cells of one row (the empty column after the sizes left out).
  QStringList Row(int row) const {
    QStringList cells = grid.RowTexts(row).mid(1);
    EXPECT_EQ(cells.takeLast(), "") << "the column after the sizes stays empty";
    return cells;
  }
  QStringList Headers() const { return Row(0); }
};

TEST_P(HistoryFigures, EveryMovementOfEveryBranchMatchesTheHandWorkedFigures) {
  using L = QStringList;
  Load("00000042", 0);
  EXPECT_EQ(Headers(), (L{"30", "32", "34"}));
  EXPECT_EQ(Row(hrStock), (L{"8", "-2", ""}));
  EXPECT_EQ(Row(hrMinStock), (L{"", "", ""}));
  EXPECT_EQ(Row(hrMaxStock), (L{"", "", ""}));
  EXPECT_EQ(Row(hrOrdered), (L{"15", "3", "2"}));
  EXPECT_EQ(Row(hrDelivered), (L{"9", "3", "4"}));
  EXPECT_EQ(Row(hrOnOrder), (L{"6", "", ""}));
  EXPECT_EQ(Row(hrTransOut), (L{"6", "", ""}));
  EXPECT_EQ(Row(hrTransIn), (L{"4", "", ""}));
  EXPECT_EQ(Row(hrReturned), (L{"", "3", ""}));
  EXPECT_EQ(Row(hrWrittenOff), (L{"", "", "1"}));
  EXPECT_EQ(Row(hrSales), (L{"5", "1", ""}));
  EXPECT_EQ(Row(hrSalesBetween), (L{"", "", ""}));

  // One branch: transfers out by source, in by destination; orders unchanged.
  Load("00000042", 4);
  EXPECT_EQ(Row(hrStock), (L{"3", "", ""}));
  EXPECT_EQ(Row(hrOrdered), (L{"15", "3", "2"}));
  EXPECT_EQ(Row(hrOnOrder), (L{"6", "", ""}));
  EXPECT_EQ(Row(hrTransOut), (L{"2", "", ""}));
  EXPECT_EQ(Row(hrTransIn), (L{"4", "", ""}));
  EXPECT_EQ(Row(hrReturned), (L{"", "2", ""}));
  EXPECT_EQ(Row(hrWrittenOff), (L{"", "", "1"}));
  EXPECT_EQ(Row(hrSales), (L{"3", "1", ""}));

  Load("00000042", 1);
  EXPECT_EQ(Row(hrStock), (L{"5", "-2", ""}));
  EXPECT_EQ(Row(hrTransOut), (L{"4", "", ""}));
  EXPECT_EQ(Row(hrTransIn), (L{"", "", ""}));
  EXPECT_EQ(Row(hrReturned), (L{"", "1", ""}));
  EXPECT_EQ(Row(hrWrittenOff), (L{"", "", ""}));
  EXPECT_EQ(Row(hrSales), (L{"2", "", ""}));

  // The single-user edition reads the stock alone.
  Load("00000042", 0, true);
  EXPECT_EQ(Row(hrStock), (L{"8", "-2", ""}));
  EXPECT_EQ(Row(hrOrdered), (L{"", "", ""}));
  EXPECT_EQ(Row(hrSales), (L{"", "", ""}));
}

TEST_P(HistoryFigures, FiguresStandUnderTheirOwnSizeWhenTheOffsetsHaveGaps) {
  // Offsets 0, 2, 3: the size with offset 2 heads the second column, and its
  // stock stands there (not in the third column, where offset + 1 would put it).
  Load("00000044", 0);
  EXPECT_EQ(Headers(), (QStringList{"30", "34", "36"}));
  EXPECT_EQ(Row(hrStock), (QStringList{"", "4", ""}));
  EXPECT_EQ(info.ColumnOf("0000004402"), 2);
  EXPECT_EQ(info.ColumnOf("0000004202"), -1);
}

TEST_P(HistoryFigures, SalesBetweenTwoDatesIncludeTheWholeEndDay) {
  using L = QStringList;
  const QDate from(2024, 3, 1), to(2024, 3, 31);
  Load("00000042", 0);
  Run(THistorySQLClass::SalesBetween("00000042", 0, from, to), false);
  EXPECT_EQ(Row(hrSalesBetween), (L{"3", "1", ""}));  // 00:00 on the first day and 23:59:59 on the last
  info.ClearRow(hrSalesBetween);
  Run(THistorySQLClass::SalesBetween("00000042", 1, from, to), false);
  EXPECT_EQ(Row(hrSalesBetween), (L{"3", "", ""}));
  info.ClearRow(hrSalesBetween);
  Run(THistorySQLClass::SalesBetween("00000042", 4, from, to), false);
  EXPECT_EQ(Row(hrSalesBetween), (L{"", "1", ""}));
  info.ClearRow(hrSalesBetween);
  // One day: the sale at midnight of the next day is not in it.
  Run(THistorySQLClass::SalesBetween("00000042", 0, QDate(2024, 3, 31), QDate(2024, 3, 31)), false);
  EXPECT_EQ(Row(hrSalesBetween), (L{"1", "", ""}));
  EXPECT_EQ(Row(hrSales), (L{"5", "1", ""})) << "the all-time sales stay";
}

// ----- against the plain statements ------------------------------------------------------------

// Each movement as a plain join of its table with PRODUCTS summed per PLU:
// the statements the enquiry's one statement stands for.
struct Reference {
  int row;
  QString sql;  // %1 root PLU, %2 branch condition
  const char* column;
  const char* branchColumn;
};

const Reference kReferences[] = {
    {hrStock,
     "select products.plu, products.size_offset, sum(stock_quantity) as totstock from branchstock"
     " inner join products on (products.plu = branchstock.plu) where products.root_plu = %1%2"
     " group by products.plu, products.size_offset",
     "totstock", "branch_id"},
    {hrOrdered,
     "select products.plu, products.size_offset, sum(qty) as ordqty, sum(delivery) as delqty from orders"
     " inner join products on (products.plu = orders.plu) where products.root_plu = %1"
     " group by products.plu, products.size_offset",
     "ordqty", nullptr},
    {hrDelivered,
     "select products.plu, products.size_offset, sum(qty) as ordqty, sum(delivery) as delqty from orders"
     " inner join products on (products.plu = orders.plu) where products.root_plu = %1"
     " group by products.plu, products.size_offset",
     "delqty", nullptr},
    {hrTransOut,
     "select products.plu, products.size_offset, sum(qty) as transqty from transfers"
     " inner join products on (products.plu = transfers.plu) where products.root_plu = %1%2"
     " group by products.plu, products.size_offset",
     "transqty", "source"},
    {hrTransIn,
     "select products.plu, products.size_offset, sum(received) as transqty from transfers"
     " inner join products on (products.plu = transfers.plu) where products.root_plu = %1%2"
     " group by products.plu, products.size_offset",
     "transqty", "destination"},
    {hrReturned,
     "select products.plu, products.size_offset, sum(qty) as totret from returns"
     " inner join products on (products.plu = returns.plu) where products.root_plu = %1%2"
     " group by products.plu, products.size_offset",
     "totret", "source"},
    {hrWrittenOff,
     "select products.plu, products.size_offset, sum(qty) as totwo from writeoffs"
     " inner join products on (products.plu = writeoffs.plu) where products.root_plu = %1%2"
     " group by products.plu, products.size_offset",
     "totwo", "source"},
    {hrSales,
     "select products.plu, products.size_offset, sum(quantity) as totsales from transactions"
     " inner join products on (products.plu = transactions.full_plu_string) where products.root_plu = %1%2"
     " group by products.plu, products.size_offset",
     "totsales", "branch_id"},
};

TEST_P(HistoryFigures, TheOneStatementGivesWhatThePlainStatementsGive) {
  // Awkward data on top of the shop's: a PLU with no stock rows at all, a
  // colour without a name and with one size without a name, a movement of a
  // PLU no product has, quantities that are NULL.
  db().Execute(
      "INSERT INTO BRANCHSTOCK (PLU, ROOT_PLU, BRANCH_ID, STOCK_QUANTITY) VALUES"
      " ('0000005000', '00000050', 4, -6), ('0000009900', '00000099', 1, 3)");
  db().Execute(
      "INSERT INTO ORDERS (PLU, QTY, DELIVERY) VALUES ('0000005000', NULL, 2), ('0000009900', 1, 1)");
  db().Execute(
      "INSERT INTO TRANSACTIONS (FULL_PLU_STRING, QUANTITY, BRANCH_ID, DATE) VALUES"
      " ('0000005000', NULL, 1, '2024-03-02 10:00:00')");
  int compared = 0;
  for (const QString root : {"00000042", "00000043", "00000044", "00000050", "00000060"}) {
    for (const qint64 branch : {0, 1, 4}) {
      Load(root, branch);
      for (const Reference& ref : kReferences) {
        const QString condition = ref.branchColumn && branch > 0
                                      ? QString(" and %1 = %2").arg(ref.branchColumn).arg(branch)
                                      : QString();
        kdb::Query q(&db());
        q.SQL = ref.sql.arg(Quote(root), condition);
        q.ExecSQL();
        QMap<QString, QString> expected;
        for (q.First(); !q.Eof(); q.Next())
          expected[q.FieldByName("plu").AsString()] = q.FieldByName(ref.column).AsString();
        // Every PLU of the colour: the reference's figure, or nothing.
        kdb::Query plus(&db());
        plus.SQL = "select plu from products where root_plu = " + Quote(root);
        plus.ExecSQL();
        for (plus.First(); !plus.Eof(); plus.Next()) {
          const QString plu = plus.FieldByName("plu").AsString();
          EXPECT_EQ(grid.Cell(info.ColumnOf(plu), ref.row), expected.value(plu))
              << root.toStdString() << " branch " << branch << " row " << ref.row << " plu "
              << plu.toStdString();
          ++compared;
        }
      }
    }
  }
  EXPECT_EQ(compared, 3 * 8 * (3 + 3 + 3 + 1 + 1));
}

KV_DB_ENGINES(HistoryFigures);

}  // namespace
