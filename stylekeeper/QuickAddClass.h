#pragma once
// A new entry of a code list (a PARAMETERS row) made from a name alone,
// without a window: the quick-add of the style editor's "+" buttons.
//
//   const int id = TQuickAddClass::AddEntry("DEPARTMENT", "KNITWEAR", "MENSWEAR", "12");
//
// The entry is refused as the code-list editors refuse it: the name is looked
// for again inside the save's unit of work, after the lock on PARAMETERS, so
// two people adding the same name at the same moment make one entry.
#include <QString>

#include <functional>

#include "KvDb.h"

class TQuickAddClass {
 public:
  // The list already has an entry of that name; nothing was written.
  class Duplicate : public kdb::DbError {
   public:
    using kdb::DbError::DbError;
  };

  // Writes NAME, TYPE, RATE 0 and VALUE 0, and PARENT_ID with PARENT_NAME
  // when parentId is not empty (TDMBRules::SaveParam), then runs afterSave
  // with the new ID inside the same unit of work. Returns the new ID. Throws
  // Duplicate, or kdb::DbError when anything fails; nothing stays written.
  static int AddEntry(const QString& type, const QString& name, const QString& parentName,
                      const QString& parentId, const std::function<void(int id)>& afterSave = {});
  // A new COLOUR row with NAME, TYPE and a random display colour in RATE,
  // drawn once the name is known to be new. As AddEntry otherwise.
  static int AddColour(const QString& name);

  // A new colour's display colour (0x00BBGGRR): the C library's
  // pseudo-random number modulo 16777215.
  static quint32 RandomColour();

 private:
  static int Add(const QString& type, const QString& name, const QString& parentName, const QString& parentId,
                 const std::function<float()>& rate, const std::function<void(int id)>& afterSave);
};
