#pragma once
// A small stock catalogue with awkward data for the stock reports' database
// tests, on the shop's starter data (branches 1 MAIN STORE, 2 WAREHOUSE,
// 3 WEB SHOP, 4 HARROGATE, 5 YORK, 6 LEEDS; scales 1 LADIES 8-18 .. 7 ONE SIZE):
//
//   AWK      RED 10000001 (LADIES): HARROGATE 3, 0, -2, -, 5, - (two sizes
//            without a record), LEEDS -, 0, 0, 0, -, - (all zero), MAIN STORE
//            1..6 (a full run); its first size retails at 24.00, the others at
//            25.00. A colour without a name 10000002 (no supplier, no
//            description, no prices): YORK 0, 4. BLUE 10000003: no stock.
//   ONE      BLACK 20000001 (ONE SIZE): HARROGATE 0, MAIN STORE 2, LEEDS NULL.
//   BIG      GREEN 30000001 (BIG 25, 25 sizes): MAIN STORE size i at i - 3.
//   NOSTOCK  WHITE 40000001 (MENS S-XXL): no stock.
//   O'HARA   PINK 50000001 (MENS S-XXL): YORK S 1, M 0.
#include "KvDb.h"
#include "KvDbTestSupport.h"
#include "KvCheckListBox.h"
#include "KvEdit.h"
#include "KvShopTestSupport.h"
#include "MessageFrame.h"
#include "PreviewDialog.h"
#include "QuickReport.h"
#include "StylesListForm.h"

#include <QDialog>
#include <QDir>
#include <QPushButton>
#include <QStringList>

#include <functional>
#include <optional>

namespace reptest {

// Text as a literal, a null QString as NULL.
inline QString Literal(const QString& text) { return text.isNull() ? QString("NULL") : kdb::sql::Quote(text); }

// One colour of a style: a PRODUCTS row per size, PLU = root PLU and the
// size's 2-digit offset.
struct ColourRows {
  QString style;
  QString root;
  QString colour;
  int scaleId = 1;
  QStringList sizes;
  QString supplier = "NORTHERN MILLS";
  QString description = "A GARMENT";
  QString cost = "10.00";
  QString retail = "25.00";
  QString firstRetail;  // the first size's retail when it differs
};

inline ColourRows Colour(const QString& style, const QString& root, const QString& colour, int scaleId,
                         const QStringList& sizes) {
  ColourRows c;
  c.style = style;
  c.root = root;
  c.colour = colour;
  c.scaleId = scaleId;
  c.sizes = sizes;
  return c;
}

inline void AddColour(kdb::Database& db, const ColourRows& c) {
  for (int i = 0; i < c.sizes.size(); ++i) {
    const QString plu = c.root + QString("%1").arg(i, 2, 10, QChar('0'));
    const QString retail = i == 0 && !c.firstRetail.isEmpty() ? c.firstRetail : c.retail;
    db.Execute(
        "INSERT INTO PRODUCTS (ROOT_PLU, PLU, STYLE, STYLE_REF, DESCRIPTION, COLOUR_NAME, SUPPLIER_NAME,"
        " BRANDLABEL_NAME, SEASON_NAME, DEPARTMENT_NAME, SIZESSCALE_ID, SIZE_NAME, SIZE_OFFSET,"
        " CURRENT_COST_PRICE, RETAIL_PRICE) VALUES (" +
        QStringList{kdb::sql::Quote(c.root), kdb::sql::Quote(plu), kdb::sql::Quote(c.style),
                    kdb::sql::Quote("REF-" + c.style), Literal(c.description), Literal(c.colour),
                    Literal(c.supplier), kdb::sql::Quote("TESSARIN"), kdb::sql::Quote("AUTUMN WINTER 2025"),
                    kdb::sql::Quote("DRESSES"), QString::number(c.scaleId), kdb::sql::Quote(c.sizes[i]),
                    QString::number(i), c.cost.isNull() ? "NULL" : c.cost, retail.isNull() ? "NULL" : retail}
            .join(", ") +
        ")");
  }
}

// A BRANCHSTOCK row of a PLU at a branch (a NULL quantity without one).
inline void AddStock(kdb::Database& db, const QString& plu, int branchId, std::optional<qint64> quantity) {
  db.Execute("INSERT INTO BRANCHSTOCK (PLU, ROOT_PLU, BRANCH_ID, BRANCH_NAME, STOCK_QUANTITY) VALUES (" +
             kdb::sql::Quote(plu) + ", " + kdb::sql::Quote(plu.left(8)) + ", " + QString::number(branchId) +
             ", 'BRANCH', " + (quantity ? QString::number(*quantity) : QString("NULL")) + ")");
}

// Stock of consecutive sizes of a root PLU from size 0; nullopt leaves a size without a record.
inline void AddStockRun(kdb::Database& db, const QString& root, int branchId,
                        const std::vector<std::optional<qint64>>& quantities) {
  for (size_t i = 0; i < quantities.size(); ++i)
    if (quantities[i]) AddStock(db, root + QString("%1").arg(i, 2, 10, QChar('0')), branchId, quantities[i]);
}

constexpr int kMainStore = 1, kHarrogate = 4, kYork = 5, kLeeds = 6;

inline const QStringList& CatalogueStyles() {
  static const QStringList styles = {"AWK", "BIG", "NOSTOCK", "O'HARA", "ONE"};
  return styles;
}

inline void AwkwardCatalogue(kdb::Database& db) {
  const QStringList ladies = {"8", "10", "12", "14", "16", "18"};
  const QStringList mens = {"S", "M", "L", "XL", "XXL"};
  ColourRows red = Colour("AWK", "10000001", "RED", 1, ladies);
  red.firstRetail = "24.00";
  AddColour(db, red);
  ColourRows unnamed = Colour("AWK", "10000002", QString(), 1, ladies);
  unnamed.supplier = unnamed.description = unnamed.cost = unnamed.retail = QString();
  AddColour(db, unnamed);
  AddColour(db, Colour("AWK", "10000003", "BLUE", 1, ladies));
  AddStockRun(db, "10000001", kHarrogate, {3, 0, -2, std::nullopt, 5});
  AddStockRun(db, "10000001", kLeeds, {std::nullopt, 0, 0, 0});
  AddStockRun(db, "10000001", kMainStore, {1, 2, 3, 4, 5, 6});
  AddStockRun(db, "10000002", kYork, {0, 4});

  AddColour(db, Colour("ONE", "20000001", "BLACK", 7, {"ONE"}));
  AddStock(db, "2000000100", kHarrogate, 0);
  AddStock(db, "2000000100", kMainStore, 2);
  AddStock(db, "2000000100", kLeeds, std::nullopt);

  db.Execute("INSERT INTO SIZESSCALE (NAME, COUNTER, DEFAULT_ID) VALUES ('BIG 25', 25, 1)");
  const int bigScale = kvtest::Column(db, "SELECT ID FROM SIZESSCALE WHERE NAME = 'BIG 25'").value(0).toInt();
  QStringList big;
  for (int i = 0; i < 25; ++i) {
    big << QString("B%1").arg(i + 1, 2, 10, QChar('0'));
    db.Execute("INSERT INTO SIZES (SIZESSCALE_ID, NAME, \"offset\", RATIO) VALUES (" + QString::number(bigScale) +
               ", " + kdb::sql::Quote(big.last()) + ", " + QString::number(i) + ", 1)");
  }
  AddColour(db, Colour("BIG", "30000001", "GREEN", bigScale, big));
  std::vector<std::optional<qint64>> run;
  for (int i = 0; i < 25; ++i) run.emplace_back(i - 3);
  AddStockRun(db, "30000001", kMainStore, run);

  AddColour(db, Colour("NOSTOCK", "40000001", "WHITE", 2, mens));
  AddColour(db, Colour("O'HARA", "50000001", "PINK", 2, mens));
  AddStockRun(db, "50000001", kYork, {1, 0});
}

// A run of a report's reads in batches of two hands the styles over in the
// picked order, each as one read of the whole pick gives it (`dump` writes a
// style as text).
template <class Reads, class Style, class Dump>
void ExpectBatchesGiveTheWhole(Reads& reads, const QStringList& picked, const std::vector<Style>& whole, Dump dump) {
  reads.BatchStyles = 2;
  QStringList order;
  std::vector<QStringList> handed;
  reads.ReadStyles(picked, [&](const Style& s) {
    order << s.Style;
    handed.push_back(dump(s));
  });
  EXPECT_EQ(order, picked);
  ASSERT_EQ(handed.size(), whole.size());
  for (size_t i = 0; i < whole.size(); ++i) EXPECT_EQ(handed[i], dump(whole[i])) << i;
}

// The first page of a print as a picture in the screenshots folder.
inline void SavePrintedPage(kr::QuickReport& report, const QString& name) {
  const QString screens = qEnvironmentVariable("KV_SCREENS_DIR");
  if (screens.isEmpty()) return;
  QDir().mkpath(screens);
  EXPECT_TRUE(report.RenderPageImage(0).save(screens + "/" + name + ".png"));
}

// A stock report's test on the catalogue, on both engines: the user handed
// over, the program's data module made (not yet connected). Dialogs other
// than messages go to onDialog when set; otherwise a preview is counted and
// closed, the style picker ticks `pick` (see Pick), and the rest is rejected.
class StockReportDbTest : public kvfwtest::EditionDbTest {
 protected:
  std::function<void(QDialog&)> onDialog;
  QStringList pick;  // the styles the picker ticks; none: the picker is cancelled
  int pickers = 0;
  int previews = 0;

