// TDMDB: the user handed over by the launcher, the log-in and the security check.
#include "DataModF.h"

#include "Files.h"

#include <QFile>

namespace {

// The hand-over file is a plain list of lines, each ended by CR LF.
QStringList ReadLines(const QString& path) {
  QFile file(path);
  if (!file.open(QIODevice::ReadOnly))
    throw kdb::DbError("Cannot open file \"" + path + "\". " + file.errorString());
  QString text = QString::fromUtf8(file.readAll());
  // An empty file holds no line at all, not one empty line.
  if (text.isEmpty()) return {};
  text.replace("\r\n", "\n").replace('\r', '\n');
  QStringList lines = text.split('\n');
  if (text.endsWith('\n')) lines.removeLast();
  return lines;
}

// Written whole beside the file and then renamed over it: a tool starting at
// that moment reads the old hand-over or the new one, never half of it.
void WriteLines(const QString& path, const QStringList& lines) {
  QByteArray bytes;
  for (const QString& line : lines) bytes += line.toUtf8() + "\r\n";
  QString error;
  if (!kos::ReplaceFile(path, bytes, &error))
    throw kdb::DbError("Cannot create file \"" + path + "\". " + error);
}

}  // namespace

QString TDMDB::UserFileName() const { return Setup->SettingsFolder + "user.txt"; }

bool TDMDB::LoginUser(const QString& userName, const QString& password) {
  SQLText = "select id, username, security_level, displayname from staff"
            " where username = " + kdb::sql::Quote(userName) +
            " and password = " + kdb::sql::Quote(password);
  if (!RunQuery(SQLText, DBQueryBRules)) return false;
  // A pair found twice names no one user.
  if (DBQueryBRules->RecordCount() != 1) return false;
  StaffID = DBQueryBRules->FieldByName("id").AsString();
  UserName = DBQueryBRules->FieldByName("username").AsString();
  SecurityLevel = DBQueryBRules->FieldByName("security_level").AsString();
  DisplayName = DBQueryBRules->FieldByName("displayname").AsString();
  Log("Login StaffID: " + StaffID, true);
  Log("Login Username: " + UserName, false);
  return true;
}

bool TDMDB::SaveUser(const QString& userName, const QString& staffId) {
  try {
    WriteLines(UserFileName(), {userName, staffId});
    return true;
  } catch (const std::exception& e) {
    LogException(e, "TDMDB::SaveUser");
    ShowMessage(ExceptionMessage(e));
    return false;
  }
}

bool TDMDB::LoadUser(kdb::Query* query, bool showErrors) {
  try {
    const QStringList lines = ReadLines(UserFileName());
    // What the file holds is taken line by line: a file of one line still
    // gives the user name.
    if (lines.isEmpty()) throw kdb::DbError("List index out of bounds (0)");
    UserName = lines.at(0);
    if (lines.size() < 2) throw kdb::DbError("List index out of bounds (1)");
    StaffID = lines.at(1);
  } catch (const std::exception& e) {
    LogException(e, "TDMDB::LoadUser");
  }

  bool found = false;
  if (!StaffID.isEmpty()) {
    try {
      // The id stands bare in the statement, so only a number may get there.
      SQLText = "select username, security_level from staff where id = " + kdb::sql::Int(StaffID);
      if (RunQuery(SQLText, query) && query->RecordCount() > 0) {
        SecurityLevel = query->FieldByName("security_level").AsString();
        Log("StaffID: " + StaffID, true);
        Log("Username: " + UserName, false);
        found = true;
      }
    } catch (const std::exception& e) {
      LogException(e, "TDMDB::LoadUser");
    }
  }
  if (!found && showErrors) MsgBox(kUnknownUser, MB_ICONERROR);
  return found;
}

bool TDMDB::ConnectAndLoadUser(bool showErrors) {
  return ConnectRemoteDB(showErrors) && LoadUser(DBQueryRemote1, showErrors);
}

bool TDMDB::CheckSecurity(const QString& function, bool showErrors) {
  if (!ConnectRemoteDB(false)) return false;
  bool allowed = false;
  // A level that is no number has no SECURITY row; no statement is needed.
  if (kdb::sql::IsInteger(SecurityLevel)) {
    SQLText = "SELECT SECURITY_LEVEL FROM SECURITY  WHERE SECURITY_LEVEL = " +
              kdb::sql::Int(SecurityLevel) + " AND SECURITY_FUNCTION =" + kdb::sql::Quote(function);
    allowed = RunQuery(SQLText, DBQueryRemote1) && DBQueryRemote1->RecordCount() > 0;
  }
  if (!allowed && showErrors) ShowMessage(kSecurityRefused + function);
  return allowed;
}
