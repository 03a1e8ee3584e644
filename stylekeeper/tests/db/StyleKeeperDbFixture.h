#pragma once
// The style editor's window on a shop database, for the database tests (both
// engines) and the benchmarks: a database made by the schema tool with its
// starter data, settings and user hand-over pointing at it, a few styles
// inserted directly, and the real window started on it as the program starts it.
#include <QComboBox>
#include <QList>
#include <QPair>

#include "../SkTestUtil.h"
#include "KvEdit.h"
#include "KvShopTestSupport.h"

namespace sktest {

using kvtest::Engine;

// One style and colour as the tests insert it: three sizes of WAIST 30-40.
struct StyleSpec {
  QString rootPLU = "00000042";
  QString style = "JEAN01";
  QString colour = "DENIM";
  QString supplier = "SOLENT DENIM";
  QString season = "SPRING SUMMER 2025";
  QString category = "MENSWEAR";
  QString department = "JEANS";
  QString subDepartment = "SLIM FIT";
  QString cost = "25.00", retail = "60.00", wholesale = "40.00", sale = "49.99";
};

inline void InsertStyle(kdb::Database& db, const StyleSpec& s) {
  using kdb::sql::Quote;
  const QStringList sizes = {"30", "32", "34"};
  for (int i = 0; i < sizes.size(); ++i) {
    const QString idOf = "(SELECT ID FROM PARAMETERS WHERE TYPE=%1 AND NAME=%2)";
    db.Execute(
        "INSERT INTO PRODUCTS (ROOT_PLU, PLU, DATE_CREATED, DATE_LASTDEL, STYLE, STYLE_REF, DESCRIPTION,"
        " COLOUR_ID, COLOUR_NAME, SUPPLIER_ID, SUPPLIER_NAME, BRANDLABEL_NAME, SEASON_NAME, CATEGORY_NAME,"
        " DEPARTMENT_NAME, SUBDEPARTMENT_NAME, ECOM_FLAG, SIZESSCALE_NAME, SIZE_NAME, SIZE_OFFSET, VAT_NAME,"
        " VAT_RATE, CURRENT_COST_PRICE, RETAIL_PRICE, WHOLESALE_PRICE, SALEPRICE) VALUES (" +
        QStringList{Quote(s.rootPLU), Quote(s.rootPLU + QString("%1").arg(i, 2, 10, QChar('0'))),
                    "'2024-01-10 09:00:00'", "'2024-01-10 09:00:00'", Quote(s.style), Quote("REF-" + s.style),
                    Quote("SLIM JEAN"), idOf.arg(Quote("COLOUR"), Quote(s.colour)), Quote(s.colour),
                    idOf.arg(Quote("SUPPLIER"), Quote(s.supplier)), Quote(s.supplier), Quote("TESSARIN"),
                    Quote(s.season), Quote(s.category), Quote(s.department), Quote(s.subDepartment), "true",
                    Quote("WAIST 30-40"), Quote(sizes[i]), QString::number(i), Quote("STANDARD"), "20",
                    s.cost, s.retail, s.wholesale, s.sale}
            .join(", ") +
        ")");
  }
}

// The shop's data: the starter data and, withStyles, the two colours (DENIM
// 00000042, BLACK 00000043) of JEAN01; then `more`.
inline kvfwtest::DataChange ShopData(bool withStyles, const kvfwtest::DataChange& more = {}) {
  return kvfwtest::StarterData([withStyles, more](kdb::Database& db) {
    if (withStyles) {
      InsertStyle(db, StyleSpec{});
      StyleSpec black;
      black.rootPLU = "00000043";
      black.colour = "BLACK";
      black.retail = "65.00";
      InsertStyle(db, black);
    }
    if (more) more(db);
  });
}

// The shop's lines of the multi-user settings: a share folder and pictures.
inline QByteArray ShopSettings() {
  return "DBSharePath=" + kvtest::MultiUserFolder().toUtf8() + "share/\n[Local]\nLOUseImages=1\n";
}

// The user the launcher hands over to the programs of the engine's edition.
inline void HandOverUser(Engine e) { kvtest::WriteFile(kvfwtest::EditionFolder(e) + "user.txt", "1\r\n1\r\n"); }

// A size scale with sizes (name, OFFSET) inserted in the order given.
inline void AddScale(kdb::Database& db, const QString& name, const QList<QPair<QString, int>>& sizes) {
  using kdb::sql::Quote;
  db.Execute("INSERT INTO SIZESSCALE (NAME, COUNTER, DEFAULT_ID) VALUES (" + Quote(name) + ", " +
             QString::number(sizes.size()) + ", 1)");
  const QString scale = kvtest::Column(db, "SELECT ID FROM SIZESSCALE WHERE NAME=" + Quote(name)).value(0);
  for (const auto& [size, offset] : sizes)
    db.Execute("INSERT INTO SIZES (SIZESSCALE_ID, NAME, \"offset\", RATIO) VALUES (" + scale + ", " + Quote(size) +
               ", " + QString::number(offset) + ", 1)");
}

// Chooses a name in a pick list.
using PickName = std::function<void(QComboBox*, const QString&)>;

// What a person fills in after Add for a new style of SOLENT DENIM in
// MENSWEAR / JEANS, cost 10.00 and retail 30.00; season, brand and VAT rate
// stay the defaults, no sub-department, the wholesale price as Add left it.
inline void FillNewStyle(TForm1& f, const QString& style, const QString& description, const QString& colour,
                         const QString& scale, const PickName& pick) {
  pick(f.ComboBoxSuppliers, "SOLENT DENIM");
  f.EditSupplierStyle->setText(style);
  f.EditDescription->setText(description);
  pick(f.ComboBoxColours, colour);
  pick(f.ComboBoxCategories, "MENSWEAR");
  f.ComboBoxCategoriesSelect();
  pick(f.ComboBoxDepartments, "JEANS");
  f.ComboBoxDepartmentsSelect();
  pick(f.ComboBoxSizeRanges, scale);
  f.ComboBoxSizeRangesSelect();
  f.EditCostPrice->setText("10.00");
  f.EditRetailPrice->setText("30.00");
}

// The database tests' fixture: the shop on the test's engine, the modules on
// it, the window not started yet.
class StyleKeeperDbFixture : public StyleKeeperTest<kvfwtest::EditionDbTest> {
 protected:
  void SetUp() override {
    StyleKeeperTest::SetUp();
    try {
      PrepareDatabase(ShopData(true), ShopSettings());
    } catch (const kdb::DbError& e) {
      GTEST_FAIL() << e.Message().toStdString();
    }
    HandOverUser(GetParam());
    CreateModules();
  }

  TForm1& Start(const QStringList& args = {}) {
    TForm1& f = StartForm(args);
    EXPECT_FALSE(f.TerminateRequested()) << dm->LastError.toStdString();
    return f;
  }

  void Activate() { StyleKeeperTest::Activate(form.get()); }

  void Focus(QWidget* w) {
    w->setFocus(Qt::TabFocusReason);
    QApplication::processEvents();
  }

  int SupplierId(const QString& name) {
    kdb::Query q(&db());
    q.SQL = "SELECT ID FROM PARAMETERS WHERE TYPE='SUPPLIER' AND NAME=" + kdb::sql::Quote(name);
    q.ExecSQL();
    return static_cast<int>(q.FieldByName("ID").AsInteger());
  }

  static bool Shown(QWidget* w) { return !w->isHidden(); }
};

}  // namespace sktest
