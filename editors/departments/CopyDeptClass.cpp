#include "CopyDeptClass.h"

#include <QStringList>

#include "CodeListSaveClass.h"
#include "DataModF.h"
#include "KvTransaction.h"

namespace {

constexpr const char* kCreateDeptWhere = "TFormCopyDept::d_CreateDept";
constexpr const char* kCreateSubDeptWhere = "TFormCopyDept::d_CreateSubDept";

void Run(const QString& statement, kdb::Query* query) {
  if (!DMDB->RunQuery(statement, query)) throw kdb::DbError(DMDB->LastError);
}

// The columns a copy takes from its source row, NULL staying NULL.
kdb::EditBaseline::Values CopiedColumns(kdb::Query& source) {
  kdb::EditBaseline::Values values;
  for (const char* column : {"NAME", "TYPE", "RATE", "EXTRA"})
    values.emplace_back(column, source.FieldByName(column).Value());
  const kdb::Field& money = source.FieldByName("VALUE");
  values.emplace_back("VALUE", money.IsNull() ? QVariant() : QVariant::fromValue(money.AsCurrency()));
  return values;
}

qint64 Append(kdb::EditBaseline::Values values, qint64 parentId, const QString& parentName) {
  values.emplace_back("PARENT_ID", parentId);
  values.emplace_back("PARENT_NAME", parentName);
  kdb::EditBaseline none;
  return TCodeListSaveClass::WriteRow(*DMDB->DBTableR1, "PARAMETERS", 0, none, values, QString());
}

QString Count(int n, const char* one, const char* many) {
  return QString::number(n) + " " + (n == 1 ? one : many);
}

}  // namespace

TCopyDeptClass::Result TCopyDeptClass::CopyDepartments(const std::vector<Department>& departments,
                                                       const QString& destCategoryId,
                                                       const QString& destCategoryName, bool withSubDepartments,
                                                       const Progress& progress) {
  const QString dest = kdb::sql::Int(destCategoryId);
  Result r;
  kdb::Database& db = *DMDB->DBDatabaseRemote;
  kdb::Transaction tx(db);
  TCodeListSaveClass::LockTable(db, "PARAMETERS");
  for (const Department& d : departments) {
    if (progress) progress(d);
    CopyOne(d, dest, destCategoryName, withSubDepartments, r);
  }
  tx.Commit();
  return r;
}

void TCopyDeptClass::CopyOne(const Department& d, const QString& destCategoryId, const QString& destCategoryName,
                             bool withSubDepartments, Result& r) {
  kdb::Database& db = *DMDB->DBDatabaseRemote;
  kdb::Query& source = *DMDB->DBQueryRemote1;
  kdb::Transaction unit(db);
  qint64 newId = 0;
  QString name;
  try {
    Run("select * from parameters where type = 'DEPARTMENT' and id = " + kdb::sql::Int(d.id), &source);
    if (source.RecordCount() == 0) throw kdb::DbError("The department " + d.name + " is no longer there.");
    // The name as stored now, which is the name the copy gets.
    name = source.FieldByName("NAME").AsString();
    if (TCodeListSaveClass::Exists(*DMDB->DBQueryRemote3,
                                   "select id from parameters where type = 'DEPARTMENT' and parent_id = " +
                                       destCategoryId + " and name = " + kdb::sql::Quote(name))) {
      ++r.skipped;
      return;  // with its sub-departments
    }
    newId = d_CreateDept(source, destCategoryId, destCategoryName);
  } catch (const std::exception& e) {
    // Its sub-departments have no department to hang under: none is written.
    unit.Rollback();
    DMDB->LogException(e, kCreateDeptWhere);
    ++r.failed;
    return;
  }
  if (withSubDepartments) {
    kdb::Query& subs = *DMDB->DBQueryRemote2;
    try {
      Run("select * from parameters where type = 'SUBDEPARTMENT' and parent_id = " + kdb::sql::Int(d.id) +
              " order by id",
          &subs);
    } catch (const std::exception& e) {
      // Without its sub-departments the copy would look whole and be not.
      unit.Rollback();
      DMDB->LogException(e, kCreateSubDeptWhere);
      ++r.failed;
      return;
    }
    for (subs.First(); !subs.Eof(); subs.Next()) {
      kdb::Transaction one(db);
      try {
        d_CreateSubDept(subs, newId, name);
        one.Commit();
        ++r.subCopied;
      } catch (const std::exception& e) {
        one.Rollback();
        DMDB->LogException(e, kCreateSubDeptWhere);
        ++r.subFailed;
      }
    }
  }
  unit.Commit();
  ++r.copied;
}

qint64 TCopyDeptClass::d_CreateDept(kdb::Query& source, const QString& destCategoryId,
                                    const QString& destCategoryName) {
  return Append(CopiedColumns(source), kdb::sql::Int(destCategoryId).toLongLong(), destCategoryName);
}

qint64 TCopyDeptClass::d_CreateSubDept(kdb::Query& source, qint64 departmentId, const QString& departmentName) {
  return Append(CopiedColumns(source), departmentId, departmentName);
}

QString TCopyDeptClass::ClosingMessage(const Result& result) {
  if (result.failed == 0 && result.subFailed == 0) return kCopied;
  QStringList parts;
  if (result.failed) parts << Count(result.failed, "department", "departments");
  if (result.subFailed) parts << Count(result.subFailed, "sub-department", "sub-departments");
  return "Error: " + parts.join(" and ") + " could not be copied. The others have been copied.";
}
