#pragma once
// The database engine of the suite: sessions, databases, queries and tables on
// SQLite (single-user edition, local files) and PostgreSQL (multi-user edition,
// a database server). The rest of the system sees only these classes; which C
// library sits underneath stays in this folder.
//
// Errors are thrown as kdb::DbError; callers in the framework catch and log.

#include <QDateTime>
#include <QString>
#include <QStringList>
#include <QVariant>

#include <functional>
#include <memory>
#include <stdexcept>
#include <string>
#include <vector>

#include "Currency.h"

namespace kdb {

class DbError : public std::runtime_error {
 public:
  explicit DbError(const QString& message);
  QString Message() const { return message_; }
 private:
  QString message_;
};

enum class FieldType { Unknown, Integer, Float, Money, Text, Boolean, DateTime };

// ----- SQL text helpers: the only way a value becomes part of a statement ----
namespace sql {
// 'text' with inner quotes doubled (and NUL characters dropped).
QString Quote(const QString& text);
// True when the text is an optional sign followed by decimal digits only.
bool IsInteger(const QString& text);
// The text itself when it is an integer (without a '+' sign; a negative
// number in parentheses, so it cannot form "--" with a minus before it);
// throws DbError otherwise. Use for every id that stands bare in a statement.
QString Int(const QString& text);
QString Int(qint64 value);
// A date as the quoted 'yyyy-mm-dd' text both engines compare correctly.
QString Date(const QDate& d);
// LIKE patterns. Both engines read a pattern alike only with an explicit
// escape character: PostgreSQL takes a backslash as one by default, SQLite
// has none. Every pattern is written with the backslash as its escape
// character and reaches the statement through Like.
enum class Wildcards {
  Keep,    // % and _ typed by a user keep their meaning
  Escape,  // % and _ match only themselves
};
// Text to stand in a pattern: each backslash doubled, so it matches itself,
// and with Wildcards::Escape every % and _ escaped.
QString LikeEscape(const QString& text, Wildcards wildcards);
// The pattern (written as LikeEscape gives it) as SQL, quoted, with its
// escape clause: 'pattern' escape '\'.
QString Like(const QString& pattern);
}  // namespace sql

// Starts loading the database server's client library in the background, so
// that a later connect to a server need not wait for it. A program that may
// run in the multi-user edition calls it early; the single-user edition never
// needs the library.
void PreloadServerClient();

// ----- Field: one column of the current row ---------------------------------
class Field {
 public:
  QString FieldName() const { return name_; }
  // The name as the engine spells it: as the SELECT list wrote it (SQLite),
  // unquoted names folded to lower case (PostgreSQL).
  QString SqlName() const { return sqlName_; }
  FieldType DataType() const { return type_; }
  bool IsNull() const;
  // The value as the field shows it: integers plainly, money and floats in the
  // shortest decimal form ("12.5"), booleans "True"/"False", date-times
  // "yyyy-mm-dd hh:nn:ss", NULL as "".
  QString AsString() const;
  // AsString into `text`: left as it is when it holds that text already (a
  // value repeated from row to row is read without a new string, and the
  // rows that repeat it share one), else written into its buffer, reused
  // when nothing else shares it. A loop reading a text of every row
  // allocates little for it.
  void AsStringInto(QString& text) const;
  // AsString added to `out` in UTF-8; plain text and whole numbers go in
  // as the row holds them, without a string of their own (a post record).
  void AppendUtf8(QByteArray& out) const;
  // The text AsString gives, as UTF-8 and without a copy where the engine
  // holds it so (a text column of a row being browsed): valid until the data
  // set moves to another row or closes. Other values (a number, money, a
  // value being edited) are converted into `scratch`, which the view then
  // shows. For a reader that only compares a text or picks characters of it.
  QUtf8StringView AsUtf8(QByteArray& scratch) const;
  qint64 AsInteger() const;      // NULL and text that is no number give 0
  double AsFloat() const;
  Currency AsCurrency() const;
  bool AsBoolean() const;
  QDateTime AsDateTime() const;
  QVariant Value() const;

  // Writing (tables in Edit or Insert state only; throws otherwise). Setting
  // by text converts by the column's type; an empty text gives NULL.
  void SetAsString(const QString& v);
  void SetAsInteger(qint64 v);
  void SetAsFloat(double v);
  void SetAsCurrency(Currency v);
  void SetAsBoolean(bool v);
  void SetAsDateTime(const QDateTime& v);
  // Any value, converted by the column's type as the setters above do.
  void SetValue(const QVariant& v);
  void Clear();  // NULL

