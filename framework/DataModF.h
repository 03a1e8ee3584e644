#pragma once
// The data module every program compiles in: start-up and settings, working
// folders, the daily log, user messages and the wait window, and (in the
// database units) the connection and data access.
//
// The module's members are spread over several .cpp files by topic
// (DataModF.cpp: start-up, log and messages; DataModFDb.cpp: connection and
// data access); a later topic adds its own file and its members in a section
// of its own below.
#include <QDateTime>
#include <QObject>
#include <QString>
#include <QStringList>

#include <exception>
#include <functional>
#include <memory>

#include "BOSetupClass.h"
#include "Currency.h"
#include "KvDb.h"

namespace kos {
class AppendFile;
}
class QComboBox;
class QFont;
class QListWidget;
class QWidget;

class TDMDB : public QObject {
  Q_OBJECT
 public:
  explicit TDMDB(QObject* owner = nullptr);
  ~TDMDB() override;
  TDMDB(const TDMDB&) = delete;
  TDMDB& operator=(const TDMDB&) = delete;

  // ----- start-up, settings and working folders ------------------------------
  bool Init();
  void SetProgramName();
  bool CreateFolders();
  bool EnsureDirectory(const QString& path);

  // ConnectAhead before the application object exists (the program file as
  // the system names it decides the edition): the client library loads and
  // the connect runs on a thread of their own while Qt starts (the library
  // starts loading before the settings are read). ConnectAhead takes that
  // connect over; without readable settings only the library loads.
  static void ConnectAheadEarly();
  // The program file this run counts as its own; ExeFolder is its folder.
  // Set from the application at construction; tests point it elsewhere.
  void SetProgramFile(const QString& filePath);
  QString ProgramFile() const { return programFile_; }
  QString ProgramFileName() const;  // without folder

  // ----- daily log -------------------------------------------------------------
  // The log file stays open for the run; each record (a timed entry, an
  // exception's three entries, a post record) reaches it with one write,
  // handed to the system at once, so a record is never split by another
  // program's and is in the file when the program dies.
  void Log(const QString& text, bool timed);
  void WriteLogLine(const QString& text);
  // Lines written while a LogRecord lives are held and written together when
  // the outermost one ends.
  class LogRecord {
   public:
    explicit LogRecord(TDMDB& module);
    ~LogRecord();
    LogRecord(const LogRecord&) = delete;
    LogRecord& operator=(const LogRecord&) = delete;

   private:
    TDMDB& module_;
  };
  void LogException(const std::exception& e, const QString& where);
  void LogException(const QString& message, const QString& where);
  // The text of an exception as the log and the messages show it.
  static QString ExceptionMessage(const std::exception& e);

  // The clock of the log's time lines and of the log file's date.
  std::function<QDateTime()> Now = [] { return QDateTime::currentDateTime(); };

  // ----- messages ----------------------------------------------------------------
  void ShowMessage(const QString& text);
  bool ShowConfirm(const QString& text);
  // The system message box: no owner window, caption "Kelvant Multi Client".
  // Flags as the Windows box takes them (buttons | icon, e.g. 16 = error icon
  // with OK); returns the button's id (IDOK 1, IDCANCEL 2, IDYES 6, IDNO 7 ...).
  int MsgBox(const QString& text, int flags);

  static constexpr int MB_ICONERROR = 16;
  static constexpr const char* kMsgBoxCaption = "Kelvant Multi Client";

  // ----- database connection and data access ----------------------------------
  // The module's components, owned by it and alive for its whole life.
  kdb::Session* DBSessionRemote = nullptr;
  kdb::Query* DBQueryRemote1 = nullptr;
  kdb::Query* DBQueryRemote2 = nullptr;
  kdb::Table* DBTableR1 = nullptr;
  kdb::Table* DBTableRemote2 = nullptr;
  kdb::Database* DBDatabaseRemote = nullptr;
  kdb::Query* DBQueryRemote3 = nullptr;
  kdb::Table* DBTableRemote3 = nullptr;
  kdb::Query* DBQueryBRules = nullptr;

