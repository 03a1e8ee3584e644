#pragma once
// Several people edit one database at once. A window remembers what it
// loaded of a row (its baseline); on save it writes only the columns whose
// shown value differs from the loaded one, and only when the row, read again
// under the save's lock, still holds the loaded value in each of them. A
// column another session changed meanwhile is never overwritten unseen: the
// save is refused with EditConflict, which names the field as the user knows
// it. Columns the window did not change are left as the other session wrote
// them.
//
//   kdb::EditBaseline base;                       // when the row is shown
//   base.Capture(query, {"DESCRIPTION", "RETAIL_PRICE"});
//   base.SetCaption("RETAIL_PRICE", "Retail Price");
//   ...
//   kdb::Transaction tx(db);                      // on save
//   table.FindKey({plu}); table.Edit();           // row re-read under the lock
//   int n = base.Apply(table, {{"DESCRIPTION", edit->text()},
//                              {"RETAIL_PRICE", QVariant::fromValue(price)}});
//   table.Post(); tx.Commit();
//
// Values are compared as the column's type (money exactly, "" as NULL), so
// "12.50" shown for a stored 12.5 is no change.
#include <QMap>
#include <QString>
#include <QStringList>
#include <QVariant>

#include <utility>
#include <vector>

#include "KvDb.h"

namespace kdb {

class EditConflict : public DbError {
 public:
  EditConflict(const QString& field, const QString& caption);
  // The column's name, and the name the user knows it by.
  QString Field() const { return field_; }
  QString Caption() const { return caption_; }

 private:
  QString field_;
  QString caption_;
};

class EditBaseline {
 public:
  using Values = std::vector<std::pair<QString, QVariant>>;

  void Clear();
  bool IsEmpty() const { return loaded_.isEmpty(); }

  // Remembers the loaded value of a column (names ignore case).
  void Set(const QString& field, const QVariant& value);
  // Remembers the current row's value of each named field of the data set.
  void Capture(DataSet& row, const QStringList& fields);
  // The named fields of a data set, looked up once, for capturing many of
  // its rows (the sizes of a colour) without a look-up per row and field.
  class Fields {
   public:
    Fields(DataSet& rows, const QStringList& names);

   private:
    friend class EditBaseline;
    std::vector<std::pair<QString, Field*>> fields_;  // upper-case name, in order; the field
  };
  void Capture(const Fields& fields);
  // The name shown in the conflict message; the field's own name otherwise.
  void SetCaption(const QString& field, const QString& caption);
  QString Caption(const QString& field) const;

  bool Has(const QString& field) const;
  QVariant Value(const QString& field) const;

  // The window's values that differ from the baseline, compared as the
  // table's column types (the table must be open). A field without a
  // baseline counts as changed.
  Values Changed(DataSet& table, const Values& shown) const;

  // With the table in Edit (the row read under the lock): every shown value
  // that differs from the baseline is checked against the stored value and
  // set. Throws EditConflict (setting nothing) when a stored value no longer
  // equals the baseline. Returns how many fields were set; 0 means nothing
  // to write. Afterwards the baseline holds the written values, so a second
  // save from the same window is checked against what this one wrote.
  int Apply(DataSet& table, const Values& shown);

  // True when both values are the same as the column's type holds them.
  static bool Same(const QVariant& a, const QVariant& b, FieldType type, const QString& field);

 private:
  QMap<QString, QVariant> loaded_;    // upper-case field name -> value
  QMap<QString, QString> captions_;
};

}  // namespace kdb
