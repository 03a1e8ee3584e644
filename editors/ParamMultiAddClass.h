#pragma once
// Several new entries of a parameter list at once (brands, categories, the
// departments of one category), without a window: the lines typed into the
// multi-add dialog turned into entries, and their save.
//
//   QStringList entries = TParamMultiAddClass::Entries(memo lines);
//   auto r = TParamMultiAddClass::Save(db, entries,
//       [&](const QString& name) { return nameTaken(name); },   // under the lock
//       [&](const QString& name) { writeNewRow(name); },
//       "TForm1::SaveMultiAdd");
//   if (r.failed) tell the user TParamMultiAddClass::FailedMessage(r);
//
// Entries: every line split at its commas, each piece without quotes, in
// capitals and trimmed; empty pieces dropped. Repeats stay: the save skips a
// name the list already holds, so the second of two equal entries finds the
// first and the name is saved once.
//
// The save is one transaction that starts with the lock on PARAMETERS, so
// each name's check and its row are one step among all savers: two people
// adding the same name at once save it once. An entry whose check or row
// fails is rolled back alone (a savepoint), logged under `where` and
// counted; the others go on and are committed together.
#include <QString>
#include <QStringList>

#include <functional>

namespace kdb {
class Database;
}

class TParamMultiAddClass {
 public:
  // The longest name a code-list editor takes.
  static constexpr int kNameLength = 30;

  static QStringList Entries(const QStringList& lines);
  // The entries longer than a name may be, in their order.
  static QStringList TooLong(const QStringList& entries, int length = kNameLength);

  struct Result {
    int saved = 0;
    int skipped = 0;  // empty, or the list has the name already
    int failed = 0;   // logged
  };
  // True when the list holds the name; throws when that cannot be told.
  using Exists = std::function<bool(const QString& name)>;
  // Writes the new row of the name; throws on failure.
  using Write = std::function<void(const QString& name)>;

  // Throws kdb::DbError when the transaction or its lock cannot be had, or
  // the commit fails: nothing is then saved.
  static Result Save(kdb::Database& db, const QStringList& entries, const Exists& exists, const Write& write,
                     const QString& where);

  // The message of a run in which entries failed ("" when none did).
  static QString FailedMessage(const Result& result);
};
