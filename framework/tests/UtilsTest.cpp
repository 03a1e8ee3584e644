// The data module's small utilities, the pick-list helpers and the user
// hand-over file, without a database.
#include "KvFwTestSupport.h"

#include "KvCheckListBox.h"
#include "Kvutilsclass.h"
#include "PickList.h"

#include <QComboBox>
#include <QDateEdit>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QFrame>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QTableWidget>
#include <QTextEdit>
#include <QToolButton>

using kvtest::ReadAll;

namespace {

// ----- pick-list helpers ------------------------------------------------------------

TEST(KvUtilsTest, ValuesAreReadByTheFirstItemOfTheName) {
  const QStringList suppliers{"ACME=4", "ACME=7", "BOLT=9"};
  EXPECT_EQ(TKVUtilsClass::GetStringsName(suppliers, 1), "ACME");
  EXPECT_EQ(TKVUtilsClass::GetStringsValue(suppliers, 1), "4");
  EXPECT_EQ(TKVUtilsClass::GetStringsValue(suppliers, 2), "9");
  EXPECT_EQ(TKVUtilsClass::GetStringsValueIndex(suppliers, "7"), -1);
  EXPECT_EQ(TKVUtilsClass::GetStringsValueIndex(suppliers, "9"), 2);
  EXPECT_EQ(TKVUtilsClass::GetStringsValue(suppliers, -1), "");

  QListWidget list;
  kui::SetPickItems(&list, suppliers);
  EXPECT_EQ(TKVUtilsClass::GetListBoxName(&list), "");  // nothing selected
  EXPECT_EQ(TKVUtilsClass::GetListBoxValue(&list), "");
  list.setCurrentRow(1);
  EXPECT_EQ(TKVUtilsClass::GetListBoxName(&list), "ACME");
  EXPECT_EQ(TKVUtilsClass::GetListBoxValue(&list), "4");
}

TEST(KvUtilsTest, SplitEntriesAddsCleanedPiecesToTheList) {
  QStringList list{"KEPT"};
  TKVUtilsClass::SplitEntries(list, " red ,,'navy\",");
  EXPECT_EQ(list, (QStringList{"KEPT", "RED", "", "NAVY"}));
  TKVUtilsClass::SplitEntries(list, "last");
  EXPECT_EQ(list.last(), "LAST");
  EXPECT_EQ(TKVUtilsClass::CleanEntry("  o'neill "), "ONEILL");
  EXPECT_EQ(TKVUtilsClass::DateToSQL(QDate(2009, 3, 5)), "'2009-03-05'");
}

TEST(KvUtilsTest, CheckAllItemsSetsEveryMark) {
  kui::KvCheckListBox box;
  box.SetItems({"RED=1", "BLUE=2", "GREEN=3"});
  box.SetChecked(1, true);
  TKVUtilsClass::CheckAllItems(&box, true);
  EXPECT_EQ(box.CheckedCount(), 3);
  TKVUtilsClass::CheckAllItems(&box, false);
  EXPECT_EQ(box.CheckedCount(), 0);
  TKVUtilsClass::CheckAllItems(nullptr, true);  // no list, no harm
}

// ----- small utilities of the data module ------------------------------------------

class UtilsTest : public kvfwtest::ModuleTest<> {};

TEST_F(UtilsTest, ContrastColourMoneyAndVersionText) {
  auto m = Module();
  EXPECT_EQ(m->ContrastFontColour(0x00FFFF), 0u);          // yellow: black text
  EXPECT_EQ(m->ContrastFontColour(0xFF0000), 0xFFFFFFu);   // blue: white text
  EXPECT_EQ(m->ContrastFontColour(0), 0xFFFFFFu);
  EXPECT_EQ(m->ContrastFontColour(-1), 0xFFFFFFu);
  EXPECT_EQ(m->ContrastFontColour(0xFFFFFFFF), 0xFFFFFFu);  // -1 in 32 bits

  EXPECT_EQ(m->TextToCurrency("7.5"), Currency::FromRaw(75000));
  EXPECT_EQ(m->TextToCurrency("seven"), Currency());
  EXPECT_EQ(m->TextToCurrency(""), Currency());

  const QString none = programDir + "no-such-file";
  EXPECT_EQ(m->GetFileVersion(none, false), "");
  EXPECT_EQ(m->GetFileVersion(none, true), "v");
}

TEST_F(UtilsTest, RunProgramStartsInTheFolderAndWaits) {
  auto m = Module();
  const QString work = programDir + "work";
  QDir().mkpath(work);
  // With wait the file is there when RunProgram returns.
  ASSERT_TRUE(m->RunProgram("sh -c \"sleep 0.2; pwd > here.txt\"", work, true));
  EXPECT_EQ(ReadAll(work + "/here.txt").trimmed(), QFileInfo(work).canonicalFilePath().toUtf8());

  // "0": the caller's current folder.
  const QString out = programDir + "cwd.txt";
  ASSERT_TRUE(m->RunProgram("sh -c \"pwd > '" + out + "'\"", "0", true));
  EXPECT_EQ(ReadAll(out).trimmed(), QDir::current().canonicalPath().toUtf8());

  EXPECT_FALSE(m->RunProgram("no-such-program-kv 1", "0", false));
  EXPECT_FALSE(m->RunProgram("no-such-program-kv 1", work, true));
}

TEST_F(UtilsTest, SmoothFormFontsTouchesTheNamedKindsOnly) {
  auto m = Module();
  struct PriceLabel : QLabel {};  // derived classes count too
  QWidget form;
  QList<QWidget*> smooth{new QLabel(&form),    new PriceLabel(),      new QFrame(&form),
                         new QLineEdit(&form), new QToolButton(&form), new QTextEdit(&form),
                         new QDateEdit(&form)};
  smooth[1]->setParent(&form);
  const QList<QWidget*> plain{new QListWidget(&form), new QTableWidget(&form), new QComboBox(&form)};
  auto smoothed = [](QWidget* w) { return (w->font().styleStrategy() & QFont::PreferAntialias) != 0; };

  m->SmoothFormFonts(&form);
  for (QWidget* w : smooth) EXPECT_TRUE(smoothed(w)) << w->metaObject()->className();
  for (QWidget* w : plain) EXPECT_FALSE(smoothed(w)) << w->metaObject()->className();
  EXPECT_FALSE(smoothed(&form));
  m->SmoothFormFonts(nullptr);
}

TEST_F(UtilsTest, SmoothFormFontsLeavesPushButtonsButTakesToolButtons) {
  auto m = Module();
  QWidget form;
  struct OkButton : QPushButton {};  // a derived push button stays plain too
  auto* push = new QPushButton(&form);
  auto* derived = new OkButton();
  derived->setParent(&form);
  auto* tool = new QToolButton(&form);
  auto smoothed = [](QWidget* w) { return (w->font().styleStrategy() & QFont::PreferAntialias) != 0; };

  m->SmoothFormFonts(&form);
  EXPECT_FALSE(smoothed(push));
  EXPECT_FALSE(smoothed(derived));
  EXPECT_TRUE(smoothed(tool));
}

TEST(RootPLUPrefixTest, CodesGiveThreeCharactersFallingBackToZero) {
  EXPECT_EQ(TDMDB::MakeRootPLUPrefix("W", "JK"), "WJK");
  EXPECT_EQ(TDMDB::MakeRootPLUPrefix("WINTER", "JKL"), "WJK");
  EXPECT_EQ(TDMDB::MakeRootPLUPrefix("-", "A"), "0A0");
  EXPECT_EQ(TDMDB::MakeRootPLUPrefix("", ""), "000");
  EXPECT_EQ(TDMDB::MakeRootPLUPrefix("w", "j-"), "wj0");
  EXPECT_EQ(TDMDB::MakeRootPLUPrefix(QString::fromUtf8("\u00c9"), " %"), "000");
}

// ----- the hand-over file -------------------------------------------------------------

TEST_F(UtilsTest, TheHandOverFileHasTwoCrLfLines) {
  WriteSettings("[Database]\nDBHost=server\n");
  auto m = Module();
  ASSERT_TRUE(m->Init());
  ASSERT_TRUE(m->SaveUser("ADMIN", "4"));
  EXPECT_EQ(m->UserFileName(), kvtest::MultiUserFolder() + "user.txt");
  EXPECT_EQ(ReadAll(m->UserFileName()), "ADMIN\r\n4\r\n");
  ASSERT_TRUE(m->SaveUser("BOB", "12"));  // replaced whole
  EXPECT_EQ(ReadAll(m->UserFileName()), "BOB\r\n12\r\n");
}

TEST_F(UtilsTest, AFileOfOneLineGivesTheNameButNoUser) {
  WriteSettings("[Database]\nDBHost=server\n");
  auto m = Module();
  ASSERT_TRUE(m->Init());
  kvtest::WriteFile(m->UserFileName(), "ADMIN\r\n");
  EXPECT_FALSE(m->LoadUser(m->DBQueryRemote1, true));
  EXPECT_EQ(m->UserName, "ADMIN");
  EXPECT_TRUE(m->StaffID.isEmpty());
  const QByteArray log = ReadAll(m->LogFileName);
  EXPECT_TRUE(log.contains("TDMDB::LoadUser\r\n")) << log.toStdString();
  EXPECT_FALSE(log.contains("Exception SQL:"));  // no statement without an id
  EXPECT_EQ(boxes, QStringList{"Unknown or invalid user credentials."});
}

TEST_F(UtilsTest, AnEmptyHandOverFileHasNoLineAndKeepsTheNameHeldBefore) {
  WriteSettings("[Database]\nDBHost=server\n");
  auto m = Module();
  ASSERT_TRUE(m->Init());
  m->UserName = "EARLIER";
  kvtest::WriteFile(m->UserFileName(), "");
  EXPECT_FALSE(m->LoadUser(m->DBQueryRemote1, false));
  EXPECT_EQ(m->UserName, "EARLIER");  // no first line: nothing read
  EXPECT_TRUE(m->StaffID.isEmpty());
  const QByteArray log = ReadAll(m->LogFileName);
  EXPECT_TRUE(log.contains("TDMDB::LoadUser\r\n")) << log.toStdString();
  EXPECT_TRUE(log.contains("List index out of bounds (0)")) << log.toStdString();

  // A file of one empty line, by contrast, does give an (empty) user name.
  kvtest::WriteFile(m->UserFileName(), "\r\n");
  EXPECT_FALSE(m->LoadUser(m->DBQueryRemote1, false));
  EXPECT_EQ(m->UserName, "");
}

// The launcher rewrites the hand-over file at every start; a tool starting at
// that moment has it open: it reads the old file whole, never a cut one.
TEST_F(UtilsTest, AToolReadingTheHandOverFileWhileItIsRewrittenReadsItWhole) {
  WriteSettings("[Database]\nDBHost=server\n");
  auto m = Module();
  ASSERT_TRUE(m->Init());
  ASSERT_TRUE(m->SaveUser("STORE MANAGER", "17"));
  QFile reading(m->UserFileName());
  ASSERT_TRUE(reading.open(QIODevice::ReadOnly | QIODevice::Unbuffered));
  ASSERT_TRUE(m->SaveUser("1", "2"));
  EXPECT_EQ(reading.readAll(), "STORE MANAGER\r\n17\r\n");
  EXPECT_EQ(ReadAll(m->UserFileName()), "1\r\n2\r\n");
  EXPECT_EQ(QDir(kvtest::MultiUserFolder()).entryList({"user.txt*"}, QDir::Files), QStringList{"user.txt"});
}

TEST_F(UtilsTest, NoHandOverFileAndAnUnwritableOne) {
  WriteSettings("[Database]\nDBHost=server\n");
  auto m = Module();
  ASSERT_TRUE(m->Init());
  EXPECT_FALSE(m->LoadUser(m->DBQueryRemote1, false));
  EXPECT_TRUE(boxes.isEmpty());

  QDir().mkpath(m->UserFileName());  // a folder where the file should be
  EXPECT_FALSE(m->SaveUser("ADMIN", "4"));
  const QByteArray log = ReadAll(m->LogFileName);
  EXPECT_TRUE(log.contains("TDMDB::SaveUser\r\n")) << log.toStdString();
  EXPECT_TRUE(log.contains("Cannot create file"));  // shown, and so logged with its time
}

}  // namespace
