// Parameter rows, pick lists and wholesale packs on both engines.
#include "FwDbFixture.h"

#include "Kvutilsclass.h"
#include "PickList.h"

#include <QComboBox>
#include <QListWidget>

namespace {

class RulesDbTest : public fwdbtest::FwDbTest {
 protected:
  QString One(const QString& sql) {
    const QStringList v = Column(sql);
    return v.isEmpty() ? QString("<no row>") : v.first();
  }
};

TEST_P(RulesDbTest, GetParamListNamesTheDefaultRowByItsIndex) {
  ExecWithIds(
      "INSERT INTO PARAMETERS (ID, NAME, TYPE, PARENT_ID) VALUES "
      "(1, 'WINTER', 'SEASON', 3), (2, 'AUTUMN', 'SEASON', 3), (3, 'SUMMER', 'SEASON', 3), "
      "(4, 'SPRING', 'SEASON', NULL), (5, 'ACME', 'SUPPLIER', 5)");
  QStringList items;
  EXPECT_EQ(m->GetParamList(items, "SEASON", true), 2);
  EXPECT_EQ(items, (QStringList{"AUTUMN=2", "SPRING=4", "SUMMER=3", "WINTER=1"}));
  EXPECT_EQ(m->GetParamList(items, "SEASON", false), -1);

  QComboBox combo;
  EXPECT_EQ(m->GetParamList(&combo, "SEASON", true), 2);
  EXPECT_EQ(combo.itemText(2), "SUMMER");
  EXPECT_EQ(kui::PickValueAt(&combo, 2), "3");
  EXPECT_EQ(combo.currentIndex(), -1);  // the caller selects

  // Two rows marked as default: the last in name order wins.
  Exec("UPDATE PARAMETERS SET PARENT_ID = ID WHERE TYPE = 'SEASON' AND ID IN (1, 2)");
  QListWidget list;
  EXPECT_EQ(m->GetParamList(&list, "SEASON", true), 3);
  EXPECT_EQ(list.item(3)->text(), "WINTER");

  Exec("UPDATE PARAMETERS SET PARENT_ID = NULL WHERE TYPE = 'SEASON'");
  EXPECT_EQ(m->GetParamList(items, "SEASON", true), -1);
  EXPECT_EQ(items.size(), 4);
  EXPECT_EQ(m->GetParamList(items, "SEA'SON", true), -1);
  EXPECT_TRUE(items.isEmpty());
  EXPECT_FALSE(LogText().contains("Exception SQL:"));
}

TEST_P(RulesDbTest, TwoSuppliersOfOneNameReadAsTheFirst) {
  ExecWithIds("INSERT INTO PARAMETERS (ID, NAME, TYPE) VALUES "
              "(11, 'ACME', 'SUPPLIER'), (12, 'ACME', 'SUPPLIER'), (13, 'BOLT', 'SUPPLIER')");
  QComboBox combo;
  m->GetParamList(&combo, "SUPPLIER", false);
  ASSERT_EQ(combo.count(), 3);
  const QString secondId = kui::PickValueAt(&combo, 1);
  ASSERT_TRUE(secondId == "11" || secondId == "12");
  const QString firstId = kui::PickValueAt(&combo, 0);
  combo.setCurrentIndex(1);
  EXPECT_EQ(TKVUtilsClass::GetComboBoxName(&combo), "ACME");
  EXPECT_EQ(TKVUtilsClass::GetComboBoxValue(&combo), firstId);
  EXPECT_EQ(TKVUtilsClass::GetComboBoxValueIndex(&combo, secondId), -1);
  EXPECT_EQ(TKVUtilsClass::GetComboBoxValueIndex(&combo, firstId), 0);
  EXPECT_EQ(TKVUtilsClass::GetComboBoxValueIndex(&combo, "13"), 2);
}

TEST_P(RulesDbTest, BranchListsHideTheTwoSpecialBranchesUnlessAll) {
  ExecWithIds("INSERT INTO BRANCHES (ID, NAME) VALUES (1, 'SHOP'), (2, 'WAREHOUSE'), "
              "(3, 'HEAD OFFICE'), (4, 'ANNEX')");
  QStringList items;
  m->GetBranchList(items, false);
  EXPECT_EQ(items, (QStringList{"ANNEX=4", "SHOP=1"}));
  QListWidget list;
  m->GetBranchList(&list, true);
  EXPECT_EQ(kui::PickItems(&list),
            (QStringList{"ANNEX=4", "HEAD OFFICE=3", "SHOP=1", "WAREHOUSE=2"}));
}

TEST_P(RulesDbTest, SaveParamAddsThenEditsTheSameRow) {
  int id = 0;
  ASSERT_TRUE(rules->SaveParam(id, "COLOUR", "", "", "NAVY", Currency::FromRaw(12500), 0.5f,
                               "DARK BLUE"));
  ASSERT_GT(id, 0);
  const QString row = "SELECT NAME || '|' || TYPE || '|' || COALESCE(EXTRA, '') || '|' || "
                      "COALESCE(CAST(PARENT_ID AS VARCHAR(20)), 'null') FROM PARAMETERS WHERE ID = " +
                      QString::number(id);
  EXPECT_EQ(One(row), "DARK BLUE|COLOUR|NAVY|null");
  EXPECT_EQ(One("SELECT VALUE FROM PARAMETERS WHERE ID = " + QString::number(id)).toDouble(), 1.25);
  EXPECT_TRUE(LogText().contains("[x]after post: PARAMETERS[=]"));

  const int first = id;
  ASSERT_TRUE(rules->SaveParam(id, "COLOUR", "BLUES", "7", "", Currency(), 0.0f, "O'NEILL BLUE"));
  EXPECT_EQ(id, first);
  EXPECT_EQ(One(row), "O'NEILL BLUE|COLOUR||7");  // the extra form writes an empty extra too
  EXPECT_EQ(One("SELECT PARENT_NAME FROM PARAMETERS WHERE ID = " + QString::number(id)), "BLUES");

  // The form without extra keeps it; an empty parent id keeps the parent.
  ASSERT_TRUE(rules->SaveParam(id, "COLOUR", "", "", Currency(), 0.0f, "SKY"));
  EXPECT_EQ(One(row), "SKY|COLOUR||7");
  EXPECT_EQ(Column("SELECT ID FROM PARAMETERS").size(), 1);

  const QByteArray before = LogText();
  int missing = id + 100;
  EXPECT_FALSE(rules->SaveParam(missing, "COLOUR", "", "", Currency(), 0.0f, "NONE"));
  EXPECT_EQ(missing, id + 100);
  EXPECT_EQ(LogText(), before);  // nothing logged
}

TEST_P(RulesDbTest, AFailedWriteIsCancelledAndLogged) {
  int id = 0;
  EXPECT_FALSE(rules->SaveParam(id, "DEPARTMENT", "X", "not a number", Currency(), 0.0f, "SHOES"));
  EXPECT_EQ(id, 0);
  EXPECT_TRUE(LogText().contains("TDMBRules::SaveParam\r\n"));
  EXPECT_NE(m->DBTableR1->GetState(), kdb::Table::State::Insert);
  EXPECT_TRUE(Column("SELECT ID FROM PARAMETERS").isEmpty());
  // The table is usable again at once.
  EXPECT_TRUE(rules->SaveParam(id, "DEPARTMENT", "", "", Currency(), 0.0f, "SHOES"));
}

TEST_P(RulesDbTest, ParamNameExistsCountsOtherRowsOfTheListOnly) {
  ExecWithIds("INSERT INTO PARAMETERS (ID, NAME, TYPE, PARENT_ID) VALUES "
              "(1, 'LEVI''S', 'BRANDLABEL', NULL), (2, 'SHOES', 'SUBDEPARTMENT', 8), "
              "(3, 'RED', 'COLOUR', NULL)");
  EXPECT_TRUE(rules->ParamNameExists("LEVI'S", "BRANDLABEL", 0));
  EXPECT_FALSE(rules->ParamNameExists("LEVI'S", "BRANDLABEL", 1));  // its own name
  EXPECT_FALSE(rules->ParamNameExists("LEVI'S", "COLOUR", 0));
  EXPECT_FALSE(rules->ParamNameExists("X' OR '1'='1", "BRANDLABEL", 0));
  EXPECT_FALSE(rules->ParamNameExists("levi's", "BRANDLABEL", 0));  // byte comparison

  EXPECT_TRUE(rules->ParamNameExists("SHOES", "SUBDEPARTMENT", 0, "8"));
  EXPECT_FALSE(rules->ParamNameExists("SHOES", "SUBDEPARTMENT", 0, "9"));
  EXPECT_FALSE(rules->ParamNameExists("SHOES", "SUBDEPARTMENT", 2, "8"));
  EXPECT_FALSE(LogText().contains("Exception SQL:"));
  EXPECT_TRUE(rules->SQLText.endsWith(" and id <> 2"));
}

TEST_P(RulesDbTest, ParamNameExistsAnswersYesWhenItCannotTell) {
  // A parent id that is no number never reaches the statement.
  EXPECT_TRUE(rules->ParamNameExists("SHOES", "SUBDEPARTMENT", 0, "8 OR 1=1"));
  EXPECT_TRUE(LogText().contains("TDMBRules::ParamNameExists\r\n"));
  // A statement that fails.
  Exec("DROP TABLE PARAMETERS");
  EXPECT_TRUE(rules->ParamNameExists("NEW", "COLOUR", 0));
  EXPECT_TRUE(LogText().contains("Exception SQL:"));
}

TEST_P(RulesDbTest, SetDefaultSeasonPointsEverySeasonAtTheDefault) {
  ExecWithIds("INSERT INTO PARAMETERS (ID, NAME, TYPE, PARENT_ID) VALUES "
              "(1, 'WINTER', 'SEASON', 1), (2, 'SUMMER', 'SEASON', NULL), (3, 'RED', 'COLOUR', 3)");
  rules->SetDefaultSeason("2");
  EXPECT_EQ(Column("SELECT PARENT_ID FROM PARAMETERS ORDER BY ID"), (QStringList{"2", "2", "3"}));
  QStringList items;
  EXPECT_EQ(m->GetParamList(items, "SEASON", true), 0);  // SUMMER

  rules->SetDefaultSeason("1; DELETE FROM PARAMETERS");
  EXPECT_EQ(Column("SELECT PARENT_ID FROM PARAMETERS ORDER BY ID"), (QStringList{"2", "2", "3"}));
  EXPECT_TRUE(LogText().contains("TDMBRules::SetDefaultSeason\r\n"));
}

TEST_P(RulesDbTest, TheFirstPackOfAStyleGetsItsBarcodeFromItsId) {
  ExecWithIds("INSERT INTO WSPACKS (ID, STYLE, BARCODE) VALUES (6, 'OLD', '9900000006')");
  QString barcode;
  ASSERT_TRUE(rules->SaveWSPack("JEANS 'SLIM'", barcode));
  EXPECT_EQ(barcode, "9900000007");
  EXPECT_EQ(Column("SELECT BARCODE FROM WSPACKS WHERE ID = 7"), QStringList{"9900000007"});
  EXPECT_EQ(LogText().count("[x]after post: WSPACKS[=]"), 2);

  QString again;
  ASSERT_TRUE(rules->SaveWSPack("JEANS 'SLIM'", again));
  EXPECT_EQ(again, "9900000007");
  EXPECT_EQ(Column("SELECT ID FROM WSPACKS").size(), 2);
}

TEST_P(RulesDbTest, APackLineNeverStoresANegativeQuantity) {
  ASSERT_TRUE(rules->SaveWSPackLine("WJK0000102", "WJK00001", -3, "9900000007"));
  EXPECT_EQ(Column("SELECT QTY FROM WSPACKLINES WHERE PLU = 'WJK0000102'"), QStringList{"0"});
  ASSERT_TRUE(rules->SaveWSPackLine("WJK0000102", "WJK00001", 4, "9900000007"));
  ASSERT_TRUE(rules->SaveWSPackLine("WJK0000103", "WJK00001", 2, "9900000007"));
  EXPECT_EQ(Column("SELECT QTY FROM WSPACKLINES ORDER BY PLU"), (QStringList{"4", "2"}));
  EXPECT_EQ(Column("SELECT ROOTPLU FROM WSPACKLINES WHERE PLU = 'WJK0000103'"), QStringList{"WJK00001"});
  EXPECT_EQ(TDMBRules::GetImgFileName("WJK00001"), "WJK00001.jpg");
}

KV_DB_ENGINES(RulesDbTest);

}  // namespace
