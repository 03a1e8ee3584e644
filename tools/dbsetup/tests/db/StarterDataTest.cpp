// The starter data on both engines, and the dbsetup command end to end.
#include <gtest/gtest.h>

#include "DbSetupClass.h"
#include "KvDbTestSupport.h"
#include "SchemaClass.h"
#include "StarterDataClass.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTextStream>

namespace {

namespace starter = kvschema::starter;

class StarterDataTest : public kvtest::DbTest {
 protected:
  void SetUp() override {
    kvtest::DbTest::SetUp();
    if (HasFatalFailure()) return;
    kvschema::CreateSchema(db());
    loaded_ = kvschema::LoadStarterData(db());
  }
  QString One(const QString& sql) {
    const QStringList v = Column(sql);
    EXPECT_EQ(v.size(), 1) << sql.toStdString();
    return v.value(0);
  }
  kvschema::StarterResult loaded_;
};

TEST_P(StarterDataTest, FixedUserMayEditStock) {
  ASSERT_TRUE(loaded_.loaded);
  // The launcher's log-in: exactly one row for the fixed pair.
  const QStringList level =
      Column("select security_level from staff where username = " + kdb::sql::Quote(starter::kUserName) +
             " and password = " + kdb::sql::Quote(starter::kPassword));
  ASSERT_EQ(level.size(), 1);
  // The security check compares the level as text, as the programs do.
  EXPECT_EQ(Column("SELECT SECURITY_LEVEL FROM SECURITY WHERE SECURITY_LEVEL = " +
                   kdb::sql::Quote(level[0]) + " AND SECURITY_FUNCTION = " +
                   kdb::sql::Quote(starter::kEditStock))
                .size(),
            1);
  EXPECT_TRUE(Column("SELECT SECURITY_LEVEL FROM SECURITY WHERE SECURITY_LEVEL = '" +
                     QString::number(starter::kAssistantLevel) + "'")
                  .isEmpty());
  EXPECT_EQ(One("SELECT COUNT(*) AS N FROM COMPANY"), "1");
  EXPECT_EQ(Column("SELECT ID FROM BRANCHES WHERE ID IN (1, 2, 3) ORDER BY ID"),
            (QStringList{"1", "2", "3"}));
  EXPECT_EQ(One("SELECT COUNT(*) AS N FROM PRODUCTS"), "0");
}

TEST_P(StarterDataTest, EachListHasExactlyOneDefault) {
  for (const QString type : {"SEASON", "BRANDLABEL", "VAT"}) {
    const QString t = kdb::sql::Quote(type);
    EXPECT_EQ(One("SELECT COUNT(*) AS N FROM PARAMETERS WHERE TYPE = " + t + " AND PARENT_ID = ID"), "1")
        << type.toStdString();
    // Every row of the list points at that default.
    EXPECT_EQ(One("SELECT COUNT(*) AS N FROM PARAMETERS P WHERE P.TYPE = " + t +
                  " AND P.PARENT_ID NOT IN (SELECT D.ID FROM PARAMETERS D WHERE D.TYPE = " + t +
                  " AND D.PARENT_ID = D.ID)"),
              "0")
        << type.toStdString();
  }
  EXPECT_EQ(One("SELECT COUNT(*) AS N FROM SIZESSCALE WHERE DEFAULT_ID = ID"), "1");
  EXPECT_EQ(One("SELECT COUNT(DISTINCT DEFAULT_ID) AS N FROM SIZESSCALE"), "1");
}

TEST_P(StarterDataTest, CodeListsAreLinked) {
  // Departments hang under categories and name an existing VAT row.
  EXPECT_EQ(One("SELECT COUNT(*) AS N FROM PARAMETERS D WHERE D.TYPE = 'DEPARTMENT' AND NOT EXISTS"
                " (SELECT C.ID FROM PARAMETERS C WHERE C.TYPE = 'CATEGORY' AND C.ID = D.PARENT_ID"
                " AND C.NAME = D.PARENT_NAME)"),
            "0");
  EXPECT_EQ(One("SELECT COUNT(*) AS N FROM PARAMETERS D WHERE D.TYPE = 'DEPARTMENT' AND NOT EXISTS"
                " (SELECT V.ID FROM PARAMETERS V WHERE V.TYPE = 'VAT'"
                " AND " + QString("CAST(V.ID AS VARCHAR(20)) = D.EXTRA)")),
            "0");
  EXPECT_EQ(One("SELECT COUNT(*) AS N FROM PARAMETERS S WHERE S.TYPE = 'SUBDEPARTMENT' AND NOT EXISTS"
                " (SELECT D.ID FROM PARAMETERS D WHERE D.TYPE = 'DEPARTMENT' AND D.ID = S.PARENT_ID)"),
            "0");
  // Root PLU prefix codes: one character per season, two per sub-department.
  for (const QString& code : Column("SELECT EXTRA FROM PARAMETERS WHERE TYPE = 'SEASON'"))
    EXPECT_EQ(code.size(), 1);
  for (const QString& code : Column("SELECT EXTRA FROM PARAMETERS WHERE TYPE = 'SUBDEPARTMENT'"))
    EXPECT_EQ(code.size(), 2);
  // Names the editors keep in capitals.
  for (const QString& name : Column("SELECT NAME FROM PARAMETERS WHERE TYPE <> 'PRODUCT OPTION'"))
    EXPECT_EQ(name, name.toUpper());
  // Suppliers: the three address rows each.
  const QStringList perSupplier =
      Column("SELECT COUNT(A.ID) AS N FROM PARAMETERS P LEFT JOIN ADDRESSES A ON (A.PARENT_ID = P.ID)"
             " WHERE P.TYPE = 'SUPPLIER' GROUP BY P.ID");
  EXPECT_GE(perSupplier.size(), 3);
  EXPECT_EQ(perSupplier.count("3"), perSupplier.size());
}

TEST_P(StarterDataTest, SizesFollowTheirOffsets) {
  const QStringList scales = Column("SELECT ID FROM SIZESSCALE ORDER BY ID");
  ASSERT_FALSE(scales.isEmpty());
  for (const QString& id : scales) {
    const QStringList offsets = Column("SELECT \"offset\" FROM SIZES WHERE SIZESSCALE_ID = " +
                                       kdb::sql::Int(id) + " ORDER BY \"offset\"");
    EXPECT_EQ(One("SELECT COUNTER FROM SIZESSCALE WHERE ID = " + kdb::sql::Int(id)),
              QString::number(offsets.size()));
    for (int i = 0; i < offsets.size(); ++i) EXPECT_EQ(offsets[i], QString::number(i));
  }
  EXPECT_EQ(Column("SELECT S.NAME FROM SIZES S INNER JOIN SIZESSCALE C ON (C.ID = S.SIZESSCALE_ID)"
                   " WHERE C.NAME = 'MENS S-XXL' ORDER BY S.\"offset\""),
            (QStringList{"S", "M", "L", "XL", "XXL"}));
}

TEST_P(StarterDataTest, LoadsOnlyIntoAnEmptyDatabase) {
  ASSERT_TRUE(loaded_.loaded);
  const QString before = One("SELECT COUNT(*) AS N FROM PARAMETERS");
  const kvschema::StarterResult again = kvschema::LoadStarterData(db());
  EXPECT_FALSE(again.loaded);
  EXPECT_EQ(One("SELECT COUNT(*) AS N FROM PARAMETERS"), before);
  EXPECT_TRUE(kvschema::CreateSchema(db()).Empty());
  // New rows after the starter data get fresh IDs.
  db().Execute("INSERT INTO PARAMETERS (NAME, TYPE) VALUES ('NEW SUPPLIER', 'SUPPLIER')");
  EXPECT_EQ(One("SELECT ID FROM PARAMETERS WHERE NAME = 'NEW SUPPLIER'"),
            QString::number(before.toInt() + 1));
}

KV_DB_ENGINES(StarterDataTest);

// The program's own path: connect, create, load; a second run leaves it alone.
class DbSetupRunTest : public kvtest::DbTest {
 protected:
  int Run(const QStringList& args, QString& output) {
    output.clear();
    QString errors;
    QTextStream out(&output), err(&errors);
    const int code = kvschema::RunDbSetup(args, out, err);
    out.flush();
    err.flush();
    output += errors;
    return code;
  }
  QStringList TargetArgs(const QString& serverDatabase) const {
    if (!isPg()) return {"--local", facts().localDataFolder};
    QStringList a = {"--server", facts().host, "--port", QString::number(facts().port),
                     "--database", serverDatabase};
    return a;
  }
};

TEST_P(DbSetupRunTest, CreatesLoadsAndLeavesAnExistingDatabaseAlone) {
  // On the server, a database of its own that dbsetup must create first.
  const QString name = QString("kvsetup_%1").arg(facts().database.isEmpty() ? "local" : facts().database);
  QString output;
  ASSERT_EQ(Run(TargetArgs(name) << "--starter", output), 0) << output.toStdString();
  EXPECT_TRUE(output.contains("Created table PRODUCTS"));
  EXPECT_TRUE(output.contains("Starter data loaded."));
  if (isPg()) EXPECT_TRUE(output.contains("Created database " + name));
  else EXPECT_TRUE(QFileInfo::exists(facts().dataDir + "DATA.sqlite")) << output.toStdString();

  ASSERT_EQ(Run(TargetArgs(name) << "--starter", output), 0) << output.toStdString();
  EXPECT_TRUE(output.contains("up to date"));
  EXPECT_TRUE(output.contains("already holds data"));
  EXPECT_FALSE(output.contains("Created"));
  if (isPg()) kvtest::PgAdminExecute("DROP DATABASE IF EXISTS " + name + " WITH (FORCE)");
}

TEST_P(DbSetupRunTest, ReportsAFailureWithNonZeroExit) {
  QString output;
  const QStringList args = isPg() ? QStringList{"--server", facts().host, "--port",
                                                QString::number(facts().port), "--password", "wrong"}
                                  : QStringList{"--local", "/proc/no-such-place"};
  EXPECT_EQ(Run(args, output), 1);
  EXPECT_TRUE(output.contains("dbsetup: ")) << output.toStdString();
}

KV_DB_ENGINES(DbSetupRunTest);

// A file whose pages are damaged still opens and still lists its tables:
// dbsetup must read it through before it calls it up to date.
TEST(DbSetupLocalFile, ADamagedFileIsReportedWithANonZeroExit) {
  kvtest::TestDatabase td(kvtest::Engine::SQLite);
  const QString folder = td.Facts().localDataFolder;
  QString output, errors;
  QTextStream out(&output), err(&errors);
  ASSERT_EQ(kvschema::RunDbSetup({"--local", folder, "--starter"}, out, err), 0) << errors.toStdString();

  QFile file(td.Facts().dataDir + "DATA.sqlite");
  ASSERT_TRUE(file.open(QIODevice::ReadWrite));
  ASSERT_GT(file.size(), 16 * 4096);
  file.seek(8 * 4096);
  file.write(QByteArray(4 * 4096, '\x5a'));
  file.close();

  output.clear();
  EXPECT_EQ(kvschema::RunDbSetup({"--local", folder}, out, err), 1);
  out.flush();
  err.flush();
  EXPECT_TRUE(errors.contains("is damaged")) << errors.toStdString();
  EXPECT_FALSE(output.contains("up to date")) << output.toStdString();
}

}  // namespace
