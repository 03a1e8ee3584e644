#include "KvEditBaseline.h"

#include <algorithm>

#include "Connection.h"

namespace kdb {

EditConflict::EditConflict(const QString& field, const QString& caption)
    : DbError(caption + " was changed by another user since it was loaded. "
                        "Please reload and make your change again."),
      field_(field),
      caption_(caption) {}

void EditBaseline::Clear() {
  loaded_.clear();
  captions_.clear();
}

void EditBaseline::Set(const QString& field, const QVariant& value) { loaded_.insert(field.toUpper(), value); }

void EditBaseline::Capture(DataSet& row, const QStringList& fields) { Capture(Fields(row, fields)); }

EditBaseline::Fields::Fields(DataSet& rows, const QStringList& names) {
  for (const QString& name : names) fields_.emplace_back(name.toUpper(), &rows.FieldByName(name));
  // In the map's order, so each value goes in at its end without a search.
  std::stable_sort(fields_.begin(), fields_.end(), [](const auto& a, const auto& b) { return a.first < b.first; });
}

void EditBaseline::Capture(const Fields& fields) {
  for (const auto& [name, fld] : fields.fields_)
    // Money is kept exactly; Value() hands it out as a double.
    loaded_.insert(loaded_.cend(), name,
                   fld->DataType() == FieldType::Money && !fld->IsNull() ? QVariant::fromValue(fld->AsCurrency())
                                                                         : fld->Value());
}

void EditBaseline::SetCaption(const QString& field, const QString& caption) {
  captions_.insert(field.toUpper(), caption);
}

QString EditBaseline::Caption(const QString& field) const {
  return captions_.value(field.toUpper(), field);
}

bool EditBaseline::Has(const QString& field) const { return loaded_.contains(field.toUpper()); }

QVariant EditBaseline::Value(const QString& field) const { return loaded_.value(field.toUpper()); }

namespace {

// Both values as cells of the column's type.
int Compare(const QVariant& na, const QVariant& nb) {
  std::string sa, sb;
  const Cell a = conv::FromValue(na, sa);
  const Cell b = conv::FromValue(nb, sb);
  if (a.kind == Cell::Null || b.kind == Cell::Null) return a.kind == b.kind ? 0 : 1;
  if (a.kind == Cell::Text || b.kind == Cell::Text)
    return a.kind == b.kind && std::string_view(a.s, size_t(a.len)) == std::string_view(b.s, size_t(b.len)) ? 0 : 1;
  if (a.kind == Cell::Real || b.kind == Cell::Real) {
    const double x = a.kind == Cell::Real ? a.d : a.kind == Cell::Money ? double(a.i) / 10000.0 : double(a.i);
    const double y = b.kind == Cell::Real ? b.d : b.kind == Cell::Money ? double(b.i) / 10000.0 : double(b.i);
    return x == y ? 0 : 1;
  }
  if (a.kind == b.kind) return a.i == b.i ? 0 : 1;
  // Money against a whole number.
  const qint64 x = a.kind == Cell::Money ? a.i : a.i * 10000;
  const qint64 y = b.kind == Cell::Money ? b.i : b.i * 10000;
  return x == y ? 0 : 1;
}

// Money travels as Currency; a double read back from a money field is
// turned into money before it is compared.
QVariant AsColumn(const QVariant& v, FieldType type, const QString& field) {
  if (type == FieldType::Money && v.isValid() && !v.isNull() &&
      (v.metaType() == QMetaType::fromType<double>() || v.metaType() == QMetaType::fromType<float>()))
    return QVariant::fromValue(Currency::FromDouble(v.toDouble()));
  return conv::Normalize(v, type, field);
}

}  // namespace

bool EditBaseline::Same(const QVariant& a, const QVariant& b, FieldType type, const QString& field) {
  return Compare(AsColumn(a, type, field), AsColumn(b, type, field)) == 0;
}

EditBaseline::Values EditBaseline::Changed(DataSet& table, const Values& shown) const {
  Values out;
  for (const auto& [field, value] : shown) {
    const Field& f = table.FieldByName(field);
    if (!Has(field) || !Same(Value(field), value, f.DataType(), field)) out.emplace_back(field, value);
  }
  return out;
}

int EditBaseline::Apply(DataSet& table, const Values& shown) {
  const Values changed = Changed(table, shown);
  // Every check first: a refused save sets nothing.
  for (const auto& [field, value] : changed) {
    if (!Has(field)) continue;
    Field& f = table.FieldByName(field);
    const QVariant stored =
        f.DataType() == FieldType::Money && !f.IsNull() ? QVariant::fromValue(f.AsCurrency()) : f.Value();
    if (!Same(stored, Value(field), f.DataType(), field)) throw EditConflict(f.FieldName(), Caption(field));
  }
  for (const auto& [field, value] : changed) {
    table.FieldByName(field).SetValue(value);
    Set(field, value);
  }
  return int(changed.size());
}

}  // namespace kdb
