// Reading and writing field values, result navigation and statement text, on
// both engines.
#include "DbTestTables.h"

using namespace kdb;
using dbtest::Count;

class FieldTest : public kvtest::DbTest {
 protected:
  void SetUp() override {
    DbTest::SetUp();
    if (!HasFatalFailure()) dbtest::CreateItems(db());
  }

  // Inserts one ITEMS row through a table, setting every field by text.
  qint64 InsertByText(const QString& name, const QString& qty, const QString& price,
                      const QString& rate, const QString& flag, const QString& stamp) {
    Table t(&db());
    t.TableName = "items";
    t.Open();
    t.Insert();
    t.FieldByName("NAME").SetAsString(name);
    t.FieldByName("qty").SetAsString(qty);
    t.FieldByName("Price").SetAsString(price);
    t.FieldByName("RATE").SetAsString(rate);
    t.FieldByName("ecom_flag").SetAsString(flag);
    t.FieldByName("DATE_CREATED").SetAsString(stamp);
    t.Post();
    return t.FieldByName("ID").AsInteger();
  }
};

TEST_P(FieldTest, TextIsConvertedByColumnType) {
  const qint64 id = InsertByText("Coat", "42", "12.3456", "17.5", "True", "2024-03-01 10:20:30");
  Query q(&db());
  q.SQL = "SELECT * FROM ITEMS WHERE ID = " + sql::Int(id) + " AND QTY = 42 AND ECOM_FLAG = true" +
          " AND DATE_CREATED >= " + sql::Date(QDate(2024, 3, 1)) + " AND PRICE > 12";
  q.ExecSQL();
  ASSERT_EQ(q.RecordCount(), 1);
  EXPECT_EQ(q.FieldByName("QTY").DataType(), FieldType::Integer);
  EXPECT_EQ(q.FieldByName("QTY").AsInteger(), 42);
  EXPECT_EQ(q.FieldByName("QTY").AsString(), "42");
  EXPECT_EQ(q.FieldByName("PRICE").DataType(), FieldType::Money);
  EXPECT_EQ(q.FieldByName("PRICE").AsCurrency(), Currency::FromRaw(123456));
  EXPECT_EQ(q.FieldByName("PRICE").AsString(), "12.3456");
  EXPECT_DOUBLE_EQ(q.FieldByName("RATE").AsFloat(), 17.5);
  EXPECT_EQ(q.FieldByName("RATE").AsString(), "17.5");
  EXPECT_TRUE(q.FieldByName("ECOM_FLAG").AsBoolean());
  EXPECT_EQ(q.FieldByName("ECOM_FLAG").AsString(), "True");
  EXPECT_EQ(q.FieldByName("DATE_CREATED").AsDateTime(), QDateTime(QDate(2024, 3, 1), QTime(10, 20, 30)));
  EXPECT_EQ(q.FieldByName("DATE_CREATED").AsString(), "2024-03-01 10:20:30");
  EXPECT_EQ(q.FieldByName("NAME").Value(), QVariant("Coat"));
}

