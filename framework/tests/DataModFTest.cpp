#include "KvFwTestSupport.h"

#include "ConfirmMessageForm.h"
#include "MessageForm.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QMessageBox>
#include <QTimeZone>
#include <QPushButton>

#include <stdexcept>

using kvtest::ReadAll;

namespace {

const QString kNoSettings = "Error: There are no settings available.";

class DataModFTest : public kvfwtest::ModuleTest<> {
 protected:
  QString LogFolder(const QString& settings, const QString& program) {
    return settings + "bologs/" + program + "/";
  }
};

TEST_F(DataModFTest, ProgramNameIsTheFileNameUpToItsFirstPoint) {
  auto m = Module("Style.Keeper.bin");
  m->SetProgramName();
  EXPECT_EQ(m->ProgramName, "Style");
  m->SetProgramFile(programDir + "menuhost");
  m->SetProgramName();
  EXPECT_EQ(m->ProgramName, "menuhost");
  EXPECT_EQ(m->ExeFolder, programDir);
}

TEST_F(DataModFTest, ConstructionReadsLogsAndCreatesNothing) {
  WriteSettings("[Database]\nDBHost=server\n");
  auto m = Module();
  EXPECT_FALSE(m->LoggingOn);
  EXPECT_EQ(m->Setup->DBHost, "localhost");
  EXPECT_TRUE(m->LogFileName.isEmpty());
  EXPECT_TRUE(m->ProgramName.isEmpty());
  EXPECT_EQ(DMDB, m.get());
}

TEST_F(DataModFTest, MultiUserStartCreatesFoldersAndLogsTheStartedLines) {
  WriteSettings("[Database]\nDBHost=server\n");
  auto m = Module("StyleKeeper");
  ASSERT_TRUE(m->Init());
  EXPECT_TRUE(boxes.isEmpty());
  EXPECT_FALSE(m->Setup->LocalMode);
  EXPECT_EQ(m->Setup->DBHost, "server");
  const QString settings = kvtest::MultiUserFolder();
  for (const char* folder : {"bologs/StyleKeeper", "datapoll", "labels", "bookgoodsin"})
    EXPECT_TRUE(QFileInfo(settings + folder).isDir()) << folder;
  EXPECT_EQ(m->LogFileName, LogFolder(settings, "StyleKeeper") + "2024-03-05 StyleKeeper.log");
  EXPECT_EQ(ReadAll(m->LogFileName), "[=]program started[=]\r\n2024-03-05 09:15:30\r\nStyleKeeper\r\n");
}

TEST_F(DataModFTest, StopLinesFollowAndAMidnightRunKeepsTheStartDaysFile) {
  WriteSettings("[Local]\nLOBranchID=2\n");
  QString logFile;
  {
    auto m = Module("suppliers.bin");
    ASSERT_TRUE(m->Init());
    logFile = m->LogFileName;
    clock = kvtest::At("2024-03-06T00:01:02");
    m->Log("after midnight", true);
  }
  EXPECT_TRUE(logFile.endsWith("/bologs/suppliers/2024-03-05 suppliers.log"));
  EXPECT_EQ(ReadAll(logFile),
            "[=]program started[=]\r\n2024-03-05 09:15:30\r\nsuppliers.bin\r\n"
            "2024-03-06 00:01:02\r\nafter midnight\r\n"
            "[=]program stopped[=]\r\n2024-03-06 00:01:02\r\nsuppliers.bin\r\n\r\n");
}

TEST_F(DataModFTest, TwoProgramsWriteTwoFilesInTwoFolders) {
  WriteSettings("[Local]\nLOBranchID=2\n");
  auto a = Module("colours");
  auto b = Module("brandnames.x.y");
  ASSERT_TRUE(a->Init());
  ASSERT_TRUE(b->Init());
  EXPECT_NE(a->LogFileName, b->LogFileName);
  EXPECT_TRUE(ReadAll(a->LogFileName).endsWith("colours\r\n"));
  EXPECT_TRUE(ReadAll(b->LogFileName).endsWith("brandnames.x.y\r\n"));
  EXPECT_TRUE(b->LogFileName.endsWith("/bologs/brandnames/2024-03-05 brandnames.log"));
}

// The log file is opened once for the run; every record is in the file (as
// another program reads it) as soon as the call that wrote it returns.
TEST_F(DataModFTest, TheLogStaysOpenAndEachRecordIsInTheFileAtOnce) {
  WriteSettings("[Local]\nLOBranchID=2\n");
  auto m = Module("suppliers");
  ASSERT_TRUE(m->Init());
  EXPECT_EQ(kvtest::OpenHandlesOf(m->LogFileName), 1);
  m->LogException(std::runtime_error("disk on fire"), "TDMDB::GetTable");
  EXPECT_TRUE(ReadAll(m->LogFileName).endsWith("TDMDB::GetTable\r\n2024-03-05 09:15:30\r\ndisk on fire\r\n\r\n"));
  EXPECT_EQ(kvtest::OpenHandlesOf(m->LogFileName), 1);

  // Someone moved the day's file away: the next record makes it again.
  ASSERT_TRUE(QFile::rename(m->LogFileName, m->LogFileName + ".old"));
  m->Log("after the move", false);
  EXPECT_EQ(ReadAll(m->LogFileName), "after the move\r\n");
  m.reset();
  EXPECT_EQ(kvtest::OpenHandlesOf(kvtest::MultiUserFolder() + "bologs/suppliers/2024-03-05 suppliers.log"), 0);
}

// A record reaches the file whole, in one write: the lines of a record are
// held until its outermost LogRecord ends.
TEST_F(DataModFTest, TheLinesOfARecordReachTheFileTogether) {
  WriteSettings("[Local]\nLOBranchID=2\n");
  auto m = Module("suppliers");
  ASSERT_TRUE(m->Init());
  const QByteArray before = ReadAll(m->LogFileName);
  {
    const TDMDB::LogRecord record(*m);
    m->Log("[x]after post: PARAMETERS[=]", false);
    m->LogException(QString("lost connection"), "TDMBRules::SaveParam");  // a record inside a record
    m->Log("[=]------end------[=]", true);
    EXPECT_EQ(ReadAll(m->LogFileName), before);
  }
  EXPECT_EQ(ReadAll(m->LogFileName),
            before + "[x]after post: PARAMETERS[=]\r\nTDMBRules::SaveParam\r\n2024-03-05 09:15:30\r\n"
                     "lost connection\r\n\r\n2024-03-05 09:15:30\r\n[=]------end------[=]\r\n");
}

// Log lines are UTF-8 with CR LF line ends, also for a text of several
// lines (LF or CR LF inside it) and one beyond ASCII; a lone CR stays.
TEST_F(DataModFTest, LogLinesAreUtf8WithCrLfLineEnds) {
  WriteSettings("[Local]\nLOBranchID=2\n");
  auto m = Module("suppliers");
  ASSERT_TRUE(m->Init());
  const QByteArray before = ReadAll(m->LogFileName);
  m->Log(QString::fromUtf8("CAF\u00c9 NOIR"), false);
  m->Log("first\nsecond\r\nthird", false);
  m->Log(QString::fromUtf8("r\u00e9sum\u00e9\nline"), false);
  m->Log("a\rb", false);
  EXPECT_EQ(ReadAll(m->LogFileName), before + "CAF\xc3\x89 NOIR\r\nfirst\r\nsecond\r\nthird\r\n"
                                              "r\xc3\xa9sum\xc3\xa9\r\nline\r\na\rb\r\n");
}

// The time line is made once per second shown: it still follows every
// change of the clock, also one to the same instant at another offset.
TEST_F(DataModFTest, TimedEntriesShowTheClockOfEachEntry) {
  WriteSettings("[Local]\nLOBranchID=2\n");
  auto m = Module("suppliers");
  ASSERT_TRUE(m->Init());
  const QByteArray before = ReadAll(m->LogFileName);
  const QDateTime later = clock.addMSecs(999);
  m->Log("a", true);
  clock = later;
  m->Log("b", true);
  clock = later.addMSecs(1);
  m->Log("c", true);
  clock = kvtest::At("2024-03-05T09:15:30");
  m->Log("d", true);
  clock = QDateTime(QDate(2024, 3, 5), QTime(9, 15, 30), QTimeZone(3600));
  const QDateTime sameInstant = clock.toOffsetFromUtc(7200);
  m->Log("e", true);
  clock = sameInstant;
  m->Log("f", true);
  EXPECT_EQ(ReadAll(m->LogFileName),
            before + "2024-03-05 09:15:30\r\na\r\n2024-03-05 09:15:30\r\nb\r\n2024-03-05 09:15:31\r\nc\r\n"
                     "2024-03-05 09:15:30\r\nd\r\n2024-03-05 09:15:30\r\ne\r\n2024-03-05 10:15:30\r\nf\r\n");
}

TEST_F(DataModFTest, AWorkingFolderAnotherProgramMadeIsNoFailure) {
  WriteSettings("[Local]\nLOBranchID=2\n");
  QDir().mkpath(kvtest::MultiUserFolder() + "bologs/StyleKeeper");
  QDir().mkpath(kvtest::MultiUserFolder() + "labels");
  auto m = Module();
  ASSERT_TRUE(m->Init());
  EXPECT_TRUE(boxes.isEmpty()) << boxes.join("|").toStdString();
  EXPECT_TRUE(m->EnsureDirectory(kvtest::MultiUserFolder() + "labels/"));
  EXPECT_TRUE(QFileInfo(kvtest::MultiUserFolder() + "bookgoodsin").isDir());
}

TEST_F(DataModFTest, WithoutSettingsFileInitFailsAndNothingIsWritten) {
  auto m = Module();
  EXPECT_FALSE(m->Init());
  EXPECT_EQ(boxes, QStringList{kNoSettings});
  EXPECT_FALSE(m->LoggingOn);
  m->Log("dropped", true);
  m->ShowMessage("also dropped");
  m.reset();
  EXPECT_FALSE(QFileInfo(kvtest::MultiUserFolder() + "bologs").exists());
}

TEST_F(DataModFTest, BeforeInitLogWritesNothingAndRaisesNothing) {
  auto m = Module();
  m->LogFileName = kvtest::TempRoot() + "/early.log";
  EXPECT_NO_THROW(m->Log("too early", true));
  EXPECT_NO_THROW(m->LogException(std::runtime_error("boom"), "TDMDB::RunQuery"));
  EXPECT_FALSE(QFileInfo::exists(m->LogFileName));
}

TEST_F(DataModFTest, LauncherBesideTheProgramSelectsSingleUserAndIgnoresTheSettingsFile) {
  AddLauncher();
  WriteSettings("[Local]\nLOBranchID=7\n[Database]\nDBHost=server\n");
  QDir().mkpath(kvtest::SingleUserFolder());
  auto m = Module("departments");
  ASSERT_TRUE(m->Init());
  EXPECT_TRUE(m->Setup->LocalMode);
  EXPECT_EQ(m->Setup->LOBranchID, 1);
  EXPECT_EQ(m->Setup->DBHost, "localhost");
  EXPECT_EQ(m->Setup->SettingsFolder, kvtest::SingleUserFolder());
  EXPECT_EQ(m->Setup->DBSharePath, kvtest::SingleUserFolder());
  EXPECT_TRUE(m->LogFileName.startsWith(kvtest::SingleUserFolder() + "bologs/departments/"));
  EXPECT_TRUE(QFileInfo(kvtest::SingleUserFolder() + "bookgoodsin").isDir());
}

TEST_F(DataModFTest, SingleUserWithoutItsFolderHasNoSettingsAndNoFallBack) {
  AddLauncher();
  WriteSettings("[Local]\nLOBranchID=7\n");
  auto m = Module();
  EXPECT_FALSE(m->Init());
  EXPECT_EQ(boxes, QStringList{kNoSettings});
  EXPECT_EQ(m->Setup->LOBranchID, 0);
  EXPECT_FALSE(QFileInfo(kvtest::SingleUserFolder()).exists());
  EXPECT_FALSE(QFileInfo(kvtest::MultiUserFolder() + "bologs").exists());
}

TEST_F(DataModFTest, UnusableSettingsFileTakesTheNoSettingsPath) {
  WriteSettings(QByteArray("\x7f" "ELF\x02\x01\x01\x00\x00\x00", 10));
  auto m = Module();
  EXPECT_FALSE(m->Init());
  EXPECT_EQ(boxes, QStringList{kNoSettings});
}

TEST_F(DataModFTest, LogFolderThatCannotBeCreatedStopsTheChainAndLoggingFailsSilently) {
  WriteSettings("[Local]\nLOBranchID=2\n");
  kvtest::WriteFile(kvtest::MultiUserFolder() + "bologs", "a file where the folder goes");
  auto m = Module();
  ASSERT_TRUE(m->Init());
  EXPECT_EQ(boxes, QStringList{"Could not create directory: \n" + kvtest::MultiUserFolder() + "bologs/"});
  EXPECT_FALSE(QFileInfo::exists(kvtest::MultiUserFolder() + "datapoll"));
  EXPECT_TRUE(m->LoggingOn);
  EXPECT_NO_THROW(m->Log("lost", true));
  EXPECT_FALSE(QFileInfo::exists(m->LogFileName));
}

TEST_F(DataModFTest, LogExceptionWritesNameTimeMessageAndEmptyLine) {
  WriteSettings("[Local]\nLOBranchID=2\n");
  auto m = Module();
  ASSERT_TRUE(m->Init());
  m->LogException(std::runtime_error("disk on fire"), "TDMDB::GetTable");
  EXPECT_EQ(m->LastError, "disk on fire");
  EXPECT_TRUE(ReadAll(m->LogFileName)
                  .endsWith("StyleKeeper\r\nTDMDB::GetTable\r\n2024-03-05 09:15:30\r\ndisk on fire\r\n\r\n"));
}

TEST_F(DataModFTest, LogLinesAreUtf8) {
  WriteSettings("[Local]\nLOBranchID=2\n");
  auto m = Module();
  ASSERT_TRUE(m->Init());
  m->Log(QString::fromUtf8("Caf\u00e9 \u20ac5"), false);
  EXPECT_TRUE(ReadAll(m->LogFileName).endsWith("Caf\xc3\xa9 \xe2\x82\xac" "5\r\n"));
}

TEST_F(DataModFTest, TextsOfSeveralLinesKeepTheLogsCrLfLineEnds) {
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

TEST_F(DataModFTest, ShownTextsAreLoggedAlsoWhenTheirWindowCannotBeShown) {
  WriteSettings("[Local]\nLOBranchID=2\n");
  auto m = Module();
  ASSERT_TRUE(m->Init());
  QStringList shown;
  kui::ModalSeam::SetAnswerer([&](QDialog& d) {
    shown << d.objectName();
    if (auto* confirm = qobject_cast<TFormMsgConfirm*>(&d)) confirm->BitBtnYes->click();
    else d.accept();
  });
  m->ShowMessage("Saved.");
  EXPECT_TRUE(m->ShowConfirm("Delete it?"));
  EXPECT_EQ(shown, (QStringList{"FormMsg", "FormMsgConfirm"}));

  kui::ModalSeam::SetAnswerer([](QDialog&) { throw std::runtime_error("no display"); });
  EXPECT_NO_THROW(m->ShowMessage("Not shown."));
  // Nobody was asked: no confirmation.
  EXPECT_FALSE(m->ShowConfirm("Really?"));
  EXPECT_TRUE(ReadAll(m->LogFileName)
                  .endsWith("2024-03-05 09:15:30\r\nSaved.\r\n2024-03-05 09:15:30\r\nDelete it?\r\n"
                            "2024-03-05 09:15:30\r\nNot shown.\r\n2024-03-05 09:15:30\r\nReally?\r\n"));
}

TEST_F(DataModFTest, MsgBoxIsAnOwnerlessErrorBoxWithOneOkButton) {
  auto m = Module();
  QString title;
  QMessageBox::Icon icon = QMessageBox::NoIcon;
  int buttons = 0;
  bool owned = true;
  kui::ModalSeam::SetAnswerer([&](QDialog& d) {
    auto& box = dynamic_cast<QMessageBox&>(d);
    title = box.windowTitle();
    icon = box.icon();
    buttons = static_cast<int>(box.buttons().size());
    owned = box.parentWidget() != nullptr;
    box.button(QMessageBox::Ok)->click();
  });
  EXPECT_EQ(m->MsgBox("Could not connect", 16), 1);
  EXPECT_EQ(title, "Kelvant Multi Client");
  EXPECT_EQ(icon, QMessageBox::Critical);
  EXPECT_EQ(buttons, 1);
  EXPECT_FALSE(owned);

  kui::ModalSeam::SetAnswerer([](QDialog& d) { dynamic_cast<QMessageBox&>(d).button(QMessageBox::No)->click(); });
  EXPECT_EQ(m->MsgBox("Sure?", 4 | 32), 7);
  kui::ModalSeam::SetAnswerer([](QDialog&) {});  // left open: answered like Escape
  EXPECT_EQ(m->MsgBox("Sure?", 1), 2);
}

}  // namespace
