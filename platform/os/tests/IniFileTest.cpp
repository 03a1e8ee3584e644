#include "IniFile.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <unistd.h>

using kos::IniFile;

namespace {

class IniFileTest : public ::testing::Test {
 protected:
  QTemporaryDir dir;
  QString Write(const QByteArray& bytes, const QString& name = "SetupVELT.ini") {
    const QString path = dir.path() + "/" + name;
    QFile f(path);
    EXPECT_TRUE(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
    f.write(bytes);
    return path;
  }
};

TEST_F(IniFileTest, SectionsAndKeysMatchWithoutCase) {
  const IniFile ini(Write("[database]\r\ndbhost = server1 \r\n[LOCAL]\r\nLOBranchID=4\r\n"));
  ASSERT_TRUE(ini.Loaded());
  EXPECT_EQ(ini.ReadString("Database", "DBHost", "x"), "server1");
  EXPECT_EQ(ini.ReadInteger("Local", "lobranchid", 0), 4);
  EXPECT_TRUE(ini.SectionExists("DATABASE"));
  EXPECT_TRUE(ini.ValueExists("DataBase", "DbHost"));
}

TEST_F(IniFileTest, MissingKeyOrSectionKeepsTheDefault) {
  const IniFile ini(Write("[Database]\nDBHost=a\n"));
  EXPECT_EQ(ini.ReadString("Database", "DBName", "DATA"), "DATA");
  EXPECT_EQ(ini.ReadString("Local", "DBHost", "def"), "def");
  EXPECT_EQ(ini.ReadInteger("Local", "LOBranchID", 9), 9);
  EXPECT_TRUE(ini.ReadBool("ModSF", "SFPriceCalc", true));
  EXPECT_FALSE(ini.ReadBool("ModSF", "SFPriceCalc", false));
}

TEST_F(IniFileTest, BoolIsNonZeroIntegerAndOtherTextKeepsTheDefault) {
  const IniFile ini(Write("[S]\none=1\nzero=0\nminus=-3\nhex=$10\nword=True\nempty=\nfrac=1.5\n"));
  EXPECT_TRUE(ini.ReadBool("S", "one", false));
  EXPECT_FALSE(ini.ReadBool("S", "zero", true));
  EXPECT_TRUE(ini.ReadBool("S", "minus", false));
  EXPECT_TRUE(ini.ReadBool("S", "hex", false));
  EXPECT_FALSE(ini.ReadBool("S", "word", false));
  EXPECT_TRUE(ini.ReadBool("S", "word", true));
  EXPECT_TRUE(ini.ReadBool("S", "empty", true));
  EXPECT_FALSE(ini.ReadBool("S", "frac", false));
}

TEST_F(IniFileTest, IntegerReadsDecimalAndHexAndRejectsBadText) {
  const IniFile ini(Write("[S]\na= 12 \nb=-7\nc=0x1F\nd=$ff\ne=12abc\nf=99999999999\ng=+5\nh=--1\ni=0x\n"));
  EXPECT_EQ(ini.ReadInteger("S", "a", 0), 12);
  EXPECT_EQ(ini.ReadInteger("S", "b", 0), -7);
  EXPECT_EQ(ini.ReadInteger("S", "c", 0), 31);
  EXPECT_EQ(ini.ReadInteger("S", "d", 0), 255);
  EXPECT_EQ(ini.ReadInteger("S", "e", 42), 42);
  EXPECT_EQ(ini.ReadInteger("S", "f", 42), 42);
  EXPECT_EQ(ini.ReadInteger("S", "g", 0), 5);
  EXPECT_EQ(ini.ReadInteger("S", "h", 42), 42);
  EXPECT_EQ(ini.ReadInteger("S", "i", 42), 42);
}

TEST_F(IniFileTest, StringsKeepEmptyValuesDropQuotesAndTheFirstKeyWins) {
  const IniFile ini(Write("; comment\n[S]\nempty=\nq=\"a b\"\nsq='x'\nk=first\nK=second\n"
                          "# other comment\nnoequals\nurl=a=b\n[s]\nk=third\n"));
  EXPECT_EQ(ini.ReadString("S", "empty", "def"), "");
  EXPECT_EQ(ini.ReadString("S", "q", ""), "a b");
  EXPECT_EQ(ini.ReadString("S", "sq", ""), "x");
  EXPECT_EQ(ini.ReadString("S", "k", ""), "first");
  EXPECT_EQ(ini.ReadString("S", "url", ""), "a=b");
  EXPECT_FALSE(ini.ValueExists("S", "noequals"));
}

TEST_F(IniFileTest, ReadsUtf16AndEightBitFiles) {
  QByteArray utf16("\xFF\xFE", 2);
  const QString text = "[Database]\r\nDBHost=h\u00f6st\r\n";
  utf16.append(reinterpret_cast<const char*>(text.utf16()), text.size() * 2);
  const IniFile wide(Write(utf16, "wide.ini"));
  ASSERT_TRUE(wide.Loaded());
  EXPECT_EQ(wide.ReadString("Database", "DBHost", ""), "h\u00f6st");

  const IniFile latin(Write("[Database]\nDBHost=h\xF6st\n", "latin.ini"));
  ASSERT_TRUE(latin.Loaded());
  EXPECT_EQ(latin.ReadString("Database", "DBHost", ""), "h\u00f6st");
}

TEST_F(IniFileTest, FilesThatAreNoSettingsAreNotLoadedAndGiveDefaults) {
  QByteArray garbage;
  for (int i = 0; i < 512; ++i) garbage.append(static_cast<char>((i * 37 + 11) % 256));
  garbage.append("\n[Database]\nDBHost=x\n");
  QDir(dir.path()).mkdir("folder.ini");
  const QStringList paths = {Write(garbage, "garbage.ini"), dir.path() + "/folder.ini",
                             dir.path() + "/missing.ini"};
  for (const QString& path : paths) {
    const IniFile ini(path);
    EXPECT_FALSE(ini.Loaded()) << path.toStdString();
    EXPECT_EQ(ini.ReadString("Database", "DBHost", "def"), "def") << path.toStdString();
    EXPECT_EQ(ini.ReadInteger("Local", "LOBranchID", 3), 3);
  }
}

// As Windows reads it: keys before any section belong to none and are never
// found, but the file is settings all the same.
TEST_F(IniFileTest, AFileWithoutKeysOrWithoutSectionsIsReadAndGivesEveryDefault) {
  for (const QString& path : {Write("", "empty.ini"), Write("\r\n  \r\n; only a comment\r\n", "blank.ini"),
                              Write("DBHost=x\r\nLOBranchID=7\r\n", "nosection.ini")}) {
    const IniFile ini(path);
    EXPECT_TRUE(ini.Loaded()) << path.toStdString();
    EXPECT_FALSE(ini.SectionExists("Database"));
    EXPECT_EQ(ini.ReadString("Database", "DBHost", "def"), "def");
    EXPECT_EQ(ini.ReadInteger("Local", "LOBranchID", 3), 3);
  }
}

TEST_F(IniFileTest, KeysBeforeTheFirstSectionBelongToNone) {
  const IniFile ini(Write("DBHost=early\r\n[Database]\r\nDBName=LIVE\r\n"));
  ASSERT_TRUE(ini.Loaded());
  EXPECT_EQ(ini.ReadString("Database", "DBHost", "def"), "def");
  EXPECT_EQ(ini.ReadString("Database", "DBName", "def"), "LIVE");
}

TEST_F(IniFileTest, UnreadableFileIsNotLoaded) {
  const QString path = Write("[Database]\nDBHost=x\n", "locked.ini");
  QFile::setPermissions(path, QFileDevice::Permissions());
  QFile probe(path);
  if (probe.open(QIODevice::ReadOnly)) GTEST_SKIP() << "running with rights that read any file";
  const IniFile ini(path);
  EXPECT_FALSE(ini.Loaded());
  EXPECT_EQ(ini.ReadString("Database", "DBHost", "def"), "def");
}

}  // namespace