// AsStringInto and AsUtf8 give what AsString gives, row after row into one
// buffer or scratch, also for text that is not ASCII, for NULL, for columns
// of other types (money in its short form, not as PostgreSQL sends it) and
// for an expression without a declared type; a copy taken of the buffer
// keeps its text.
TEST_P(FieldTest, AsStringIntoAndAsUtf8GiveAsString) {
  InsertByText("Coat", "42", "12.3456", "17.5", "True", "2024-03-01 10:20:30");
  InsertByText(QString::fromUtf8("Kleid \xc3\xa4\xe2\x82\xac"), "-3", "", "", "", "");
  InsertByText("", "7", "0.5", "", "", "");
  Query q(&db());
  q.SQL = "SELECT NAME, QTY, PRICE, RATE, ECOM_FLAG, DATE_CREATED, NAME || '!' AS SHOUT FROM ITEMS ORDER BY ID";
  q.ExecSQL();
  QString text;
  QByteArray scratch;
  QStringList kept;
  int rows = 0;
  for (q.First(); !q.Eof(); q.Next(), ++rows) {
    for (int c = 0; c < q.FieldCount(); ++c) {
      q.Fields(c).AsStringInto(text);
      EXPECT_EQ(text, q.Fields(c).AsString()) << rows << " " << c;
      EXPECT_EQ(text.isEmpty(), q.Fields(c).IsNull()) << rows << " " << c;
      // AppendUtf8 adds the same text, in UTF-8, after what is there.
      QByteArray bytes = "x=";
      q.Fields(c).AppendUtf8(bytes);
      EXPECT_EQ(bytes, "x=" + q.Fields(c).AsString().toUtf8()) << rows << " " << c;
      EXPECT_EQ(q.Fields(c).AsUtf8(scratch).toString(), text) << rows << " " << c;
    }
    q.Fields(0).AsStringInto(text);
    kept << text;
  }
  EXPECT_EQ(rows, 3);
  EXPECT_EQ(kept, (QStringList{"Coat", QString::fromUtf8("Kleid \xc3\xa4\xe2\x82\xac"), ""}));
}

// An empty text is no NULL, though AsUtf8 shows both as ""; a table's field
// being edited shows the value set, not the row's.
TEST_P(FieldTest, AsUtf8OfAnEmptyTextAndOfAnEditedField) {
  const qint64 coat = InsertByText("Coat", "42", "", "", "", "");
  Query q(&db());
  q.SQL = "SELECT PRICE, '' AS BLANK FROM ITEMS";
  q.ExecSQL();
  ASSERT_EQ(q.RecordCount(), 1);
  QByteArray scratch;
  EXPECT_TRUE(q.Fields(0).IsNull());
  EXPECT_TRUE(q.Fields(0).AsUtf8(scratch).isEmpty());
  EXPECT_FALSE(q.Fields(1).IsNull());
  EXPECT_TRUE(q.Fields(1).AsUtf8(scratch).isEmpty());
  EXPECT_EQ(q.Fields(1).Value(), QVariant(QString("")));

  Table t(&db());
  t.TableName = "ITEMS";
  t.Open();
  ASSERT_TRUE(t.FindKey({coat}));
  t.Edit();
  t.FieldByName("NAME").SetAsString("Jacket");
  EXPECT_EQ(t.FieldByName("NAME").AsUtf8(scratch), QUtf8StringView("Jacket"));
  EXPECT_EQ(t.FieldByName("QTY").AsUtf8(scratch), QUtf8StringView("42"));
  t.Cancel();
}

TEST_P(FieldTest, EmptyTextGivesNullAndBadTextIsRefused) {
  const qint64 id = InsertByText("", "7", "", "", "", "");
  Query q(&db());
  q.SQL = "SELECT * FROM ITEMS WHERE ID = " + sql::Int(id);
  q.ExecSQL();
  for (const char* name : {"NAME", "PRICE", "RATE", "ECOM_FLAG", "DATE_CREATED"}) {
    EXPECT_TRUE(q.FieldByName(name).IsNull()) << name;
    EXPECT_EQ(q.FieldByName(name).AsString(), "") << name;
    EXPECT_FALSE(q.FieldByName(name).Value().isValid()) << name;
  }
  EXPECT_EQ(q.FieldByName("PRICE").AsCurrency(), Currency());

  Table t(&db());
  t.TableName = "ITEMS";
  t.Open();
  t.Insert();
  EXPECT_THROW(t.FieldByName("QTY").SetAsString("12abc"), DbError);
  EXPECT_THROW(t.FieldByName("QTY").SetAsString("1.5"), DbError);
  EXPECT_THROW(t.FieldByName("PRICE").SetAsString("1,50"), DbError);
  EXPECT_THROW(t.FieldByName("ECOM_FLAG").SetAsString("maybe"), DbError);
  EXPECT_THROW(t.FieldByName("DATE_CREATED").SetAsString("yesterday"), DbError);
  EXPECT_THROW(t.FieldByName("DATE_CREATED").SetAsInteger(5), DbError);
  t.Cancel();
  // Outside Edit/Insert a field cannot be written.
  EXPECT_THROW(t.FieldByName("QTY").SetAsInteger(1), DbError);
}