 private:
  friend class DataSet;
  friend struct DataSetAccess;
  Field(class DataSet* owner, int index, QString name, FieldType type);
  class DataSet* owner_;
  int index_;
  QString name_;
  FieldType type_;
  QString sqlName_;
};

class Session;
class Database;
class Connection;
class RowSet;
struct Cell;
struct Statement;

// ----- Session: how to reach the data ----------------------------------------
class Session {
 public:
  enum class Type { Local, Remote };
  enum class RemoteType { LAN, Internet };

  QString SessionName = "SessionRemote";
  Type SessionType = Type::Remote;
  RemoteType RemoteTransport = RemoteType::LAN;
  QString RemoteHost = "127.0.0.1";
  int RemotePort = 12005;
  QString RemoteUser;
  QString RemotePassword;
  QString RemoteSslRootCert;   // certificate to verify the server (Internet)
  int ConnectTimeoutSeconds = 5;
  QString PrivateDir;          // local: folder for temporary files
  int LockRetryCount = 15;
  int LockWaitTime = 100;      // milliseconds between lock retries
  // How long a table lock (Database::LockTable, Transaction with a
  // TableLock) may wait for another unit of work, in milliseconds; a row
  // lock waits LockRetryCount x LockWaitTime.
  int TableLockWaitTime = 10000;
  // Remote: a statement inside a unit of work, or one that is no SELECT,
  // that has no answer after this many seconds fails and its work is not
  // saved: the server cancels it a little earlier (statement_timeout), and
  // when the server does not answer at all (a stalled network) the
  // connection is given up at this time. 0: no bound (tools that build
  // large indexes or load data).
  int WriteTimeoutSeconds = 0;
  // Remote: a network link that stays silent this long counts as dropped
  // (TCP keepalives and user time-out), also while a long SELECT runs.
  int NetworkTimeoutSeconds = 10;

  bool Active() const { return active_; }
  void SetActive(bool on) { active_ = on; }
  void DropConnections();      // closes every open database of the session

  Session() = default;
  ~Session();  // its databases are left without a session
  Session(const Session&) = delete;
  Session& operator=(const Session&) = delete;

 private:
  friend class Database;
  bool active_ = false;
  std::vector<Database*> databases_;
};

// ----- Database: one open connection -------------------------------------------
//
// Units of work. StartTransaction / Commit / Rollback make one unit of work
// of several statements; nested StartTransaction calls only count, the
// outermost Commit commits, and Rollback ends the whole unit at once (every
// level). kdb::Transaction (KvTransaction.h) is the scoped form: nested in an
// open unit it is a savepoint, so its rollback returns only to where it
// began and the outer unit goes on.
//
// Inside a unit, every write a Table makes runs under a savepoint of its own,
// so a failed post leaves the unit usable (PostgreSQL refuses every later
// statement of a transaction after an error). A unit opened as
// Transaction::AllOrNothing skips those savepoints: any failure in it makes
// its commit fail and roll back, on both engines.
//
// Connection loss (remote). Before a statement, a connection found dropped is
// opened again once, when no unit of work is open. A SELECT that loses its
// connection while it runs is retried once on a new one; any other statement
// fails. A unit of work that lost its connection is gone: the server rolled
// it back, every further statement of it and its commit fail ("not saved"),
// and the next statement after its end reconnects. Nothing is half-written.
//
// One statement at a time: a statement started while another one of the same
// connection is still running (from a progress callback) is refused.
class Database {
 public:
  explicit Database(Session* session = nullptr);
  ~Database();
  Database(const Database&) = delete;
  Database& operator=(const Database&) = delete;

  QString DatabaseName = "DATA";
  QString RemoteDatabase = "DATA";  // remote: database on the server
  QString Directory;                 // local: folder holding the database file
  // Local: Open creates the file (and its folder) when missing. Only the
  // schema tool sets it; a program that finds no file fails to connect.
  bool CreateIfMissing = false;
  // Called after a dropped connection was opened again (with the reason).
  std::function<void(const QString& reason)> OnReconnect;
  // Called about every 50 ms while a unit waits for its table lock (up to
  // the session's TableLockWaitTime), so the program can keep painting its
  // wait window instead of looking hung; abort gives the wait up.
  std::function<void(int percentDone, bool& abort)> OnLockWait;

