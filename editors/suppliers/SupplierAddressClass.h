#pragma once
// The three ADDRESSES rows of a supplier, without a window: the main address
// with the supplier's terms ("SUPPLIER"), the agent ("SUPPLIER AGENT") and the
// returns address ("SUPPLIER RETURN"), each found by the supplier's id in
// PARENT_ID and its TYPE. Rows are never removed; should a supplier have two
// rows of one TYPE (left by older programs), the one with the lowest ID is
// the supplier's, for reading and writing alike.
//
//   TSupplierAddressClass rows;
//   rows.Load(*DMDB->DBQueryRemote1, id);              // when the supplier is shown
//   QString street = rows.Value(TSupplierAddressClass::Main, "STREET").toString();
//   ...
//   rows.Write(q, table, id, {main, agent, ret});      // inside the save's transaction
#include <QString>
#include <QStringList>
#include <QVariant>

#include <array>

#include "KvEditBaseline.h"

class TSupplierAddressClass {
 public:
  enum Kind { Main = 0, Agent = 1, Return = 2 };
  static constexpr int kKinds = 3;
  using RowValues = std::array<kdb::EditBaseline::Values, kKinds>;

  // "SUPPLIER", "SUPPLIER AGENT", "SUPPLIER RETURN".
  static QString Type(int kind);
  // The columns this editor keeps in a row of the kind.
  static QStringList Columns(int kind);

  // Nothing loaded: a new supplier, whose rows are written whole.
  void Clear();
  // Reads the supplier's three rows in one statement; a missing row reads as
  // empty values. Throws kdb::DbError when the statement fails.
  void Load(kdb::Query& query, qint64 supplierId);
  // Whether the load found a row of the kind.
  bool Found(int kind) const { return found_[size_t(kind)]; }
  // A column's loaded value (invalid when nothing was loaded).
  QVariant Value(int kind, const QString& column) const;
  // The name the user knows a column by, for the message of a change made
  // by another user meanwhile.
  void SetCaption(int kind, const QString& column, const QString& caption);

  // The ID of the supplier's row of the kind, 0 when there is none. Throws
  // kdb::DbError when the statement fails.
  static qint64 FindAddressRow(kdb::Query& query, qint64 supplierId, int kind);

  // Writes the three rows in TYPE order, inside the caller's transaction and
  // after its lock: a row found is edited with only the values that differ
  // from the load, and refused (kdb::EditConflict, naming the field) where
  // another user changed one of them since; a row not found is appended
  // with PARENT_ID and TYPE. The loaded values stay as they were, so a save
  // that does not commit can be tried again against them.
  void Write(kdb::Query& query, kdb::Table& table, qint64 supplierId, const RowValues& values) const;

 private:
  std::array<kdb::EditBaseline, kKinds> rows_;
  std::array<bool, kKinds> found_{};
};
