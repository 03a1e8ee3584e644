// Start-up, settings and the message windows, checked against the fixed
// texts and values the programs rely on.
#include "KvFwTestSupport.h"

#include "ConfirmMessageForm.h"
#include "MessageForm.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QScreen>

#include <functional>

namespace {

const QString kNoSettings = "Error: There are no settings available.";

class ReviewFwTest : public kvfwtest::ModuleTest<> {};

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

TEST_F(ReviewFwTest, EveryKeyOfTheSettingsTableWithItsDefaultFileAndSingleUserValue) {
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

TEST_F(ReviewFwTest, AnEmptySettingsFileKeepsEveryDefaultAndTheProgramStarts) {
  for (const QByteArray& ini : {QByteArray(), QByteArray("\r\n; no keys yet\r\n")}) {
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

TEST_F(ReviewFwTest, ASettingsFileThatCannotBeReadIsNoSettings) {
  // Reading this file fails with an I/O error whoever runs the test (root too).
  QDir().mkpath(kvtest::MultiUserFolder());
  ASSERT_TRUE(QFile::link("/proc/self/mem", kvtest::MultiUserFolder() + "SetupVELT.ini"));
  auto m = Module();
  EXPECT_FALSE(m->Init());
  EXPECT_EQ(boxes, QStringList{kNoSettings});
  EXPECT_FALSE(m->LoggingOn);
  EXPECT_FALSE(QFileInfo::exists(kvtest::MultiUserFolder() + "bologs"));
}

TEST_F(ReviewFwTest, TextsOfSeveralLinesKeepTheLogsCrLfLineEnds) {
  WriteSettings("[Local]\nLOBranchID=2\n");
  auto m = Module();
  ASSERT_TRUE(m->Init());
  kui::ScopedAnswerer answer([](QDialog& d) { d.accept(); });
  m->ShowMessage("Sorry, you do not have the required security level.\n\nRequires: Edit Stock");
  m->LogException(QString("ERROR:  relation \"x\" does not exist\nLINE 1: SELECT * FROM x\r\n"),
                  "TDMDB::RunQuery");
  const QByteArray log = kvtest::ReadAll(m->LogFileName);
  EXPECT_TRUE(log.endsWith("2024-03-05 09:15:30\r\nSorry, you do not have the required security level.\r\n"
                           "\r\nRequires: Edit Stock\r\nTDMDB::RunQuery\r\n2024-03-05 09:15:30\r\n"
                           "ERROR:  relation \"x\" does not exist\r\nLINE 1: SELECT * FROM x\r\n\r\n\r\n"))
      << log.toStdString();
  EXPECT_EQ(log.count("\n"), log.count("\r\n"));
  EXPECT_EQ(log.count("\r"), log.count("\r\n"));
}

TEST_F(ReviewFwTest, MessageWindowsAreCentredOnTheScreen) {
  QWidget main;  // an active window elsewhere does not move them
  main.setGeometry(0, 0, 300, 200);
  main.show();
  main.activateWindow();
  QApplication::processEvents();
  QList<QPoint> centres;
  kui::ScopedAnswerer answer([&](QDialog& d) {
    centres << d.frameGeometry().center();
    d.reject();
  });
  TFormMsg msg;
  msg.Execute("Saved.");
  TFormMsgConfirm confirm;
  confirm.Execute("Sure?");
  const QPoint screen = QGuiApplication::primaryScreen()->availableGeometry().center();
  ASSERT_EQ(centres.size(), 2);
  for (const QPoint& c : centres) EXPECT_LE((c - screen).manhattanLength(), 4);
}

}  // namespace