  void SetSession(Session* s);
  Session* GetSession() const { return session_; }

  // Throws DbError. Local: the file Directory/<DatabaseName>.sqlite (see
  // CreateIfMissing). Remote: RemoteDatabase on the session's server.
  // Opening an open, live database does nothing.
  void Open();
  void Close();
  // Starts opening the connection on a thread of its own, with the settings
  // as they stand now, so that a program builds its window meanwhile. The
  // next Open takes that connection when the settings are still the same
  // (a failure of it is then Open's failure), else opens anew. Does nothing
  // while open or when started already.
  void OpenAhead();
  // Takes over the connect `from` opened ahead (unless this one is open or
  // opening one itself): the next Open takes it on OpenAhead's terms, so
  // settings that differ from this database's open anew.
  void TakeAhead(Database& from);
  // True only while the connection is usable: a server that went away is
  // noticed here (without a round trip) so the next connect really reconnects.
  bool Connected();

  // One unit of work (see above).
  void StartTransaction();
  void Commit();
  void Rollback();   // ends the whole unit; never throws
  bool InTransaction() const { return !levels_.empty(); }

  // Inside a unit of work: no other unit may write `table` until this one
  // ends (readers go on); waits up to waitMs (the session's
  // TableLockWaitTime when negative) instead of the row-lock wait, then
  // throws. PostgreSQL: LOCK TABLE ... IN SHARE ROW EXCLUSIVE MODE. SQLite:
  // the unit's BEGIN IMMEDIATE holds the database's write lock already, so
  // nothing is done; open the unit as Transaction(db, mode, TableLock{...})
  // to give that BEGIN the longer wait as well.
  void LockTable(const QString& table, int waitMs = -1);

  // Runs a statement that returns no rows (DDL, UPDATE ...); the text may
  // hold several statements separated by ';'. Throws.
  void Execute(const QString& statement);

  // Reads the SELECTs (plain texts, no parameters) in one round trip where
  // the engine can (PostgreSQL, outside a unit of work) and keeps their rows
  // for the statements that follow: each of the next statements that is the
  // next one kept, unlimited and without parameters, takes its rows instead
  // of running; any other statement drops what is left. A statement that
  // failed is not kept: it runs as ever, its failure its own. Never throws
  // (whatever goes wrong, the statements run as ever).
  void ReadAhead(const QStringList& selects);

  // True while a statement of this connection runs (a progress callback is
  // inside it).
  bool Busy() const { return running_; }

  Connection* Handle() const { return conn_.get(); }
  bool IsPostgres() const;

 private:
  friend class Session;
  friend class Table;
  friend class Query;
  friend class Transaction;
  struct Level {
    bool allOrNothing = false;  // no statement savepoints; a failure dooms it
    bool failed = false;        // a statement failed in it without a savepoint
  };
  Session* session_ = nullptr;
  std::unique_ptr<Connection> conn_;
  struct Ahead;
  std::unique_ptr<Ahead> ahead_;  // the connection OpenAhead is opening
  struct ReadAheadRows;
  std::unique_ptr<ReadAheadRows> readAhead_;  // ReadAhead's rows not yet taken
  std::vector<Level> levels_;   // open units, outermost first
  quint64 unitSerial_ = 0;      // counts the outermost units that ended
  // Counts what may have changed the data this connection sees: every
  // statement that is no plain SELECT, a rollback to a savepoint, a table
  // lock taken (rows read before it may have changed until then), a new
  // connection. A row read at the same count is still as read, as far as
  // this connection goes.
  quint64 dataSerial_ = 0;
  // PostgreSQL: the tables the open unit holds locked against every other
  // writer, with the level that took each lock (a rollback to a savepoint
  // gives back the locks taken after it).
  std::vector<std::pair<QString, int>> tableLocks_;
  bool HoldsTableLock(const QString& table) const;
  // The rows ReadAhead kept for this statement, when it is the next kept.
  std::unique_ptr<RowSet> TakeReadAhead(const Statement& st, int* affected);
  bool lost_ = false;           // the open unit lost its connection
  bool running_ = false;
  // Lets a table with a pending edit learn whether its database still exists.
  std::shared_ptr<Database*> token_ = std::make_shared<Database*>(this);