TEST_P(FieldTest, MoneyRoundTripsExactly) {
  const std::vector<qint64> raws = {0, 1, -1, 125000, 12345678901, -5, 999999999999999, -999999999999999};
  Table t(&db());
  t.TableName = "ITEMS";
  t.Open();
  for (qint64 raw : raws) {
    t.Append();
    t.FieldByName("PRICE").SetAsCurrency(Currency::FromRaw(raw));
    t.FieldByName("QTY").SetAsInteger(raw % 1000);
    t.Post();
    EXPECT_EQ(t.FieldByName("PRICE").AsCurrency().Raw(), raw);  // as read back after Post
  }
  Query q(&db());
  q.SQL = "SELECT PRICE, ID FROM ITEMS ORDER BY ID";
  q.ExecSQL();
  ASSERT_EQ(q.RecordCount(), int(raws.size()));
  for (qint64 raw : raws) {
    EXPECT_EQ(q.FieldByName("PRICE").AsCurrency().Raw(), raw);
    q.Next();
  }
  q.First();
  q.Next();
  EXPECT_EQ(q.Fields(0).AsString(), "0.0001");
  q.Next();
  q.Next();
  EXPECT_EQ(q.Fields(0).AsString(), "12.5");

  // Sums of money come back exact as money too.
  q.SQL = "SELECT SUM(PRICE) AS TOTAL FROM ITEMS WHERE ABS(PRICE) < 100";
  q.ExecSQL();
  EXPECT_EQ(q.FieldByName("total").AsCurrency(), Currency::FromRaw(125000 + 1 - 1 - 5));
}

TEST_P(FieldTest, NavigationAndRecordCount) {
  for (int k = 1; k <= 3; ++k) db().Execute(QString("INSERT INTO ITEMS (NAME, QTY) VALUES ('n%1', %1)").arg(k));
  Query q(&db());
  q.SQL = "SELECT NAME, QTY AS Amount FROM ITEMS ORDER BY QTY";
  q.ExecSQL();
  EXPECT_TRUE(q.Active());
  EXPECT_EQ(q.RecordCount(), 3);
  EXPECT_EQ(q.RecNo(), 1);
  EXPECT_FALSE(q.Eof());
  EXPECT_TRUE(q.Bof());
  QStringList seen;
  for (; !q.Eof(); q.Next()) seen << q.FieldByName("amount").AsString();
  EXPECT_EQ(seen, QStringList({"1", "2", "3"}));
  EXPECT_EQ(q.RecNo(), 3);  // Next past the end stays on the last row
  q.Prior();
  EXPECT_EQ(q.FieldByName("NAME").AsString(), "n2");
  q.Last();
  EXPECT_TRUE(q.Eof());
  EXPECT_EQ(q.FieldByName("Name").AsString(), "n3");

  // Names are upper case on both engines, found in any case.
  EXPECT_EQ(q.Fields(1).FieldName(), "AMOUNT");
  EXPECT_EQ(&q.FieldByName("aMoUnT"), &q.Fields(1));
  EXPECT_EQ(q.FindField("missing"), nullptr);
  EXPECT_THROW(q.FieldByName("missing"), DbError);
  EXPECT_THROW(q.Fields(2), DbError);

  q.SQL = "SELECT NAME FROM ITEMS WHERE QTY > 99";
  q.ExecSQL();
  EXPECT_EQ(q.RecordCount(), 0);
  EXPECT_TRUE(q.Eof());
  EXPECT_TRUE(q.IsEmpty());
  EXPECT_TRUE(q.FieldByName("NAME").IsNull());

  q.SQL = "UPDATE ITEMS SET QTY = QTY + 1 WHERE QTY >= 2";
  q.ExecSQL();
  EXPECT_EQ(q.RowsAffected(), 2);
  EXPECT_FALSE(q.Active());
}

