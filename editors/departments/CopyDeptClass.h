#pragma once
// The copy of chosen departments of one category, optionally with their
// sub-departments, into another category, without a window.
//
//   TCopyDeptClass copy;
//   TCopyDeptClass::Result r = copy.CopyDepartments({{"12", "DRESSES"}, ...}, "7", "MENSWEAR", true,
//                                                   [](const auto& d) { show "Copying " + d.name; });
//   tell the user TCopyDeptClass::ClosingMessage(r);
//
// Each new row takes NAME, TYPE, RATE, EXTRA and VALUE from its source row; a
// department hangs under the destination category (its id and name), a
// sub-department under the department just made (its id and name). A
// department whose name the destination already holds is skipped with its
// sub-departments.
//
// The copy is one transaction that starts with the lock on PARAMETERS, so
// the destination's names are checked after the lock and two people copying
// at once cannot make a name twice. Each department with its sub-departments
// is a unit of its own within it (a savepoint): a department that cannot be
// written is undone, logged and counted, and its sub-departments are not
// written at all (never under another department); a sub-department that
// cannot be written is undone alone, and the others go on.
#include <QString>

#include <functional>
#include <vector>

namespace kdb {
class Query;
}

class TCopyDeptClass {
 public:
  static constexpr const char* kCopied = "Selected departments copied.";

  // A department to copy: the value and name parts of its list item.
  struct Department {
    QString id;
    QString name;
  };

  struct Result {
    int copied = 0;        // departments written
    int skipped = 0;       // the destination had the name
    int failed = 0;        // departments not written (their sub-departments neither)
    int subCopied = 0;
    int subFailed = 0;
  };

  // Told of each department before it is copied.
  using Progress = std::function<void(const Department& department)>;

  // Throws kdb::DbError when the transaction, its lock or its commit fails:
  // nothing is then copied.
  Result CopyDepartments(const std::vector<Department>& departments, const QString& destCategoryId,
                         const QString& destCategoryName, bool withSubDepartments, const Progress& progress = {});

  // A new department from the source row the query stands on; returns its id.
  qint64 d_CreateDept(kdb::Query& source, const QString& destCategoryId, const QString& destCategoryName);
  // A new sub-department from the source row the query stands on.
  qint64 d_CreateSubDept(kdb::Query& source, qint64 departmentId, const QString& departmentName);

  // "Selected departments copied." when nothing failed; otherwise an error
  // that says how many departments and sub-departments were not copied.
  static QString ClosingMessage(const Result& result);

 private:
  void CopyOne(const Department& d, const QString& destCategoryId, const QString& destCategoryName,
               bool withSubDepartments, Result& r);
};