  // The person at the picker: lists every style when the list is empty, ticks
  // the styles of `pick` and presses OK; with nothing to pick, ticks all and
  // presses Cancel.
  void Pick(TFormStylesList& p) {
    if (p.ChListBoxStyles->Count() == 0) {
      p.Edit1->setText("");
      p.SpeedButton1->click();
    }
    p.SpButSelectNone->click();
    if (pick.isEmpty()) {
      p.SpButSelectAll->click();
      p.BitBtnCancel->click();
      return;
    }
    for (const QString& s : pick) p.ChListBoxStyles->SetChecked(p.ChListBoxStyles->IndexOf(s), true);
    p.BitBtnOK->click();
  }

  void SetUp() override {
    EditionDbTest::SetUp();
    PrepareDatabase(kvfwtest::StarterData(AwkwardCatalogue));
    kvtest::WriteFile(kvfwtest::EditionFolder(GetParam()) + "user.txt",
                      "1\r\n" + kvfwtest::FixedUserId(db()).toUtf8() + "\r\n");
  }
  void OtherDialog(QDialog& d) override {
    if (qobject_cast<TMessageFrame*>(&d)) {
      d.reject();  // a message: recorded already
    } else if (onDialog) {
      onDialog(d);
    } else if (qobject_cast<kr::PreviewDialog*>(&d)) {
      ++previews;
      d.reject();
    } else if (auto* picker = qobject_cast<TFormStylesList*>(&d)) {
      ++pickers;
      Pick(*picker);
    } else {
      d.reject();
    }
  }
  // The data module connected, for tests of the reads without a window.
  TDMDB& Connected(const QString& program) {
    dm = Module(program);
    EXPECT_TRUE(dm->Init());
    EXPECT_TRUE(dm->ConnectAndLoadUser(false)) << dm->LastError.toStdString();
    return *dm;
  }
};

}  // namespace reptest
