#include "KvFwTestSupport.h"

#include "BOSetupClass.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

namespace {

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

}  // namespace