// A text read into the string of the row before is that row's string again
// when the value repeats, and otherwise what AsString gives, whatever the
// column's type (money, NULL, a text that differs only beyond ASCII).
TEST_P(FieldTest, AsStringIntoKeepsARepeatedTextAndOtherwiseReadsAsAsString) {
  db().Execute("INSERT INTO ITEMS (NAME, QTY, PRICE) VALUES ('Coat', 1, 12.5), ('Coat', 2, 12.5), "
               "('Co\u00e4t', 3, NULL), (NULL, 4, 3), ('Coat', 5, 3)");
  Query q(&db());
  q.SQL = "SELECT NAME, PRICE, QTY FROM ITEMS ORDER BY QTY";
  q.ExecSQL();
  QString name, price, qty;
  std::vector<const QChar*> kept;
  QStringList seen;
  for (; !q.Eof(); q.Next()) {
    const QChar* before = name.constData();
    q.Fields(0).AsStringInto(name);
    kept.push_back(name.constData() == before ? before : nullptr);
    q.Fields(1).AsStringInto(price);
    q.Fields(2).AsStringInto(qty);
    EXPECT_EQ(name, q.Fields(0).AsString());
    EXPECT_EQ(price, q.Fields(1).AsString());
    EXPECT_EQ(qty, q.Fields(2).AsString());
    seen << name + "|" + price + "|" + qty;
  }
  EXPECT_EQ(seen, QStringList({"Coat|12.5|1", "Coat|12.5|2", QString::fromUtf8("Co\xc3\xa4t||3"), "|3|4", "Coat|3|5"}));
  EXPECT_NE(kept[1], nullptr);  // the second Coat is the first one's string
  EXPECT_EQ(kept[2], nullptr);
  EXPECT_EQ(kept[4], nullptr);
}

// Texts of one length read in turn (PLUs in order, a name beyond ASCII
// repeated): each is what AsString gives, a repeat keeps the buffer's string
// (beyond ASCII too), and a copy taken of the buffer keeps its own text when
// the next value differs only in its last characters.
TEST_P(FieldTest, AsStringIntoTextsOfOneLengthKeepRepeatsAndCopies) {
  db().Execute("INSERT INTO ITEMS (NAME, QTY) VALUES ('1000000101', 1), ('1000000102', 2), ('1000000112', 3), "
               "('Ab\u00e9', 4), ('Ab\u00e9', 5), ('Abe', 6), ('Ab\u00e8', 7), ('1000000112', 8)");
  Query q(&db());
  q.SQL = "SELECT NAME FROM ITEMS ORDER BY QTY";
  q.ExecSQL();
  QString text;
  QStringList copies;
  std::vector<bool> kept;
  for (; !q.Eof(); q.Next()) {
    const QChar* before = text.constData();
    q.Fields(0).AsStringInto(text);
    kept.push_back(text.constData() == before);
    EXPECT_EQ(text, q.Fields(0).AsString());
    copies << text;
  }
  EXPECT_EQ(copies, (QStringList{"1000000101", "1000000102", "1000000112", QString::fromUtf8("Ab\xc3\xa9"),
                                 QString::fromUtf8("Ab\xc3\xa9"), "Abe", QString::fromUtf8("Ab\xc3\xa8"),
                                 "1000000112"}));
  EXPECT_TRUE(kept[4]);  // the repeat beyond ASCII is the row before's string
}

