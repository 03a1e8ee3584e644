// The text helpers that every value passes on its way into a statement.
#include <gtest/gtest.h>

#include "KvDb.h"

using namespace kdb;

TEST(SqlQuote, DoublesQuotesAndKeepsEverythingElse) {
  EXPECT_EQ(sql::Quote(""), "''");
  EXPECT_EQ(sql::Quote("O'Neil"), "'O''Neil'");
  EXPECT_EQ(sql::Quote("''"), "''''''");
  EXPECT_EQ(sql::Quote("'; DROP TABLE PRODUCTS; --"), "'''; DROP TABLE PRODUCTS; --'");
  EXPECT_EQ(sql::Quote("C:\\temp\\"), "'C:\\temp\\'");  // backslashes are literal on both engines
  EXPECT_EQ(sql::Quote(QString::fromUtf8("Café ☃ 𝄞")), QString::fromUtf8("'Café ☃ 𝄞'"));
}

TEST(SqlQuote, DropsNulCharacters) {
  const QString withNul = QString("ab") + QChar(0) + "'c";
  EXPECT_EQ(sql::Quote(withNul), "'ab''c'");
}

TEST(SqlInt, AcceptsOnlyAsciiIntegers) {
  for (const char* ok : {"0", "12", "-7", "+5", "0012", "99999999999999999999"})
    EXPECT_TRUE(sql::IsInteger(ok)) << ok;
  for (const QString& bad : {QString(""), QString("-"), QString("+"), QString(" 1"), QString("1 "),
                             QString("1.0"), QString("1e3"), QString("0x10"), QString("1;DROP"),
                             QString("--1"), QString("1'"), QString::fromUtf8("١٢"), QString("１２"),
                             QString("1") + QChar(0)})
    EXPECT_FALSE(sql::IsInteger(bad)) << bad.toStdString();
}

TEST(SqlInt, GivesTextSafeAfterAnyOperator) {
  EXPECT_EQ(sql::Int("42"), "42");
  EXPECT_EQ(sql::Int("+42"), "42");
  EXPECT_EQ(sql::Int("-42"), "(-42)");  // "QTY -" + Int(x) must not become a comment
  EXPECT_EQ(sql::Int(qint64(-3)), "(-3)");
  EXPECT_EQ(sql::Int(qint64(7)), "7");
  EXPECT_THROW(sql::Int("1 OR 1=1"), DbError);
  EXPECT_THROW(sql::Int(""), DbError);
}

TEST(SqlDate, QuotedIsoDate) {
  EXPECT_EQ(sql::Date(QDate(2024, 2, 29)), "'2024-02-29'");
  EXPECT_EQ(sql::Date(QDate(999, 1, 5)), "'0999-01-05'");
  EXPECT_THROW(sql::Date(QDate()), DbError);
}

TEST(SqlLike, EscapesWithABackslashAndSaysSo) {
  EXPECT_EQ(sql::LikeEscape("A\\B%_", sql::Wildcards::Keep), "A\\\\B%_");
  EXPECT_EQ(sql::LikeEscape("A\\B%_", sql::Wildcards::Escape), "A\\\\B\\%\\_");
  EXPECT_EQ(sql::Like("O'N%"), "'O''N%' escape '\\'");
}
