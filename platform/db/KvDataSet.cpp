// Data sets (rows with a current row), their fields, and queries.

#include "Connection.h"

#include <algorithm>
#include <utility>

namespace kdb {

const SharedColumns& NoColumns() {
  static const SharedColumns none = std::make_shared<const ColumnList>();
  return none;
}

// Reads the current value of a field for Field's getters.
struct DataSetAccess {
  // The rows to read from directly, when no edit buffer stands in between.
  static const RowSet* Browsing(const DataSet* ds) {
    return !ds->editBuffer_ && ds->HasCurrentRow() ? ds->rows_.get() : nullptr;
  }
  static int Row(const DataSet* ds) { return ds->cur_; }
  static Cell Read(const DataSet* ds, int index, std::string& scratch) {
    return ds->CurrentCell(index, scratch);
  }
  // Rows being browsed are read in place; the scratch text is only needed
  // for a value in the edit buffer.
  static Cell Current(const DataSet* ds, int index, std::string& scratch) {
    if (const RowSet* rows = Browsing(ds)) return rows->Get(Row(ds), index);
    return Read(ds, index, scratch);
  }
};

// ----- Field ----------------------------------------------------------------------

Field::Field(DataSet* owner, int index, QString name, FieldType type)
    : owner_(owner), index_(index), name_(std::move(name)), type_(type) {}

#define KDB_FIELD_GETTER(Result, Name, Conv)                                 \
  Result Field::Name() const {                                               \
    std::string scratch;                                                     \
    return Conv(DataSetAccess::Current(owner_, index_, scratch), type_);     \
  }
namespace {
bool CellIsNull(const Cell& c, FieldType) { return c.kind == Cell::Null; }
}  // namespace
KDB_FIELD_GETTER(bool, IsNull, CellIsNull)
KDB_FIELD_GETTER(QString, AsString, conv::ToText)
KDB_FIELD_GETTER(qint64, AsInteger, conv::ToInt)
KDB_FIELD_GETTER(double, AsFloat, conv::ToFloat)
KDB_FIELD_GETTER(Currency, AsCurrency, conv::ToMoney)
KDB_FIELD_GETTER(bool, AsBoolean, conv::ToBool)
KDB_FIELD_GETTER(QDateTime, AsDateTime, conv::ToDateTime)
#undef KDB_FIELD_GETTER

namespace {
// Text as ToText gives it, into a buffer the caller keeps. A value equal to
// what the buffer holds (a name repeated from the row before) is left as it
// is: neither decoded nor allocated, and the rows that show it share one
// string. Other plain ASCII text (a PLU, a code) is copied into the buffer,
// from the first character that differs (PLUs read in order share most of
// theirs with the row before).
void TextInto(const Cell& c, FieldType t, QString& text) {
  if (c.kind != Cell::Text || (t != FieldType::Text && t != FieldType::Unknown)) {
    text = conv::ToText(c, t);
    return;
  }
  const auto* bytes = reinterpret_cast<const unsigned char*>(c.s);
  const int n = c.len;
  // The ASCII characters the buffer holds already, compared as they stand.
  int same = 0;
  if (text.size() == n) {
    const char16_t* have = reinterpret_cast<const char16_t*>(text.constData());
    while (same < n && bytes[same] < 0x80 && have[same] == bytes[same]) ++same;
    if (same == n) return;
  }
  int ascii = same;
  while (ascii < n && bytes[ascii] < 0x80) ++ascii;
  if (ascii < n) {  // beyond ASCII: compared and decoded as UTF-8
    if (!QAnyStringView::equal(text, QUtf8StringView(c.s, n))) text = QString::fromUtf8(c.s, n);
    return;
  }
  text.resize(n);
  char16_t* out = reinterpret_cast<char16_t*>(text.data());  // a buffer shared with a copy is detached first
  for (int i = same; i < n; ++i) out[i] = bytes[i];
}
}  // namespace

void Field::AsStringInto(QString& text) const {
  std::string scratch;
  TextInto(DataSetAccess::Current(owner_, index_, scratch), type_, text);
}

void Field::AppendUtf8(QByteArray& out) const {
  std::string scratch;
  const Cell c = DataSetAccess::Current(owner_, index_, scratch);
  if (c.kind == Cell::Null) return;
  if (c.kind == Cell::Text && (type_ == FieldType::Text || type_ == FieldType::Unknown)) {
    // ASCII as it is; other bytes through the text AsString gives (a byte
    // that is no UTF-8 turns into the replacement character there too).
    const auto* bytes = reinterpret_cast<const unsigned char*>(c.s);
    int i = 0;
    while (i < c.len && bytes[i] < 0x80) ++i;
    if (i == c.len) {
      out.append(c.s, c.len);
      return;
    }
  } else if (c.kind == Cell::Int && type_ != FieldType::Money && type_ != FieldType::Boolean) {
    out += QByteArray::number(c.i);
    return;
  }
  out += conv::ToText(c, type_).toUtf8();
}

QUtf8StringView Field::AsUtf8(QByteArray& scratch) const {
  if (const RowSet* rows = DataSetAccess::Browsing(owner_)) {
    const Cell c = rows->Get(DataSetAccess::Row(owner_), index_);
    if (c.kind == Cell::Text && (type_ == FieldType::Text || type_ == FieldType::Unknown)) return {c.s, c.len};
    scratch = conv::ToText(c, type_).toUtf8();
    return scratch;
  }
  std::string engineScratch;  // the edit buffer's text lives only as long as this
  scratch = conv::ToText(DataSetAccess::Read(owner_, index_, engineScratch), type_).toUtf8();
  return scratch;
}

QVariant Field::Value() const {
  std::string scratch;
  QVariant v = conv::ToValue(DataSetAccess::Read(owner_, index_, scratch), type_);
  // Money leaves as a number every QVariant user understands; AsCurrency
  // is the exact way.
  if (v.metaType() == QMetaType::fromType<Currency>()) return v.value<Currency>().ToDouble();
  return v;
}

void Field::SetAsString(const QString& v) { owner_->SetFieldValue(index_, v); }
void Field::SetAsInteger(qint64 v) { owner_->SetFieldValue(index_, QVariant::fromValue(v)); }
void Field::SetAsFloat(double v) { owner_->SetFieldValue(index_, v); }
void Field::SetAsCurrency(Currency v) { owner_->SetFieldValue(index_, QVariant::fromValue(v)); }
void Field::SetAsBoolean(bool v) { owner_->SetFieldValue(index_, v); }
void Field::SetAsDateTime(const QDateTime& v) { owner_->SetFieldValue(index_, v); }
void Field::SetValue(const QVariant& v) { owner_->SetFieldValue(index_, v); }
void Field::Clear() { owner_->SetFieldValue(index_, QVariant()); }

// ----- DataSet --------------------------------------------------------------------

DataSet::DataSet(Database* db) : db_(db) {}
DataSet::~DataSet() = default;

bool DataSet::Active() const { return rows_ != nullptr; }

void DataSet::Close() { ClearRows(); }

void DataSet::ClearRows() {
  rows_.reset();
  fields_.clear();
  index_.clear();
  cur_ = 0;
  eof_ = bof_ = true;
}

int DataSet::RecordCount() const { return rows_ ? rows_->RowCount() : 0; }

int DataSet::RecNo() const { return HasCurrentRow() ? cur_ + 1 : 0; }

void DataSet::First() {
  cur_ = 0;
  bof_ = true;
  eof_ = RecordCount() == 0;
}

void DataSet::Next() {
  if (rows_ && cur_ + 1 < rows_->RowCount()) {
    ++cur_;
    bof_ = false;
  } else {
    eof_ = true;
  }
}

void DataSet::Prior() {
  if (cur_ > 0 && HasCurrentRow()) {
    --cur_;
    eof_ = false;
  } else {
    bof_ = true;
  }
}

void DataSet::Last() {
  const int n = RecordCount();
  cur_ = n > 0 ? n - 1 : 0;
  eof_ = true;
  bof_ = n == 0;
}

void DataSet::FieldIndexError(int index) {
  throw DbError(QString("Field index %1 out of range").arg(index));
}

namespace {
bool NameLess(const std::pair<QString, int>& a, const QString& name) {
  return QString::compare(a.first, name, Qt::CaseInsensitive) < 0;
}
}  // namespace

Field* DataSet::FindField(const QString& name) {
  auto it = std::lower_bound(index_.begin(), index_.end(), name, NameLess);
  if (it == index_.end() || QString::compare(it->first, name, Qt::CaseInsensitive) != 0) return nullptr;
  return fields_[size_t(it->second)].get();
}

Field& DataSet::FieldByName(const QString& name) {
  if (Field* f = FindField(name)) return *f;
  throw DbError("Field '" + name + "' not found");
}

void DataSet::BindFields() {
  if (rows_) BindFields(*rows_);
}

void DataSet::BindFields(const RowSet& columns) {
  fields_.clear();
  index_.clear();
  for (int c = 0; c < columns.ColumnCount(); ++c) {
    const Column& col = columns.Col(c);
    fields_.push_back(std::unique_ptr<Field>(new Field(this, c, col.name, col.type)));
    fields_.back()->sqlName_ = col.sqlName;
    index_.emplace_back(col.name, c);
  }
  // Sorted once, searched without building upper-case copies of the name.
  std::stable_sort(index_.begin(), index_.end(), [](const auto& a, const auto& b) {
    return QString::compare(a.first, b.first, Qt::CaseInsensitive) < 0;
  });
}

Cell DataSet::CurrentCell(int index, std::string& scratch) const {
  if (editBuffer_) {
    const auto i = size_t(index);
    if ((*editSet_)[i]) return conv::FromValue((*editBuffer_)[i], scratch);
    if (!editOverRow_) return Cell();
  }
  return HasCurrentRow() ? rows_->Get(cur_, index) : Cell();
}

void DataSet::SetFieldValue(int, const QVariant&) {
  throw DbError("Dataset not in edit or insert mode");
}

// ----- Query ----------------------------------------------------------------------

void Query::Close() {
  DataSet::Close();
  rowsAffected_ = 0;
}

void Query::ExecSQL() {
  if (!db_ || !db_->Handle()) throw DbError("Query: the database is not connected");
  // Refused before anything changes: the running statement may be this
  // query's own, and its rows are not yet in place.
  if (db_->Busy()) throw DbError("Another statement is still running on this connection; the new one was not started");
  Close();
  Statement st{SQL, std::exchange(Params, {}), OnQueryProgress ? &OnQueryProgress : nullptr, MaxRowCount};
  auto rows = db_->Run(st, &rowsAffected_, false);
  if (rows->ColumnCount() == 0) return;  // no result set: UPDATE, DDL ...
  rows_ = std::move(rows);
  BindFields();
  First();
}

}  // namespace kdb
