// Tables: single-row reads and writes on a table by name. The table is read a
// page at a time in primary-index order (keyset paging), so opening a table of
// a million rows reads one page. Every value the table writes is bound.

#include "Connection.h"

#include <QHash>
#include <QRegularExpression>

#include <charconv>

namespace kdb {

namespace {

constexpr int kPageRows = 50;

QString PrimaryKeyOf(const QString& table) {
  const QString t = table.toUpper();
  if (t == "PRODUCTS" || t == "WSPACKLINES") return "PLU";
  if (t == "WSPACKS") return "STYLE";
  return "ID";
}

QString Ident(const QString& name) { return "\"" + QString(name).replace('"', "\"\"") + "\""; }

}  // namespace

struct Table::Meta {
  QString table;
  std::vector<Column> columns;
  int key = -1;
};

Table::~Table() { Table::Close(); }

Connection& Table::Conn() const {
  if (!db_ || !db_->Handle()) throw DbError("Table " + TableName + ": the database is not connected");
  return *db_->Handle();
}

QStringList Table::PrimaryKey() const {
  if (meta_) return meta_->key >= 0 ? QStringList{meta_->columns[size_t(meta_->key)].name} : QStringList();
  return {PrimaryKeyOf(TableName)};
}

void Table::RequireKey() const {
  if (state_ == State::Inactive) throw DbError("Table " + TableName + " is not open");
  if (meta_->key < 0) throw DbError("Table " + TableName + " has no primary index");
}

std::unique_ptr<RowSet> Table::Run(const QString& sql, const std::vector<QVariant>& params, bool guarded) const {
  Conn();  // a table of a closed database says so
  Statement st{sql, params, nullptr, -1};
  st.prepare = true;
  return db_->Run(st, nullptr, guarded);
}

std::unique_ptr<RowSet> Table::Select(const QString& tail, const std::vector<QVariant>& params) const {
  return Run("SELECT * FROM " + meta_->table + " " + tail, params, false);
}

QVariant Table::CurrentKey() const {
  return conv::ToValue(rows_->Get(cur_, meta_->key), meta_->columns[size_t(meta_->key)].type);
}

void Table::ShowPage(std::unique_ptr<RowSet> page, bool lastPage) {
  rows_ = std::move(page);
  cur_ = 0;
  lastPage_ = lastPage;
  bof_ = false;
  eof_ = rows_->RowCount() == 0;
  pageInUnit_ = db_->InTransaction();
  pageUnit_ = db_->unitSerial_;
  pageSerial_ = db_->dataSerial_;
  pageLocked_ = false;
}

bool Table::PageHeldByUnit() const {
  if (!pageInUnit_ || !db_->InTransaction() || pageUnit_ != db_->unitSerial_ || pageSerial_ != db_->dataSerial_)
    return false;
  // SQLite: the unit's BEGIN IMMEDIATE keeps every other writer out of the
  // file from before the read to the unit's end.
  if (!Conn().IsPostgres()) return true;
  return pageLocked_ || db_->HoldsTableLock(meta_->table);
}

void Table::Open() {
  Close();
  static const QRegularExpression identifier("^[A-Za-z_][A-Za-z0-9_]*$");
  if (!identifier.match(TableName).hasMatch()) throw DbError("Invalid table name '" + TableName + "'");
  auto meta = std::make_shared<Meta>();
  meta->table = TableName;
  auto probe = Run("SELECT * FROM " + TableName + " WHERE 1 = 0", {}, false);
  meta->columns = probe->Columns();
  const QString key = PrimaryKeyOf(TableName);
  for (size_t c = 0; c < meta->columns.size(); ++c)
    if (meta->columns[c].name == key) meta->key = int(c);
  meta_ = std::move(meta);
  BindFields(*probe);
  state_ = State::Browse;
  First();
}

void Table::Close() {
  Cancel();
  ClearRows();
  meta_.reset();
  state_ = State::Inactive;
}

// ----- navigation -------------------------------------------------------------------

void Table::First() {
  if (state_ != State::Browse) throw DbError("Table " + TableName + " is not open for browsing");
  if (meta_->key < 0) {
    ShowPage(Select("", {}), true);  // small tables without an index (COMPANY)
  } else {
    auto page = Select(QString("ORDER BY %1 LIMIT %2").arg(Ident(meta_->columns[size_t(meta_->key)].sqlName)).arg(kPageRows), {});
    const bool last = page->RowCount() < kPageRows;
    ShowPage(std::move(page), last);
  }
  bof_ = true;
}

void Table::Next() {
  if (state_ != State::Browse) throw DbError("Table " + TableName + " is not open for browsing");
  if (HasCurrentRow() && cur_ + 1 < rows_->RowCount()) {
    ++cur_;
    bof_ = false;
    return;
  }
  if (lastPage_ || !HasCurrentRow()) {
    eof_ = true;
    return;
  }
  const QString k = Ident(meta_->columns[size_t(meta_->key)].sqlName);
  auto page = Select(QString("WHERE %1 > $1 ORDER BY %1 LIMIT %2").arg(k).arg(kPageRows), {CurrentKey()});
  if (page->RowCount() == 0) {
    lastPage_ = true;
    eof_ = true;
    return;
  }
  const bool last = page->RowCount() < kPageRows;
  ShowPage(std::move(page), last);
}

void Table::Prior() {
  if (state_ != State::Browse) throw DbError("Table " + TableName + " is not open for browsing");
  if (cur_ > 0 && HasCurrentRow()) {
    --cur_;
    eof_ = false;
    return;
  }
  if (meta_->key < 0 || !HasCurrentRow()) {
    bof_ = true;
    return;
  }
  const QString k = Ident(meta_->columns[size_t(meta_->key)].sqlName);
  auto page = Select(QString("WHERE %1 < $1 ORDER BY %1 DESC LIMIT 1").arg(k), {CurrentKey()});
  if (page->RowCount() == 0) {
    bof_ = true;
    return;
  }
  ShowPage(std::move(page), false);
}

void Table::Last() {
  if (state_ != State::Browse) throw DbError("Table " + TableName + " is not open for browsing");
  if (meta_->key < 0) return DataSet::Last();
  const QString k = Ident(meta_->columns[size_t(meta_->key)].sqlName);
  ShowPage(Select(QString("ORDER BY %1 DESC LIMIT 1").arg(k), {}), true);
  eof_ = true;
  bof_ = rows_->RowCount() == 0;
}

int Table::RecordCount() const {
  if (state_ == State::Inactive) return 0;
  if (meta_->key < 0) return rows_ ? rows_->RowCount() : 0;
  auto n = Run("SELECT COUNT(*) FROM " + meta_->table, {}, false);
  return int(conv::ToInt(n->Get(0, 0), FieldType::Integer));
}

int Table::RecNo() const {
  if (state_ == State::Inactive || !HasCurrentRow()) return 0;
  if (meta_->key < 0 || state_ == State::Insert) return DataSet::RecNo();
  const QString k = Ident(meta_->columns[size_t(meta_->key)].sqlName);
  auto n = Run("SELECT COUNT(*) FROM " + meta_->table + " WHERE " + k + " < $1", {CurrentKey()}, false);
  return int(conv::ToInt(n->Get(0, 0), FieldType::Integer)) + 1;
}

bool Table::FindKey(const QVariantList& keyValues) {
  RequireKey();
  if (state_ != State::Browse) throw DbError("Table " + TableName + " is not in browse mode");
  if (keyValues.isEmpty()) throw DbError("FindKey needs a key value");
  const Column& col = meta_->columns[size_t(meta_->key)];
  const QVariant key = conv::Normalize(keyValues.first(), col.type, col.name);
  if (!key.isValid()) return false;
  auto page = Select("WHERE " + Ident(col.sqlName) + " = $1 LIMIT 1", {key});
  if (page->RowCount() == 0) return false;
  ShowPage(std::move(page), false);
  return true;
}

// ----- writing --------------------------------------------------------------------

void Table::SetFieldValue(int index, const QVariant& v) {
  if (state_ != State::Edit && state_ != State::Insert) DataSet::SetFieldValue(index, v);
  const Column& col = meta_->columns[size_t(index)];
  buffer_[size_t(index)] = conv::Normalize(v, col.type, col.name);
  changed_[size_t(index)] = true;
}

void Table::Edit() {
  RequireKey();
  if (state_ != State::Browse) throw DbError("Table " + TableName + " is not in browse mode");
  if (!HasCurrentRow()) throw DbError("Table " + TableName + ": no row to edit");
  const QVariant key = CurrentKey();
  const bool own = !db_->InTransaction();
  if (!own && PageHeldByUnit()) {
    // Read under the unit's hold and not written since: locking and reading
    // it again would change nothing.
    StartEdit(key, false);
    return;
  }
  // Locking the row: PostgreSQL locks it (waiting at most the session's lock
  // time); SQLite takes the database's write lock with BEGIN IMMEDIATE. The
  // row is read again under the lock, so a change another user posted
  // meanwhile is what this edit starts from.
  if (own) db_->StartTransaction();
  std::unique_ptr<RowSet> row;
  try {
    const QString lock = Conn().IsPostgres() ? " FOR UPDATE" : "";
    // Inside the caller's unit the lock request has a savepoint of its own:
    // a lock that cannot be had leaves the caller's unit usable.
    row = Run("SELECT * FROM " + meta_->table + " WHERE " + Ident(meta_->columns[size_t(meta_->key)].sqlName) +
                  " = $1" + lock,
              {key}, !own);
    if (row->RowCount() == 0) throw DbError("Record not found: it was removed by another user");
  } catch (...) {
    if (own) db_->Rollback();
    throw;
  }
  ShowPage(std::move(row), false);
  pageLocked_ = !own;  // in the caller's unit the lock stays until its end
  StartEdit(key, own);
}

// The row in Edit is the current row: its columns read as it has them until
// they are set.
void Table::StartEdit(const QVariant& key, bool ownTransaction) {
  ownTransaction_ = ownTransaction;
  txDb_ = db_->token_;
  editKey_ = key;
  buffer_.assign(meta_->columns.size(), QVariant());
  changed_.assign(meta_->columns.size(), false);
  editBuffer_ = &buffer_;
  editSet_ = &changed_;
  editOverRow_ = true;
  state_ = State::Edit;
}

void Table::Insert() {
  if (state_ != State::Browse) throw DbError("Table " + TableName + " is not in browse mode");
  buffer_.assign(meta_->columns.size(), QVariant());
  changed_.assign(meta_->columns.size(), false);
  editBuffer_ = &buffer_;
  editSet_ = &changed_;
  editOverRow_ = false;
  state_ = State::Insert;
}

void Table::Append() { Insert(); }

void Table::PostEdit() {
  QStringList sets;
  std::vector<QVariant> params;
  for (size_t c = 0; c < buffer_.size(); ++c) {
    if (!changed_[c]) continue;
    params.push_back(buffer_[c]);
    sets << Ident(meta_->columns[c].sqlName) + " = $" + QString::number(params.size());
  }
  params.push_back(editKey_);
  const QString where = " WHERE " + Ident(meta_->columns[size_t(meta_->key)].sqlName) + " = $" +
                        QString::number(params.size());
  const QString sql = sets.isEmpty() ? "SELECT * FROM " + meta_->table + where
                                     : "UPDATE " + meta_->table + " SET " + sets.join(", ") + where + " RETURNING *";
  // Under a savepoint (unless the unit is all-or-nothing): a failed post
  // keeps the row locked and the unit usable.
  auto row = Run(sql, params, true);
  if (row->RowCount() == 0) throw DbError("Record not found: it was removed by another user");
  if (ownTransaction_) {
    ownTransaction_ = false;
    try {
      db_->Commit();
    } catch (...) {
      EndEdit();  // the commit failed and rolled back: the change is gone
      throw;
    }
  }
  ShowPage(std::move(row), false);
  pageLocked_ = pageInUnit_;  // written by the unit: it holds the row
}

void Table::PostInsert() {
  QStringList cols, marks;
  std::vector<QVariant> params;
  for (size_t c = 0; c < buffer_.size(); ++c) {
    if (!changed_[c]) continue;  // untouched columns take their defaults
    params.push_back(buffer_[c]);
    cols << Ident(meta_->columns[c].sqlName);
    marks << "$" + QString::number(params.size());
  }
  const QString sql = cols.isEmpty() ? "INSERT INTO " + meta_->table + " DEFAULT VALUES RETURNING *"
                                     : "INSERT INTO " + meta_->table + " (" + cols.join(", ") + ") VALUES (" +
                                           marks.join(", ") + ") RETURNING *";
  auto row = Run(sql, params, true);
  ShowPage(std::move(row), meta_->key < 0);
  pageLocked_ = pageInUnit_;
}

void Table::Post() {
  if (state_ == State::Edit)
    PostEdit();
  else if (state_ == State::Insert)
    PostInsert();
  else
    throw DbError("Table " + TableName + " is not in edit or insert mode");
  EndEdit();
  if (AfterPost) AfterPost(*this);
}

void Table::EndEdit() {
  state_ = meta_ ? State::Browse : State::Inactive;
  editBuffer_ = nullptr;
  editSet_ = nullptr;
  buffer_.clear();
  changed_.clear();
  editKey_ = QVariant();
}

void Table::Cancel() {
  if (state_ != State::Edit && state_ != State::Insert) return;
  if (ownTransaction_) {
    ownTransaction_ = false;
    if (auto db = txDb_.lock()) (*db)->Rollback();  // releases the row lock
  }
  EndEdit();
}

// ----- several new rows in one statement ----------------------------------------------
// For saves that write many rows of one table at once (the sizes of a
// colour, the cells of a grid): one round trip instead of one per row, every
// value bound, the rows read back and logged as Post does.

void Table::InsertRows(int count, const std::function<void(int row)>& fill) {
  constexpr int kMaxParams = 30000;  // bound values per statement, well below either engine's limit
  if (state_ != State::Browse) throw DbError("Table " + TableName + " is not in browse mode");
  if (count <= 0) return;
  const size_t width = meta_->columns.size();
  std::vector<std::vector<QVariant>> values;
  std::vector<bool> set(width, false);
  values.reserve(size_t(count));
  for (int i = 0; i < count; ++i) {
    Insert();
    if (i > 0) {
      // A row starts as the one before it: fill sets what differs.
      buffer_ = values.back();
      changed_ = set;
    }
    try {
      fill(i);
    } catch (...) {
      EndEdit();
      throw;
    }
    // One column list serves every row: a column left out of one row would
    // be NULL there instead of taking its default.
    if (i == 0) set = changed_;
    const bool same = set == changed_;
    values.push_back(std::move(buffer_));  // EndEdit empties it anyway
    EndEdit();
    if (!same) throw DbError("Table " + TableName + ": the new rows set different fields");
  }
  std::vector<size_t> columns;
  for (size_t c = 0; c < width; ++c)
    if (set[c]) columns.push_back(c);
  if (columns.empty()) throw DbError("Table " + TableName + ": the new rows set no field");
  QStringList names;
  for (size_t c : columns) names << "\"" + QString(meta_->columns[c].sqlName).replace('"', "\"\"") + "\"";

  // The rows come back in any order on SQLite: the key puts them in the
  // order they were filled again.
  const bool keyed = meta_->key >= 0 && set[size_t(meta_->key)];
  std::vector<std::unique_ptr<RowSet>> results;
  const int perStatement = std::max(1, kMaxParams / int(columns.size()));
  // Inside a unit of work a failed statement is undone by its savepoint or
  // with the whole unit: SQLite need not keep a journal to undo this one
  // statement itself (it writes one to a file for a statement of many large
  // rows), so the rows a failed statement wrote are left for that rollback.
  // (An expression index still makes SQLite keep one: OpenSqlite keeps it
  // in memory.)
  const QString insert = !Conn().IsPostgres() && db_->InTransaction() ? "INSERT OR FAIL INTO " : "INSERT INTO ";
  for (int first = 0; first < count; first += perStatement) {
    const int last = std::min(count, first + perStatement);
    std::vector<QVariant> params;
    params.reserve(size_t(last - first) * columns.size());
    // "($1, $2, ...), (...)" written straight into one text: a colour's
    // sizes are a thousand and more marks.
    QString sql = insert + meta_->table + " (" + names.join(", ") + ") VALUES ";
    sql.reserve(sql.size() + qsizetype(params.capacity()) * 8 + 16);
    char mark[24];
    for (int r = first; r < last; ++r) {
      sql += r == first ? QLatin1String("(") : QLatin1String(", (");
      for (size_t k = 0; k < columns.size(); ++k) {
        params.push_back(values[size_t(r)][columns[k]]);
        mark[0] = '$';
        const auto end = std::to_chars(mark + 1, mark + sizeof mark, params.size()).ptr;
        if (k > 0) sql += QLatin1String(", ");
        sql += QLatin1String(mark, end - mark);
      }
      sql += QLatin1Char(')');
    }
    sql += QLatin1String(" RETURNING *");
    results.push_back(Run(sql, params, true));
  }

  for (int first = 0, part = 0; first < count; first += perStatement, ++part) {
    const int last = std::min(count, first + perStatement);
    ShowPage(std::move(results[size_t(part)]), meta_->key < 0);
    QHash<QString, int> rowOfKey;
    if (keyed)
      for (int r = 0; r < rows_->RowCount(); ++r) {
        cur_ = r;
        rowOfKey.insert(CurrentKey().toString(), r);
      }
    for (int r = first; r < last; ++r) {
      cur_ = keyed ? rowOfKey.value(values[size_t(r)][size_t(meta_->key)].toString(), r - first) : r - first;
      bof_ = eof_ = false;
      if (AfterPost) AfterPost(*this);
    }
  }
}

}  // namespace kdb
