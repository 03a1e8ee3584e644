// TDMDB: root PLUs numbered by season and sub-department.
#include "DataModF.h"

namespace {

constexpr int kRootPLULength = 8;
constexpr int kSerialDigits = 5;
constexpr int kCandidates = 10;

bool IsAsciiAlnum(QChar c) {
  return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9');
}

QString CodeChars(const QString& extra, int count) {
  QString code = (extra.left(count) + QString(count, '0')).left(count);
  for (QChar& c : code)
    if (!IsAsciiAlnum(c)) c = '0';
  return code;
}

bool IsHex(const QString& text) {
  if (text.isEmpty()) return false;
  for (QChar c : text)
    if (!IsAsciiAlnum(c) || c.toUpper() > 'F') return false;
  return true;
}

// The first column of a one-row lookup; "" when no row.
QString FirstValue(TDMDB& m, const QString& statement, kdb::Query* query) {
  if (!m.RunQuery(statement, query)) throw kdb::DbError("The statement failed: " + statement);
  return query->RecordCount() > 0 ? query->Fields(0).AsString() : QString();
}

}  // namespace

QString TDMDB::GetSeasonExtra(const QString& seasonId, kdb::Query* query) {
  return FirstValue(*this, "select extra from parameters where type = 'SEASON' and id = " +
                               kdb::sql::Int(seasonId), query);
}

QString TDMDB::GetSubDeptExtra(const QString& subDeptId, kdb::Query* query) {
  return FirstValue(*this, "select extra from parameters where type = 'SUBDEPARTMENT' and id = " +
                               kdb::sql::Int(subDeptId), query);
}

QString TDMDB::MakeRootPLUPrefix(const QString& seasonExtra, const QString& subDeptExtra) {
  return CodeChars(seasonExtra, 1) + CodeChars(subDeptExtra, 2);
}

QString TDMDB::GetLastRootPLUSuffix(const QString& prefix, kdb::Query* query) {
  // The prefix goes into a LIKE pattern: its own % and _ must match themselves.
  const QString statement =
      "select root_plu from products where root_plu like " +
      kdb::sql::Like(kdb::sql::LikeEscape(prefix, kdb::sql::Wildcards::Escape) + "%") +
      " order by root_plu desc LIMIT 1";
  // Its failure restarts the serial (the caller logs it): it must not spoil
  // the save it runs in.
  if (!RunLookUp(statement, query)) throw kdb::DbError("The statement failed: " + statement);
  if (query->RecordCount() == 0) return "0";
  return query->FieldByName("root_plu").AsString().mid(prefix.length());
}

bool TDMDB::RootPLUIsFree(const QString& rootPLU, kdb::Query* query) {
  // A failed look-up proves nothing: the root PLU counts as taken, and the
  // save it runs in goes on with the next candidate.
  return RunLookUp("select ID from products where root_plu = " + kdb::sql::Quote(rootPLU), query) &&
         query->RecordCount() == 0;
}

QString TDMDB::BRGetSeasonSubDeptRootPLU(const QString& seasonId, const QString& subDeptId) {
  const QString seasonExtra = GetSeasonExtra(seasonId, DBQueryRemote3);
  const QString subDeptExtra = GetSubDeptExtra(subDeptId, DBQueryRemote3);
  const QString prefix = MakeRootPLUPrefix(seasonExtra, subDeptExtra);

  qint64 next = 0;
  try {
    const QString tail = GetLastRootPLUSuffix(prefix, DBQueryRemote3);
    bool ok = IsHex(tail) && tail.size() <= 15;
    const qint64 last = ok ? tail.toLongLong(&ok, 16) : 0;
    if (!ok) throw kdb::DbError("'" + tail + "' is not a valid hexadecimal value");
    next = last + 1;
  } catch (const std::exception& e) {
    LogException(e, "TDMDB::BRGetSeasonSubDeptRootPLU");
    next = 0;
  }

  for (int i = 0; i < kCandidates; ++i) {
    const QString candidate =
        prefix + QString::number(next + i, 16).toUpper().rightJustified(kSerialDigits, '0');
    // Past FFFFF the serial needs a sixth digit: such a root PLU cannot be
    // stored, so the prefix has no free root PLU left.
    if (candidate.size() > kRootPLULength) return QString();
    if (RootPLUIsFree(candidate, DBQueryRemote3)) return candidate;
  }
  return QString();
}