  // The server account is fixed in the program; the settings give only host,
  // transport and database name.
  static constexpr const char* kRemoteUser = "Admin";
  static constexpr const char* kRemotePassword = "QpRelay";
  static constexpr int kRemotePort = 12005;
  // A statement of a save that has no answer after this long is "not saved".
  static constexpr int kWriteTimeoutSeconds = 15;

  bool ConnectRemoteDB(bool showErrors);
  bool ConnectDBQSMode(bool showErrors);
  // Starts the connect of ConnectRemoteDB on a thread of its own, from
  // settings read into a copy (nothing logged or shown), so that it goes on
  // while the window is built; the connect itself then takes it over.
  void ConnectAhead();
  bool DisconnectRemoteDB();
  // Runs one statement (a SELECT leaves its rows open on the query); failures
  // are logged with the statement and reported by false.
  bool RunQuery(const QString& statement, kdb::Query* query);
  // RunQuery for a look-up whose failure the caller tolerates: inside an
  // open unit of work it runs under a savepoint, so its failure (logged and
  // reported by false) leaves the rest of the unit usable.
  bool RunLookUp(const QString& statement, kdb::Query* query);
  bool GetTable(const QString& tableName, kdb::Table* table);
  void CloseTable(kdb::Table* table);
  void DBQueryRemote1QueryProgress(int percentDone, bool& abort);

  // The post record of a row written through one of the module's tables.
  void LogAfterPost(kdb::DataSet* dataset, const QString& tableName);
  void DBTableR1AfterPost(kdb::Table& dataset);
  void DBTableRemote2AfterPost(kdb::Table& dataset);  // DBTableRemote2 and DBTableRemote3

  // ----- user hand-over, log-in and security check (DataModFUser.cpp) ---------
  // Looks the pair up in STAFF; keeps the user on exactly one row.
  bool LoginUser(const QString& userName, const QString& password);
  // Writes the hand-over file user.txt (user name, staff id; CR LF lines).
  bool SaveUser(const QString& userName, const QString& staffId);
  // Reads user.txt and the user's security level through the given query.
  bool LoadUser(kdb::Query* query, bool showErrors);
  bool ConnectAndLoadUser(bool showErrors);
  // True when the user's security level may use the function.
  bool CheckSecurity(const QString& function, bool showErrors);
  // The hand-over file of the settings folder.
  QString UserFileName() const;

  static constexpr const char* kSecurityRefused =
      "Sorry, you do not have the required security level.\n\nRequires: ";
  static constexpr const char* kUnknownUser = "Unknown or invalid user credentials.";

  // ----- pick lists, program start and small utilities (DataModFUtils.cpp) -----
  // Parameter rows of one TYPE as "name=id" items, in name order; returns the
  // index of the default row (PARENT_ID = ID) when withDefault, else -1.
  int GetParamList(QStringList& strings, const QString& type, bool withDefault);
  int GetParamList(QComboBox* combo, const QString& type, bool withDefault);
  int GetParamList(QListWidget* list, const QString& type, bool withDefault);
  // Branches as "name=id" items; branch ids 2 and 3 only when all.
  void GetBranchList(QStringList& strings, bool all);
  void GetBranchList(QComboBox* combo, bool all);
  void GetBranchList(QListWidget* list, bool all);
  // Starts a child program; folder "0" keeps the caller's current folder;
  // with wait, blocks until the child has ended. True when it was started.
  bool RunProgram(const QString& commandLine, const QString& folder, bool wait);
  void SmoothFont(QFont& font);
  void SmoothFormFonts(QWidget* owner);
  QString GetFileVersion(const QString& fileName, bool withV);
  Currency TextToCurrency(const QString& text);
  // Black or white, whichever reads better on the 0x00BBGGRR background.
  quint32 ContrastFontColour(qint64 colour);

