#include "KvFwTestSupport.h"

#include "BOSetupClass.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <functional>

namespace {

const QString kNoSettings = "Error: There are no settings available.";

class SetupTest : public kvfwtest::ModuleTest<> {};

TEST_F(SetupTest, DefaultsOfTheSettings) {
  const TBOSetupClass s;
  EXPECT_EQ(s.DBName, "DATA");
  EXPECT_EQ(s.DBTrainName, "DATATRAINING");
  EXPECT_FALSE(s.DBHost.isEmpty());
  EXPECT_EQ(s.LOBranchID, 0);
  EXPECT_TRUE(s.SFMakeTickets);
  EXPECT_TRUE(s.OrdBGSetSKU);
  EXPECT_FALSE(s.LocalMode);
}

TEST_F(SetupTest, LocateCreatesTheMultiUserFolderAndLocateQSDoesNot) {
  TBOSetupClass s;
  ASSERT_TRUE(s.Locate());
  EXPECT_EQ(s.SettingsFolder, kvtest::MultiUserFolder());
  EXPECT_EQ(s.IniFileName, kvtest::MultiUserFolder() + "SetupVELT.ini");
  EXPECT_TRUE(QFileInfo(s.SettingsFolder).isDir());
  EXPECT_EQ(s.GetAppDataFolder(), kvtest::UserFolder());
  EXPECT_EQ(s.GetCommonAppDataFolder(), kvtest::CommonFolder());

  TBOSetupClass qs;
  EXPECT_FALSE(qs.LocateQS());
  EXPECT_FALSE(QFileInfo(kvtest::SingleUserFolder()).exists());
  QDir().mkpath(kvtest::SingleUserFolder());
  ASSERT_TRUE(qs.LocateQS());
  EXPECT_EQ(qs.LocalDataFolder, kvtest::SingleUserFolder());
  qs.ApplyQSDefaults();
  EXPECT_TRUE(qs.LocalMode);
  EXPECT_EQ(qs.LOBranchID, 1);
  EXPECT_EQ(qs.GetImagesFolder(), kvtest::SingleUserFolder() + "Images/");
}

TEST_F(SetupTest, LoadReadsEveryKeyAndAMissingKeyKeepsItsDefault) {
  WriteSettings("[Database]\r\nDBHost=shop-server\r\nDBUseInternet=1\r\nDBLiveName=LIVE\r\n"
                "[Local]\r\nLOBranchID=12\r\nLOUseImages=1\r\n"
                "[ModSF]\r\nSFMakeTickets=0\r\nSFSeasonSubDeptPLU=1\r\n"
                "[Advanced]\r\nAdvOrderByRootPLU=1\r\n");
  TBOSetupClass s;
  ASSERT_TRUE(s.Locate());
  ASSERT_TRUE(s.Load());
  EXPECT_EQ(s.DBHost, "shop-server");
  EXPECT_TRUE(s.DBUseInternet);
  EXPECT_EQ(s.DBName, "LIVE");
  EXPECT_EQ(s.LOBranchID, 12);
  EXPECT_TRUE(s.LOUseImages);
  EXPECT_FALSE(s.SFMakeTickets);
  EXPECT_TRUE(s.SFSeasonSubDeptPLU);
  EXPECT_TRUE(s.AdvOrderByRootPLU);
  // Keys the file lacks keep their defaults.
  EXPECT_TRUE(s.SFPriceCalc);
  EXPECT_EQ(s.DBTrainName, "DATATRAINING");
  EXPECT_TRUE(s.OrdBGMakeLabels);
  EXPECT_EQ(s.DBSharePath, "");
  EXPECT_FALSE(s.LocalMode);
}

TEST_F(SetupTest, UseTrainSelectsTheTrainingDatabaseWhateverDBNameSays) {
  WriteSettings("[Database]\nDBName=OTHER\nDBLiveName=LIVE\nDBTrainName=TRAIN\n[Local]\nLOUseTrain=1\n");
  TBOSetupClass s;
  ASSERT_TRUE(s.Locate());
  ASSERT_TRUE(s.Load());
  EXPECT_EQ(s.DBName, "TRAIN");

  WriteSettings("[Database]\nDBName=OTHER\nDBLiveName=LIVE\n[Local]\nLOUseTrain=0\n");
  TBOSetupClass live;
  ASSERT_TRUE(live.Locate());
  ASSERT_TRUE(live.Load());
  EXPECT_EQ(live.DBName, "LIVE");
}

TEST_F(SetupTest, SettingsFilesThatAreNoSettingsFailToLoad) {
  TBOSetupClass s;
  ASSERT_TRUE(s.Locate());
  EXPECT_FALSE(s.Load());  // no file
  for (const QByteArray& bytes : {QByteArray("\x00\x01\x02\xff[x]\x00garbage", 16)}) {
    WriteSettings(bytes);
    TBOSetupClass t;
    ASSERT_TRUE(t.Locate());
    EXPECT_FALSE(t.Load());
    EXPECT_EQ(t.DBName, "DATA");
  }
  QFile::remove(s.IniFileName);
  QDir().mkdir(s.IniFileName);  // a folder of that name
  EXPECT_FALSE(s.Load());
}

// One key of the settings file: section, key, the field it fills, its
// built-in default, the single-user value, and a value that differs from both.
struct Key {
  const char* section;
  const char* key;
  std::function<QVariant(const TBOSetupClass&)> field;
  QVariant def;
  QVariant single;  // invalid: "not used" in single-user mode (the default stays)
  QString fileText;
  QVariant fromFile;
};

template <typename T>
std::function<QVariant(const TBOSetupClass&)> F(T TBOSetupClass::*m) {
  return [m](const TBOSetupClass& s) { return QVariant::fromValue(s.*m); };
}

std::vector<Key> TheSettingsTable(const QString& singleFolder) {
  using S = TBOSetupClass;
  return {
      {"Database", "DBHost", F(&S::DBHost), "localhost", {}, "shop-server", "shop-server"},
      {"Database", "DBSharePath", F(&S::DBSharePath), "", singleFolder, "/srv/share/", "/srv/share/"},
      {"Database", "DBUseInternet", F(&S::DBUseInternet), false, {}, "1", true},
      {"Database", "DBName", F(&S::DBName), "DATA", "DATA", "IGNORED", "LIVE"},
      {"Database", "DBLiveName", F(&S::DBLiveName), "DATA", "DATA", "LIVE", "LIVE"},
      {"Database", "DBTrainName", F(&S::DBTrainName), "DATATRAINING", "DATATRAINING", "TRAIN", "TRAIN"},
      {"Local", "LOBranchID", F(&S::LOBranchID), 0, 1, "17", 17},
      {"Local", "LOUseImages", F(&S::LOUseImages), false, true, "1", true},
      {"Local", "LOUseTrain", F(&S::LOUseTrain), false, false, "0", false},
      {"Local", "LOUseBSPrice", F(&S::LOUseBSPrice), false, false, "1", true},
      {"ModSF", "SFMakeTickets", F(&S::SFMakeTickets), true, false, "0", false},
      {"ModSF", "SFPriceCalc", F(&S::SFPriceCalc), true, true, "0", false},
      {"ModSF", "SFSeasonSubDeptPLU", F(&S::SFSeasonSubDeptPLU), false, false, "1", true},
      {"ModSF", "SFCopyStyleToDesc", F(&S::SFCopyStyleToDesc), false, false, "1", true},
      {"ModOrd", "OrdBranchSpecific", F(&S::OrdBranchSpecific), false, false, "1", true},
      {"ModOrd", "OrdShowStockSales", F(&S::OrdShowStockSales), false, false, "1", true},
      {"ModOrd", "OrdBGMakeLabels", F(&S::OrdBGMakeLabels), true, true, "0", false},
      {"ModOrd", "OrdBGSetSKU", F(&S::OrdBGSetSKU), true, true, "0", false},
      {"Advanced", "AdvOrderByRootPLU", F(&S::AdvOrderByRootPLU), false, false, "1", true},
  };
}

TEST_F(SetupTest, EveryKeyOfTheSettingsTableWithItsDefaultFileAndSingleUserValue) {
  const auto table = TheSettingsTable(kvtest::SingleUserFolder());
  ASSERT_EQ(table.size(), 19u);
  QByteArray ini;
  for (const Key& k : table)
    ini += QByteArray("[") + k.section + "]\r\n" + k.key + "=" + k.fileText.toUtf8() + "\r\n";
  WriteSettings(ini);

  const TBOSetupClass defaults;
  TBOSetupClass multi;
  ASSERT_TRUE(multi.Locate());
  ASSERT_TRUE(multi.Load());
  QDir().mkpath(kvtest::SingleUserFolder());
  TBOSetupClass single;
  ASSERT_TRUE(single.LocateQS());
  single.ApplyQSDefaults();
  for (const Key& k : table) {
    EXPECT_EQ(k.field(defaults), k.def) << k.key;
    EXPECT_EQ(k.field(multi), k.fromFile) << k.key;
    EXPECT_EQ(k.field(single), k.single.isValid() ? k.single : k.def) << k.key;
  }
  EXPECT_FALSE(defaults.LocalMode);
  EXPECT_FALSE(multi.LocalMode);
  EXPECT_TRUE(single.LocalMode);
}

TEST_F(SetupTest, AnEmptyOrSectionlessSettingsFileKeepsEveryDefaultAndTheProgramStarts) {
  // Keys before any section belong to none, as a Windows read takes them.
  for (const QByteArray& ini : {QByteArray(), QByteArray("\r\n; no keys yet\r\n"),
                                QByteArray("DBHost=server\r\nSFMakeTickets=0\r\n")}) {
    WriteSettings(ini);
    auto m = Module("suppliers");
    ASSERT_TRUE(m->Init()) << ini.toStdString();
    EXPECT_TRUE(boxes.isEmpty());
    EXPECT_TRUE(m->LoggingOn);
    EXPECT_EQ(m->Setup->DBHost, "localhost");
    EXPECT_EQ(m->Setup->DBName, "DATA");
    EXPECT_TRUE(m->Setup->SFMakeTickets);
    EXPECT_TRUE(kvtest::ReadAll(m->LogFileName).startsWith("[=]program started[=]\r\n"));
  }
}

TEST_F(SetupTest, ASettingsFileThatCannotBeReadIsNoSettings) {
  // Reading this file fails with an I/O error whoever runs the test (root too).
  QDir().mkpath(kvtest::MultiUserFolder());
  ASSERT_TRUE(QFile::link("/proc/self/mem", kvtest::MultiUserFolder() + "SetupVELT.ini"));
  auto m = Module();
  EXPECT_FALSE(m->Init());
  EXPECT_EQ(boxes, QStringList{kNoSettings});
  EXPECT_FALSE(m->LoggingOn);
  EXPECT_FALSE(QFileInfo::exists(kvtest::MultiUserFolder() + "bologs"));
}

}  // namespace
