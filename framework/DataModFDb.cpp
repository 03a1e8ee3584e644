// TDMDB: the database connection and data access.
#include "DataModF.h"

#include "Folders.h"
#include "KvTransaction.h"
#include "WaitClass.h"

#include <QCoreApplication>

namespace {

// Tests (and a site whose server listens elsewhere) move the server port.
int RemotePort(int fallback) {
  bool ok = false;
  const int port = qEnvironmentVariableIntValue("TESSARIN_DB_PORT", &ok);
  return ok && port > 0 ? port : fallback;
}

}  // namespace

void TDMDB::ConfigureComponents(Components& c) {
  kdb::Session& s = c.session;
  s.SessionName = "SessionRemote";
  s.SessionType = kdb::Session::Type::Remote;
  s.RemoteTransport = kdb::Session::RemoteType::LAN;
  s.RemoteHost = "127.0.0.1";
  s.RemotePort = RemotePort(kRemotePort);
  s.RemoteUser = kRemoteUser;
  s.RemotePassword = kRemotePassword;
  s.LockRetryCount = 15;
  s.LockWaitTime = 100;
  s.WriteTimeoutSeconds = kWriteTimeoutSeconds;
  c.database.DatabaseName = "DATA";
  c.database.RemoteDatabase = "DATA";
}

void TDMDB::CreateComponents() {
  db_ = std::make_unique<Components>();
  ConfigureComponents(*db_);
  db_->database.OnReconnect = [this](const QString& reason) { Log("DB Reconnected: " + reason, true); };

  DBSessionRemote = &db_->session;
  DBDatabaseRemote = &db_->database;
  DBQueryRemote1 = &db_->query1;
  DBQueryRemote2 = &db_->query2;
  DBQueryRemote3 = &db_->query3;
  DBQueryBRules = &db_->queryBRules;
  DBTableR1 = &db_->tableR1;
  DBTableRemote2 = &db_->tableRemote2;
  DBTableRemote3 = &db_->tableRemote3;

  for (kdb::Query* q : {DBQueryRemote1, DBQueryRemote2, DBQueryRemote3, DBQueryBRules})
    q->MaxRowCount = -1;
  const auto progress = [this](int percentDone, bool& abort) {
    DBQueryRemote1QueryProgress(percentDone, abort);
  };
  DBQueryRemote1->OnQueryProgress = progress;
  DBQueryBRules->OnQueryProgress = progress;
  // A save waiting for its numbering lock keeps the wait window painted.
  db_->database.OnLockWait = progress;
  DBTableR1->AfterPost = [this](kdb::Table& t) { DBTableR1AfterPost(t); };
  DBTableRemote2->AfterPost = [this](kdb::Table& t) { DBTableRemote2AfterPost(t); };
  DBTableRemote3->AfterPost = [this](kdb::Table& t) { DBTableRemote2AfterPost(t); };
}

bool TDMDB::Connected() const {
  return DBSessionRemote->Active() && DBDatabaseRemote->Connected();
}

// The frame of both connects: nothing to do when connected; else the wait
// window and the log line, the session and database closed, `configure`
// points them at their place, and they open. A failure is logged (and shown
// when asked).
bool TDMDB::Connect(const QString& waitText, const QString& logText, const QString& where, bool showErrors,
                    const std::function<void()>& configure) {
  TWaitClass wait;
  try {
    if (Connected()) return true;
    wait.Show(waitText, QString());
    Log(logText, true);
    // The wait window paints before the connect blocks; before it has
    // appeared there is nothing to paint (the layouts of a window being
    // built would only be worked out once more).
    if (wait.Form) QCoreApplication::processEvents();
    DBSessionRemote->SetActive(false);
    DBDatabaseRemote->Close();
    configure();
    DBDatabaseRemote->Open();
    DBSessionRemote->SetActive(true);
    wait.Close();
    return true;
  } catch (const std::exception& e) {
    wait.Close();
    LogException(e, where);
    if (showErrors) MsgBox(where + " " + ExceptionMessage(e), MB_ICONERROR);
    return false;
  }
}

void TDMDB::ConfigureRemote(Components& c, const TBOSetupClass& setup) {
  kdb::Session& s = c.session;
  s.SessionType = kdb::Session::Type::Remote;
  s.RemoteHost = setup.DBHost;
  s.RemoteUser = kRemoteUser;
  s.RemotePassword = kRemotePassword;
  if (setup.DBUseInternet) {
    s.RemoteTransport = kdb::Session::RemoteType::Internet;
    s.RemoteSslRootCert = qEnvironmentVariable("TESSARIN_DB_SSLROOTCERT");
  }
  c.database.RemoteDatabase = setup.DBName;
}

void TDMDB::ConfigureLocal(Components& c, const TBOSetupClass& setup) {
  const QString base = setup.LocalDataFolder;
  // Without a settings folder the files would land below whatever folder
  // the program happens to run in.
  if (base.isEmpty()) throw kdb::DbError("No local data folder.");
  kdb::Session& s = c.session;
  s.SessionType = kdb::Session::Type::Local;
  s.PrivateDir = base + "db/temp/";
  c.database.Directory = base + "db/data/";
  // The database itself is made only by dbsetup: a missing file fails here.
  c.database.CreateIfMissing = false;
  if (!kos::ForceDirectories(s.PrivateDir)) throw kdb::DbError("Could not create directory: " + s.PrivateDir);
}