  // ----- season and sub-department root PLU generator (DataModFRootPLU.cpp) -----
  // The next free root PLU of the season's and sub-department's prefix, or ""
  // when none of ten candidates is free or the serial has run out. A failed
  // code look-up (or an id that is no number) throws kdb::DbError to the
  // caller; a failed look-up of the last serial restarts the serial at 0.
  QString BRGetSeasonSubDeptRootPLU(const QString& seasonId, const QString& subDeptId);
  QString GetSeasonExtra(const QString& seasonId, kdb::Query* query);
  QString GetSubDeptExtra(const QString& subDeptId, kdb::Query* query);
  static QString MakeRootPLUPrefix(const QString& seasonExtra, const QString& subDeptExtra);
  QString GetLastRootPLUSuffix(const QString& prefix, kdb::Query* query);
  bool RootPLUIsFree(const QString& rootPLU, kdb::Query* query);

  // ----- fields ------------------------------------------------------------------
  QString ProgramName;
  QString SQLText;
  std::unique_ptr<TBOSetupClass> Setup;
  QString ExeFolder;  // ends with "/"
  QString LogFileName;
  QString LastError;
  QString StaffID;
  QString UserName;
  QString SecurityLevel;
  QString DisplayName;
  bool LoggingOn = false;

 private:
  QString programFile_;
  // The wait window that busy guards of the windows show while they work.
  std::unique_ptr<class TWaitClass> busyWait_;
  void InstallUiHooks();
  void RemoveUiHooks();
  // The open log file and the record being gathered.
  std::unique_ptr<kos::AppendFile> logFile_;
  QByteArray record_;
  int recordDepth_ = 0;
  void WriteRecord(const QByteArray& bytes);
  // A log line as the file holds it (CR LF line ends) added to out.
  static void AppendLogLine(QByteArray& out, const QString& text);
  // The text as a log line holds it (UTF-8, CR LF line ends), no line end added.
  static void AppendLogText(QByteArray& out, QStringView text);
  // The line ends of `out` from `from` on made CR LF (a text of several
  // lines: a server's error message, a statement, a value).
  static void CrLfLineEnds(QByteArray& out, qsizetype from);
  // The time line of a timed entry, and the second it was made for.
  const QString& TimeLine(const QDateTime& now);
  QString timeLine_;
  QDate timeLineDate_;
  int timeLineSecond_ = -1;

  // Storage of the components; the session and database come first so that
  // they outlive the queries and tables built on them.
  struct Components {
    kdb::Session session;
    kdb::Database database{&session};
    kdb::Query query1{&database};
    kdb::Query query2{&database};
    kdb::Query query3{&database};
    kdb::Query queryBRules{&database};
    kdb::Table tableR1{&database};
    kdb::Table tableRemote2{&database};
    kdb::Table tableRemote3{&database};
  };
  std::unique_ptr<Components> db_;
  void CreateComponents();
  void CloseDataSets();
  bool Connected() const;
  bool Connect(const QString& waitText, const QString& logText, const QString& where, bool showErrors,
               const std::function<void()>& configure);
  // The settings every connect starts from, then those pointing the session
  // and database at the place the settings name.
  static void ConfigureComponents(Components& c);
  static void ConfigureRemote(Components& c, const TBOSetupClass& setup);
  static void ConfigureLocal(Components& c, const TBOSetupClass& setup);
  // Reads the settings into a copy and starts the connect ahead on `c`;
  // false when the settings give no place to connect to.
  static bool StartAhead(Components& c, bool singleUser);
  // The components ConnectAheadEarly connects ahead on, until a data module
  // takes the connect over.
  static std::unique_ptr<Components>& EarlyComponents();
  static QString ProgramFolderEarly();
  bool SingleUserEdition() const;
  static bool LocateSettings(TBOSetupClass& setup, bool singleUser);
};

// The data module of the running program.
extern TDMDB* DMDB;