// Values of every size the result buffer distinguishes come back as stored,
// read in any row order, across rows that fill several memory blocks.
TEST_P(FieldTest, ValuesOfEverySizeSurviveTheResult) {
  const std::vector<qint64> ints = {0, -1, 127, 128, -128, -129, 32767, 32768, -32769, 2147483647,
                                    2147483648LL, -2147483649LL, INT64_MAX, INT64_MIN};
  const std::vector<int> lengths = {0, 1, 247, 248, 249, 250, 70000, 3 << 20};
  // ITEMS.QTY is 32 bits on PostgreSQL: these go in a wider column.
  db().Execute("CREATE TABLE WIDE (ID INTEGER, N BIGINT, NAME TEXT, RATE DOUBLE PRECISION, PRICE NUMERIC(19,4))");
  const size_t rows = std::max(ints.size(), lengths.size());
  for (size_t k = 0; k < rows; ++k)
    db().Execute(QString("INSERT INTO WIDE (ID, N, NAME, RATE) VALUES (%1, %2, '%3', %4)")
                     .arg(k)
                     .arg(sql::Int(ints[k % ints.size()]))
                     .arg(QString(lengths[k % lengths.size()], QChar('a' + int(k))))
                     .arg(k * -0.25));
  Query q(&db());
  // The expression columns have no declared type: the first value tells it.
  q.SQL = "SELECT NAME, N, RATE, PRICE, CASE WHEN N > 0 THEN N END AS POSITIVE FROM WIDE ORDER BY ID";
  q.ExecSQL();
  ASSERT_EQ(q.RecordCount(), int(rows));
  EXPECT_EQ(q.FieldByName("POSITIVE").DataType(), FieldType::Integer);
  auto check = [&](size_t k) {
    SCOPED_TRACE(k);
    EXPECT_EQ(q.FieldByName("N").AsInteger(), ints[k % ints.size()]);
    EXPECT_EQ(q.FieldByName("NAME").AsString(), QString(lengths[k % lengths.size()], QChar('a' + int(k))));
    EXPECT_FALSE(q.FieldByName("NAME").IsNull());
    EXPECT_DOUBLE_EQ(q.FieldByName("RATE").AsFloat(), k * -0.25);
    EXPECT_TRUE(q.FieldByName("PRICE").IsNull());
    EXPECT_EQ(q.FieldByName("POSITIVE").IsNull(), ints[k % ints.size()] <= 0);
  };
  for (size_t k = 0; k < rows; ++k, q.Next()) check(k);
  for (size_t k = rows; k-- > 0; q.Prior()) check(k);

  // Many rows of mid-sized texts span several blocks of the result.
  const QString fill(900, QChar('x'));
  QStringList values;
  for (int k = 0; k < 6000; ++k) values << QString("('%1%2', %2)").arg(fill).arg(k);
  db().Execute("DELETE FROM WIDE");
  db().Execute("INSERT INTO WIDE (NAME, N) VALUES " + values.join(", "));
  q.SQL = "SELECT N, NAME FROM WIDE ORDER BY N";
  q.ExecSQL();
  ASSERT_EQ(q.RecordCount(), 6000);
  for (int k = 0; k < 6000; ++k, q.Next()) {
    ASSERT_EQ(q.Fields(0).AsInteger(), k);
    ASSERT_EQ(q.Fields(1).AsString(), fill + QString::number(k));
  }
}

