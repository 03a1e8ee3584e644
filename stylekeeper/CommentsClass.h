#pragma once
// The two comments of a colour (root PLU), without a window: read from its
// first size row, and written to every size of the colour or of every colour
// of the style in one unit of work.
//
//   TCommentsClass comments;
//   comments.Load(*DMDB->DBQueryRemote1, "00000042");           // memos <- comments.Web, .POS
//   ...
//   comments.Save(db, table, query, TCommentsClass::Scope::Colour, web, pos);
//
// Several people edit one database at once: the save re-reads the loaded
// row under its lock and refuses (kdb::EditConflict, naming the comment)
// when another user changed a comment it would write since it was loaded.
// For one colour only the comments that were changed are written, so a
// change another user made to the other one is kept; for every colour both
// are written, as they are a copy of this colour's.
#include <QString>

#include "KvEditBaseline.h"

class TCommentsClass {
 public:
  static constexpr const char* kWebColumn = "COMMENTS";
  static constexpr const char* kPOSColumn = "POS_COMMENTS";
  static constexpr const char* kWebCaption = "Other Comments or Web Comments";
  static constexpr const char* kPOSCaption = "POS Comments or Add-On Sales Comments";

  enum class Scope { Colour, Style };

  // Reads the comments of the root PLU's first size (in PLU order); both are
  // empty when it has no row. Throws kdb::DbError when the query fails.
  void Load(kdb::Query& query, const QString& rootPLU);
  bool Loaded() const { return !rootPLU_.isEmpty(); }
  QString RootPLU() const { return rootPLU_; }

  QString Web;  // COMMENTS as loaded
  QString POS;  // POS_COMMENTS as loaded

  // Writes the shown comments in one unit of work and returns how many
  // product rows were written (0: nothing changed for one colour). Throws
  // kdb::EditConflict, or kdb::DbError when the colour is gone or a
  // statement fails; nothing is written then. Afterwards the written texts
  // are what the next save is checked against.
  int Save(kdb::Database& db, kdb::Table& table, kdb::Query& query, Scope scope, const QString& web,
           const QString& pos);

 private:
  QString rootPLU_;
  QString plu_;  // the row the comments were read from
  kdb::EditBaseline baseline_;
};