  std::unique_ptr<Connection> OpenConnection();
  Connection& Live();    // throws when not open
  // The connection for the next statement: reconnected when found dropped
  // outside a unit; throws when the open unit lost it.
  Connection& Ready();
  void Reconnect(const QString& reason);
  // Runs one statement. guarded: inside a unit that is not all-or-nothing,
  // under a savepoint of its own, so its failure leaves the unit usable.
  std::unique_ptr<RowSet> Run(const Statement& st, int* affected, bool guarded);
  void Control(const QString& sql, const std::function<void(int, bool&)>* progress = nullptr);  // BEGIN, SAVEPOINT, COMMIT ...
  // Scoped units (Transaction): the level opened, and its end.
  int BeginUnit(bool allOrNothing, const QString& lockTable, int lockWaitMs);
  void CommitUnit(int level, quint64 serial);
  void RollbackUnit(int level, quint64 serial);
  void EndOutermost(bool commit);
  QString TableLockSql(const QString& table, int waitMs) const;
  [[noreturn]] void ThrowLost(const QString& detail);
};

// ----- DataSet: rows, a current row, fields -------------------------------------

class DataSet {
 public:
  explicit DataSet(Database* db = nullptr);
  virtual ~DataSet();
  DataSet(const DataSet&) = delete;
  DataSet& operator=(const DataSet&) = delete;

  void SetDatabase(Database* db) { db_ = db; }
  Database* GetDatabase() const { return db_; }
  QString SessionName = "SessionRemote";
  QString DatabaseName = "DATA";

  virtual bool Active() const;
  virtual void Close();
  virtual int RecordCount() const;
  virtual int RecNo() const;   // 1-based, 0 when empty
  virtual void First();
  virtual void Next();
  virtual void Prior();
  virtual void Last();
  bool Eof() const { return eof_; }
  bool Bof() const { return bof_; }
  bool IsEmpty() const { return RecordCount() == 0; }

  int FieldCount() const { return int(fields_.size()); }
  Field& Fields(int index) {                // throws when out of range
    if (index < 0 || index >= FieldCount()) FieldIndexError(index);
    return *fields_[size_t(index)];
  }
  Field& FieldByName(const QString& name);  // ignores case; throws when absent
  Field* FindField(const QString& name);    // ignores case; nullptr when absent

 protected:
  friend class Field;
  friend struct DataSetAccess;
  Database* db_;
  std::unique_ptr<RowSet> rows_;
  std::vector<std::unique_ptr<Field>> fields_;
  int cur_ = 0;         // current row inside rows_
  bool eof_ = true;
  bool bof_ = true;

  // Fields for the columns of rows_ (or of the given column source).
  void BindFields();
  void BindFields(const RowSet& columns);
  void ClearRows();
  bool HasCurrentRow() const;  // inline in Connection.h
  // The current row's value of a column, as the engine delivered it (or as
  // the edit buffer holds it); text may point into scratch.
  Cell CurrentCell(int index, std::string& scratch) const;
  // While a row is edited or inserted: the values set so far (editSet_ marks
  // them); the other columns read as the current row has them (Edit) or as
  // NULL (Insert).
  const std::vector<QVariant>* editBuffer_ = nullptr;
  const std::vector<bool>* editSet_ = nullptr;
  bool editOverRow_ = false;
  virtual void SetFieldValue(int index, const QVariant& v);

 private:
  std::vector<std::pair<QString, int>> index_;  // upper-case name -> field, sorted
  [[noreturn]] static void FieldIndexError(int index);
};

// ----- Query: one SQL statement and its result -------------------------------------
class Query : public DataSet {
 public:
  using DataSet::DataSet;
  QString SQL;
  // Values bound to $1 .. $n of SQL by the next ExecSQL, which empties it:
  // a statement run again with other values keeps one text (SQLite keeps
  // it prepared).
  std::vector<QVariant> Params;
  int RemoteReadSize = 10;   // kept for the settings; every row is fetched at once
  int MaxRowCount = -1;      // rows kept of a result; -1: all
  // Called repeatedly (about every 50 ms) while a statement runs, on both
  // engines; percentDone is 0 (the engines do not know). Setting abort
  // cancels the statement, which then throws DbError.
  std::function<void(int percentDone, bool& abort)> OnQueryProgress;

