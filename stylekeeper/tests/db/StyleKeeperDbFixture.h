#pragma once
// The style editor's window on a shop database, for the database tests (both
// engines) and the benchmarks: a database made by the schema tool with its
// starter data, settings and user hand-over pointing at it, a few styles
// inserted directly, and the real window started on it as the program starts it.
#include <QComboBox>
#include <QDir>
#include <QTest>

#include "../SkTestUtil.h"
#include "KvDbTestSupport.h"
#include "SchemaClass.h"
#include "StarterDataClass.h"

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

// The shop, its settings and the modules on one engine, without GoogleTest's
// fixture machinery (the benchmarks use it as it is). SetUpShop throws
// kdb::DbError when the database cannot be made.
class ShopFixture : protected FormTestBase {
 protected:
  Engine engine = Engine::SQLite;
  std::unique_ptr<kvtest::TestDatabase> server;
  kvtest::DbHandle h;  // the test's own connection
  std::unique_ptr<TForm1> form;
  kvtest::DbFacts localFacts;  // the single-user database (SQLite)

  bool Pg() const { return engine == Engine::PostgreSQL; }

  // withStyles: the two colours (DENIM 00000042, BLACK 00000043) of JEAN01.
  void SetUpShop(Engine e, bool withStyles = true) {
    engine = e;
    SetUpModules();
    if (Pg()) PrepareServer(); else PrepareSingleUser();
    kvschema::CreateSchema(*h.db);
    kvschema::LoadStarterData(*h.db);
    kvschema::SyncIdCounters(*h.db);
    if (withStyles) {
      InsertStyle(*h.db, StyleSpec{});
      StyleSpec black;
      black.rootPLU = "00000043";
      black.colour = "BLACK";
      black.retail = "65.00";
      InsertStyle(*h.db, black);
    }
    CreateModules();
  }

  void PrepareServer() {
    server = std::make_unique<kvtest::TestDatabase>(Engine::PostgreSQL);
    const kvtest::DbFacts& f = server->Facts();
    qputenv("TESSARIN_DB_PORT", QByteArray::number(f.port));
    WriteFile(MultiUserFolder() + "SetupVELT.ini",
              "[Database]\nDBHost=" + f.host.toUtf8() + "\nDBLiveName=" + f.database.toUtf8() +
                  "\nDBSharePath=" + MultiUserFolder().toUtf8() + "share/\n"
                  "[Local]\nLOUseImages=1\n");
    WriteFile(MultiUserFolder() + "user.txt", "1\r\n1\r\n");
    h = server->Connect();
  }

  void PrepareSingleUser() {
    WriteFile(programDir + "menuhost", "#!/bin/sh\n");
    kvtest::DbFacts& f = localFacts;
    f.engine = Engine::SQLite;
    f.localDataFolder = SingleUserFolder();
    f.dataDir = f.localDataFolder + "db/data/";
    f.tempDir = f.localDataFolder + "db/temp/";
    QDir().mkpath(f.dataDir);
    QDir().mkpath(f.tempDir);
    WriteFile(f.localDataFolder + "user.txt", "1\r\n1\r\n");
    h = kvtest::DbHandle{std::make_unique<kdb::Session>(), std::make_unique<kdb::Database>()};
    kvtest::TestDatabase::Configure(f, *h.session, *h.db);
    h.db->Open();
  }

  // Another program's connection to the same database.
  kvtest::DbHandle OtherConnection() const {
    if (Pg()) return server->Connect();
    kvtest::DbHandle other{std::make_unique<kdb::Session>(), std::make_unique<kdb::Database>()};
    kvtest::TestDatabase::Configure(localFacts, *other.session, *other.db);
    other.db->Open();
    return other;
  }

  void TearDownShop() {
    form.reset();
    TearDownModules();
    h.db.reset();
    h.session.reset();
    server.reset();
    qunsetenv("TESSARIN_DB_PORT");
  }

  // Starts the window as the program does and shows it.
  TForm1& StartForm(const QStringList& args = {}) {
    form = std::make_unique<TForm1>(args, nullptr);
    if (!form->TerminateRequested()) form->show();
    QApplication::processEvents();
    return *form;
  }
};

// The database tests' fixture: the shop on the test's engine.
class StyleKeeperDbFixture : public ::testing::TestWithParam<Engine>, protected ShopFixture {
 protected:
  void SetUp() override {
    try {
      SetUpShop(GetParam());
    } catch (const kdb::DbError& e) {
      GTEST_FAIL() << e.Message().toStdString();
    }
  }

  void TearDown() override { TearDownShop(); }

  TForm1& Start(const QStringList& args = {}) {
    TForm1& f = StartForm(args);
    EXPECT_FALSE(f.TerminateRequested()) << dm->LastError.toStdString();
    return f;
  }

  void Activate() {
    QApplication::setActiveWindow(form.get());
    form->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(form.get()));
  }

  void Focus(QWidget* w) {
    w->setFocus(Qt::TabFocusReason);
    QApplication::processEvents();
  }

  int SupplierId(const QString& name) {
    kdb::Query q(h.db.get());
    q.SQL = "SELECT ID FROM PARAMETERS WHERE TYPE='SUPPLIER' AND NAME=" + kdb::sql::Quote(name);
    q.ExecSQL();
    return static_cast<int>(q.FieldByName("ID").AsInteger());
  }

  static bool Shown(QWidget* w) { return !w->isHidden(); }
};

}  // namespace sktest