bool TDMDB::ConnectRemoteDB(bool showErrors) {
  if (Setup->LocalMode) return ConnectDBQSMode(showErrors);
  return Connect("Connecting to Back Office: " + Setup->DBHost, "DB Connecting to: " + Setup->DBHost,
                 "TDMDB::ConnectRemoteDB", showErrors, [this] { ConfigureRemote(*db_, *Setup); });
}

bool TDMDB::ConnectDBQSMode(bool showErrors) {
  return Connect("Connecting to database...", "DB Connecting...", "TDMDB::ConnectDBQSMode", showErrors,
                 [this] { ConfigureLocal(*db_, *Setup); });
}

bool TDMDB::StartAhead(Components& c, bool singleUser) {
  try {
    TBOSetupClass setup;
    if (!LocateSettings(setup, singleUser)) return false;
    if (setup.LocalMode)
      ConfigureLocal(c, setup);
    else
      ConfigureRemote(c, setup);
    c.database.OpenAhead();
    return true;
  } catch (...) {
    // The connect finds the same fault and tells it.
    return false;
  }
}

std::unique_ptr<TDMDB::Components>& TDMDB::EarlyComponents() {
  static std::unique_ptr<Components> early;
  return early;
}

void TDMDB::ConnectAhead() {
  if (Connected()) return;
  // A connect started before the application object: its settings travel
  // with it, and the connect takes it only when they are still the same.
  if (std::unique_ptr<Components> early = std::move(EarlyComponents())) {
    DBDatabaseRemote->TakeAhead(early->database);
    return;
  }
  StartAhead(*db_, SingleUserEdition());
}

void TDMDB::CloseDataSets() {
  for (kdb::DataSet* d : std::initializer_list<kdb::DataSet*>{
           DBQueryRemote1, DBQueryRemote2, DBQueryRemote3, DBQueryBRules, DBTableR1,
           DBTableRemote2, DBTableRemote3})
    d->Close();
}

bool TDMDB::DisconnectRemoteDB() {
  try {
    // The module's own datasets go with the connection they were read on.
    CloseDataSets();
    if (DBDatabaseRemote->Connected()) DBDatabaseRemote->Close();
    if (DBSessionRemote->Active()) DBSessionRemote->SetActive(false);
    DBSessionRemote->DropConnections();
    return true;
  } catch (const std::exception& e) {
    LogException(e, "TDMDB::DisconnectRemoteDB");
    return false;
  }
}

bool TDMDB::RunQuery(const QString& statement, kdb::Query* query) {
  try {
    if (!query) throw kdb::DbError("No query given.");
    query->Close();
    query->RemoteReadSize = 10;
    query->SQL = statement;
    query->ExecSQL();
    return true;
  } catch (const std::exception& e) {
    LogException(e, "TDMDB::RunQuery");
    Log("Exception SQL:", true);
    Log(statement, false);
    return false;
  }
}

bool TDMDB::RunLookUp(const QString& statement, kdb::Query* query) {
  kdb::Database* db = query ? query->GetDatabase() : nullptr;
  if (!db || !db->InTransaction()) return RunQuery(statement, query);
  try {
    kdb::Transaction lookUp(*db);  // a savepoint; left uncommitted it rolls back to it
    if (!RunQuery(statement, query)) return false;
    lookUp.Commit();
    return true;
  } catch (const std::exception& e) {
    LogException(e, "TDMDB::RunLookUp");
    return false;
  }
}

bool TDMDB::GetTable(const QString& tableName, kdb::Table* table) {
  try {
    if (!table) throw kdb::DbError("No table given.");
    table->Close();
    table->TableName = tableName;
    table->Open();
    return true;
  } catch (const std::exception& e) {
    LogException(e, "TDMDB::GetTable");
    return false;
  }
}

void TDMDB::CloseTable(kdb::Table* table) {
  try {
    if (table) table->Close();
  } catch (const std::exception& e) {
    LogException(e, "TDMDB::CloseTable");
  }
}

void TDMDB::DBQueryRemote1QueryProgress(int /*percentDone*/, bool& abort) {
  // Timers and painting go on; clicks and keys wait until the statement is
  // done, so none of them can start another statement in the middle of this
  // one (the data layer refuses such a start as well).
  QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
  abort = false;
}

void TDMDB::LogAfterPost(kdb::DataSet* dataset, const QString& tableName) {
  if (!dataset || !LoggingOn) return;
  // The whole post record in one write: its lines as Log writes them, made
  // here at once (an Apply of a stock grid logs hundreds of rows).
  const LogRecord record(*this);
  try {
    QByteArray& out = record_;
    out += "\r\n";
    AppendLogLine(out, "[x]after post: " + tableName + "[=]");
    // Each "name=value" line built in place (a column name holds no line end).
    for (int i = 0; i < dataset->FieldCount(); ++i) {
      kdb::Field& f = dataset->Fields(i);
      AppendLogText(out, f.FieldName());
      out += '=';
      const qsizetype at = out.size();
      f.AppendUtf8(out);
      CrLfLineEnds(out, at);  // a value of several lines keeps the file's line ends
      out += "\r\n";
    }
    AppendLogLine(out, TimeLine(Now()));
    out += "[=]------end------[=]\r\n";
  } catch (...) {
    // A log line must never disturb the work.
  }
}

void TDMDB::DBTableR1AfterPost(kdb::Table& dataset) { LogAfterPost(&dataset, dataset.TableName); }

void TDMDB::DBTableRemote2AfterPost(kdb::Table& dataset) {
  LogAfterPost(&dataset, dataset.TableName);
}