TEST_P(FieldTest, HostileTextsAreStoredAndFound) {
  const QStringList texts = {"O'Neil",        "''",          "it's a 'quoted' word", "back\\slash\\",
                             "semi; colon;",  "'; DROP TABLE ITEMS; --", "percent % and _",
                             QString::fromUtf8("Café ☃ 𝄞 Ünïcödé"), QString("nul") + QChar(0) + "'end"};
  Table t(&db());
  t.TableName = "ITEMS";
  t.Open();
  for (const QString& text : texts) {
    // once through the SQL text, once bound by the table
    db().Execute("INSERT INTO ITEMS (NAME, QTY) VALUES (" + sql::Quote(text) + ", 1)");
    t.Append();
    t.FieldByName("NAME").SetAsString(text);
    t.FieldByName("QTY").SetAsInteger(2);
    t.Post();
  }
  Query q(&db());
  for (QString text : texts) {
    text.remove(QChar(0));  // NUL cannot be stored; it is dropped on the way in
    q.SQL = "SELECT NAME, QTY FROM ITEMS WHERE NAME = " + sql::Quote(text) + " ORDER BY QTY";
    q.ExecSQL();
    ASSERT_EQ(q.RecordCount(), 2) << text.toStdString();
    EXPECT_EQ(q.FieldByName("NAME").AsString(), text);
    q.Next();
    EXPECT_EQ(q.FieldByName("NAME").AsString(), text);
  }
  EXPECT_EQ(Count(db(), "SELECT COUNT(*) FROM ITEMS"), 2 * texts.size());
}

// A query run again with other bound values (one statement text, kept
// prepared on SQLite) finds each time what the values and the table say
// now; the values serve one ExecSQL only.
TEST_P(FieldTest, BoundValuesServeOneRunAndARepeatedTextSeesTheTableAsItIsNow) {
  db().Execute("INSERT INTO ITEMS (NAME, QTY) VALUES ('O''Neil', 1), ('Coat', 2), ('Coat', 3)");
  Query q(&db());
  const QString sql = "SELECT NAME, QTY FROM ITEMS WHERE NAME = $1 AND QTY >= $2 ORDER BY QTY";
  q.SQL = sql;
  q.Params = {QString("O'Neil"), qint64(1)};
  q.ExecSQL();
  ASSERT_EQ(q.RecordCount(), 1);
  EXPECT_EQ(q.FieldByName("NAME").AsString(), "O'Neil");
  EXPECT_TRUE(q.Params.empty());
  q.SQL = sql;
  q.Params = {QString("Coat"), qint64(3)};
  q.ExecSQL();
  ASSERT_EQ(q.RecordCount(), 1);
  EXPECT_EQ(q.FieldByName("QTY").AsInteger(), 3);

  // The same text after a write: the new row is there.
  const QString count = "SELECT COUNT(*) FROM ITEMS WHERE NAME = 'Coat'";
  q.SQL = count;
  q.ExecSQL();
  EXPECT_EQ(q.Fields(0).AsInteger(), 2);
  db().Execute("INSERT INTO ITEMS (NAME, QTY) VALUES ('Coat', 4)");
  q.SQL = count;
  q.ExecSQL();
  EXPECT_EQ(q.Fields(0).AsInteger(), 3);
  // ... also from another connection, which a kept statement must not hold off.
  auto other = Connect();
  other.db->Execute("DELETE FROM ITEMS WHERE NAME = 'Coat' AND QTY = 4");
  q.SQL = count;
  q.ExecSQL();
  EXPECT_EQ(q.Fields(0).AsInteger(), 2);
}

TEST_P(FieldTest, LikeIsCaseSensitive) {
  db().Execute("INSERT INTO ITEMS (NAME) VALUES ('Blue'), ('BLUE'), ('blue')");
  EXPECT_EQ(Count(db(), "SELECT COUNT(*) FROM ITEMS WHERE NAME LIKE 'B%'"), 2);
  EXPECT_EQ(Count(db(), "SELECT COUNT(*) FROM ITEMS WHERE NAME LIKE 'bl%'"), 1);
}