  // Runs SQL. A statement returning rows leaves them open here, on the first
  // row, with RecordCount known. Throws DbError; refused while a statement of
  // the same connection runs (a progress callback must not start another).
  void ExecSQL();
  int RowsAffected() const { return rowsAffected_; }
  void Close() override;

 private:
  int rowsAffected_ = 0;
};

// ----- Table: single-row writes on a table by name ----------------------------------
// Open positions on the first row in primary-index order. FindKey searches
// the primary index (PRODUCTS: PLU, WSPACKLINES: PLU, WSPACKS: STYLE, every
// other table: ID). Edit locks the row (pessimistic locking) until Post or
// Cancel; a row held by another program makes Edit throw after the session's
// lock retries. Post writes the row, reads it back (so an auto-incremented ID
// is there) and runs AfterPost. Inside Database::StartTransaction the lock
// and the write belong to the caller's unit of work: Post does not commit.
// SQLite locks the whole file for writing (BEGIN IMMEDIATE) while a row is
// in Edit, PostgreSQL only the row. Inside a unit of work that holds the row
// already (SQLite: its BEGIN IMMEDIATE; PostgreSQL: the row's lock, or a
// table lock of the unit) Edit neither locks nor reads a row again that was
// read under that hold and not written since: the read would change nothing. Values Post writes are bound, and only
// the fields that were set (an insert leaves the others to their defaults).
// RecordCount and RecNo of a table ask the database (a table is read a page
// at a time, never whole). The statements a table generates are prepared
// once per connection and kept.
class Table : public DataSet {
 public:
  enum class State { Inactive, Browse, Edit, Insert };
  using DataSet::DataSet;
  ~Table() override;

  QString TableName;
  std::function<void(Table&)> AfterPost;

  void Open();            // throws
  void Close() override;  // a pending change is cancelled
  State GetState() const { return state_; }

  bool FindKey(const QVariantList& keyValues);  // moves to the row when found
  void Edit();
  void Insert();
  void Append();
  void Post();
  void Cancel();
  QStringList PrimaryKey() const;
  // Appends `count` rows in one statement: fill(i) sets the fields of row i
  // as between Insert and Post. The first row starts empty, every other one
  // as the row before it, so fill may set only what differs; no row may set
  // a field the first left out. Afterwards the
  // table shows each written row in turn, in the order filled, and runs
  // AfterPost for it, as Post does. Inside a unit of work a failure is
  // undone as a failed Post is (its savepoint, or the whole all-or-nothing
  // unit). Throws DbError.
  void InsertRows(int count, const std::function<void(int row)>& fill);

 protected:
  void SetFieldValue(int index, const QVariant& v) override;

 public:
  bool Active() const override { return state_ != State::Inactive; }
  int RecordCount() const override;   // counts the table's rows
  int RecNo() const override;
  void First() override;
  void Next() override;
  void Prior() override;
  void Last() override;

 private:
  State state_ = State::Inactive;
  std::vector<QVariant> buffer_;   // the row being edited or inserted
  std::vector<bool> changed_;
  bool ownTransaction_ = false;
  std::weak_ptr<Database*> txDb_;  // the database whose transaction Edit began
  bool lastPage_ = true;           // no rows after the loaded page
  QVariant editKey_;               // key of the row in Edit, as it was read
  // When and how the loaded page was read: inside which unit of work, at
  // which count of the database's data changes, and whether its row is one
  // this unit holds locked (an edit's lock, a row this unit wrote).
  bool pageInUnit_ = false;
  quint64 pageUnit_ = 0;
  quint64 pageSerial_ = 0;
  bool pageLocked_ = false;
  // True when no other session can have changed the current row since it was
  // read and this connection has not written since: read again under the
  // lock, it would come back the same.
  bool PageHeldByUnit() const;
  struct Meta;
  std::shared_ptr<Meta> meta_;

  Connection& Conn() const;
  QVariant CurrentKey() const;
  // A statement the table generates (prepared and kept by the connection).
  std::unique_ptr<RowSet> Run(const QString& sql, const std::vector<QVariant>& params, bool guarded) const;
  std::unique_ptr<RowSet> Select(const QString& tail, const std::vector<QVariant>& params) const;
  void ShowPage(std::unique_ptr<RowSet> page, bool lastPage);
  void RequireKey() const;
  void StartEdit(const QVariant& key, bool ownTransaction);
  void EndEdit();
  void PostEdit();
  void PostInsert();
};

}  // namespace kdb