TEST_P(FieldTest, LikePatternsMeanTheSameOnBothEngines) {
  db().Execute("INSERT INTO ITEMS (NAME) VALUES ('A\\B'), ('AB'), ('A%B'), ('A_B'), ('AXB')");
  const auto count = [&](const QString& typed, sql::Wildcards w) {
    return Count(db(), "SELECT COUNT(*) FROM ITEMS WHERE NAME LIKE " + sql::Like(sql::LikeEscape(typed, w) + "%"));
  };
  EXPECT_EQ(count("A\\", sql::Wildcards::Keep), 1);  // a backslash is only a backslash
  EXPECT_EQ(count("A_B", sql::Wildcards::Keep), 4);   // a typed _ is any one character
  EXPECT_EQ(count("A_", sql::Wildcards::Escape), 1);
  EXPECT_EQ(count("A%", sql::Wildcards::Escape), 1);
  EXPECT_EQ(count("", sql::Wildcards::Keep), 5);
}

TEST_P(FieldTest, ProgressIsReportedAndCanAbort) {
  const QString slow = isPg() ? "SELECT pg_sleep(0.4) AS X"
                              : "WITH RECURSIVE c(x) AS (SELECT 1 UNION ALL SELECT x + 1 FROM c"
                                " WHERE x < 4000000) SELECT COUNT(*) AS X FROM c";
  Query q(&db());
  int calls = 0;
  q.OnQueryProgress = [&](int, bool&) { ++calls; };
  q.SQL = slow;
  q.ExecSQL();
  EXPECT_EQ(q.RecordCount(), 1);
  EXPECT_GE(calls, 2);

  q.OnQueryProgress = [](int, bool& abort) { abort = true; };
  EXPECT_THROW(q.ExecSQL(), DbError);
  // The connection is still usable afterwards.
  EXPECT_EQ(Count(db(), "SELECT COUNT(*) FROM ITEMS"), 0);
}

// What a click handled inside the progress callback would do: start another
// statement on the same query, or on the same connection, mid-fetch.
TEST_P(FieldTest, AStatementStartedFromTheProgressCallbackIsRefused) {
  db().Execute("INSERT INTO ITEMS (NAME, QTY) VALUES ('a', 1), ('b', 2)");
  Query q(&db());
  Query other(&db());
  int refused = 0, ran = 0;
  q.OnQueryProgress = [&](int, bool&) {
    for (Query* nested : {&q, &other}) {
      nested->SQL = "UPDATE ITEMS SET QTY = QTY + 10";
      try {
        nested->ExecSQL();
        ++ran;
      } catch (const DbError& e) {
        ++refused;
        EXPECT_TRUE(e.Message().contains("still running")) << e.Message().toStdString();
      }
    }
    q.SQL = "SELECT NAME FROM ITEMS WHERE QTY > 0";  // what a handler would set before its own run
  };
  q.SQL = isPg() ? "SELECT SUM(QTY) AS TOTAL FROM ITEMS, (SELECT pg_sleep(0.3)) AS w"
                 : "WITH RECURSIVE c(x) AS (SELECT 1 UNION ALL SELECT x + 1 FROM c WHERE x < 3000000)"
                   " SELECT SUM(QTY) AS TOTAL FROM ITEMS, (SELECT COUNT(*) FROM c)";
  q.ExecSQL();
  EXPECT_GE(refused, 2);
  EXPECT_EQ(ran, 0);
  // The running statement's own rows, complete, and nothing else was written.
  ASSERT_EQ(q.RecordCount(), 1);
  EXPECT_EQ(q.FieldByName("TOTAL").AsInteger(), 3);
  EXPECT_EQ(Count(db(), "SELECT SUM(QTY) FROM ITEMS"), 3);
}

TEST_P(FieldTest, ErrorsCarryTheEngineMessage) {
  Query q(&db());
  q.SQL = "SELECT NOPE FROM ITEMS";
  try {
    q.ExecSQL();
    FAIL() << "no error";
  } catch (const DbError& e) {
    EXPECT_TRUE(e.Message().contains("nope", Qt::CaseInsensitive)) << e.Message().toStdString();
  }
  EXPECT_THROW(db().Execute("INSERT INTO MISSING VALUES (1)"), DbError);
}

KV_DB_ENGINES(FieldTest);
