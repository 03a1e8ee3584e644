#include "DataModF.h"

#include "ConfirmMessageForm.h"
#include "Files.h"
#include "KuiApplication.h"
#include "KuiGuard.h"
#include "KvBusyGuard.h"
#include "WaitClass.h"
#include "Folders.h"
#include "MessageForm.h"
#include "ModalSeam.h"

#include <QCoreApplication>
#include <QFileInfo>
#include <QMessageBox>

#include <array>
#include <utility>

TDMDB* DMDB = nullptr;

namespace {

constexpr const char* kTimeFormat = "yyyy-MM-dd HH:mm:ss";
constexpr const char* kStartedLine = "[=]program started[=]";
constexpr const char* kStoppedLine = "[=]program stopped[=]";
constexpr const char* kNoSettings = "Error: There are no settings available.";
// The launcher's program file; beside it every program runs single-user.
constexpr const char* kLauncherFile = "menuhost";

}  // namespace

TDMDB::TDMDB(QObject* owner)
    : QObject(owner), Setup(std::make_unique<TBOSetupClass>()), logFile_(std::make_unique<kos::AppendFile>()) {
  setObjectName("DMDB");
  CreateComponents();
  SetProgramFile(QCoreApplication::applicationFilePath());
  // A program without the launcher beside it runs in the multi-user
  // edition: the server's client library loads while the windows are built.
  if (!kos::FileExists(ExeFolder + kLauncherFile)) kdb::PreloadServerClient();
  if (!DMDB) {
    DMDB = this;
    InstallUiHooks();
  }
}

QString TDMDB::ProgramFolderEarly() {
  // The program file as the application object would name it.
  const QString program = QFileInfo(QStringLiteral("/proc/self/exe")).canonicalFilePath();
  return program.isEmpty() ? QString() : kos::IncludeTrailingPathDelimiter(QFileInfo(program).absolutePath());
}

void TDMDB::ConnectAheadEarly() {
  const QString folder = ProgramFolderEarly();
  if (folder.isEmpty() || EarlyComponents()) return;  // the data module's own check decides
  // The server's client library starts loading before the settings are
  // read; the connect started after them waits for it.
  const bool singleUser = kos::FileExists(folder + kLauncherFile);
  if (!singleUser) kdb::PreloadServerClient();
  auto early = std::make_unique<Components>();
  ConfigureComponents(*early);
  if (StartAhead(*early, singleUser)) EarlyComponents() = std::move(early);
}

// The window parts of platform/ui know nothing of the framework: give them the
// wait window for their busy guards, route what their event hooks throw (and
// what escapes any handler) into the daily log, and tell the user of an
// escaped failure in the program's own message window.
void TDMDB::InstallUiHooks() {
  busyWait_ = std::make_unique<TWaitClass>();
  kui::KvBusyGuard::SetDefaultIndicator(busyWait_.get());
  kui::SetErrorReporter([this](const QString& where, const QString& what) {
    LogException(what, where);
  });
  kui::KvApplication::SetShowError([this](const QString& message) { ShowMessage(message); });
}

void TDMDB::RemoveUiHooks() {
  kui::KvApplication::SetShowError(nullptr);
  kui::KvBusyGuard::SetDefaultIndicator(nullptr);
  kui::SetErrorReporter(nullptr);
  busyWait_.reset();
  TWaitClass::FreeWindow();
}

TDMDB::~TDMDB() {
  DisconnectRemoteDB();
  Setup.reset();
  Log(kStoppedLine, false);
  Log(ProgramFileName(), true);
  Log(QString(), false);
  if (DMDB == this) {
    RemoveUiHooks();
    DMDB = nullptr;
  }
}

// ----- start-up ----------------------------------------------------------------

void TDMDB::SetProgramFile(const QString& filePath) {
  programFile_ = filePath;
  const QFileInfo info(filePath);
  ExeFolder = filePath.isEmpty() ? QString()
                                 : kos::IncludeTrailingPathDelimiter(info.absolutePath());
}

QString TDMDB::ProgramFileName() const { return QFileInfo(programFile_).fileName(); }

void TDMDB::SetProgramName() {
  // Linux program files carry no ".exe": a name without a point is whole.
  const QString name = ProgramFileName();
  const qsizetype point = name.indexOf('.');
  ProgramName = point < 0 ? name : name.left(point);
}

bool TDMDB::SingleUserEdition() const { return kos::FileExists(ExeFolder + kLauncherFile); }

bool TDMDB::LocateSettings(TBOSetupClass& setup, bool singleUser) {
  if (!singleUser) return setup.Locate() && setup.Load();
  if (!setup.LocateQS()) return false;
  setup.ApplyQSDefaults();
  return true;
}

bool TDMDB::Init() {
  SetProgramName();
  if (!LocateSettings(*Setup, SingleUserEdition())) {
    MsgBox(kNoSettings, MB_ICONERROR);
    return false;
  }
  LogFileName = Setup->SettingsFolder + "bologs/" + ProgramName + "/";
  CreateFolders();
  LogFileName += Now().toString("yyyy-MM-dd ") + ProgramName + ".log";
  LoggingOn = true;
  Log(kStartedLine, false);
  Log(ProgramFileName(), true);
  return true;
}

bool TDMDB::CreateFolders() {
  const QString base = Setup->SettingsFolder;
  const std::array<QString, 5> folders = {"bologs/", "bologs/" + ProgramName + "/", "datapoll/",
                                          "labels/", "bookgoodsin/"};
  for (const QString& folder : folders)
    if (!EnsureDirectory(base + folder)) return false;
  return true;
}

bool TDMDB::EnsureDirectory(const QString& path) {
  if (kos::CreateDirOrFind(path)) return true;
  MsgBox("Could not create directory: \n" + path, MB_ICONERROR);
  return false;
}

// ----- daily log ------------------------------------------------------------------

TDMDB::LogRecord::LogRecord(TDMDB& module) : module_(module) { ++module_.recordDepth_; }

TDMDB::LogRecord::~LogRecord() {
  if (--module_.recordDepth_ > 0 || module_.record_.isEmpty()) return;
  module_.WriteRecord(module_.record_);
  module_.record_.clear();
}

void TDMDB::Log(const QString& text, bool timed) {
  const LogRecord record(*this);
  if (timed) WriteLogLine(TimeLine(Now()));
  WriteLogLine(text);
}

const QString& TDMDB::TimeLine(const QDateTime& now) {
  // A save of many rows writes a timed record for each, mostly in the same
  // second: the text is made once per second shown.
  // The text is the date and time as the clock gives them, to the second
  // (read as they are: working out the instant would ask the time zone).
  const QDate date = now.date();
  const QTime time = now.time();
  const int second = time.isValid() ? time.msecsSinceStartOfDay() / 1000 : -1;
  if (timeLine_.isEmpty() || date != timeLineDate_ || second != timeLineSecond_) {
    timeLine_ = now.toString(kTimeFormat);
    timeLineDate_ = date;
    timeLineSecond_ = second;
  }
  return timeLine_;
}

void TDMDB::AppendLogText(QByteArray& out, QStringView text) {
  // Most texts (column names, figures, codes) are ASCII on one line: their
  // bytes go straight in, without a converted copy of their own.
  const char16_t* u = text.utf16();
  const qsizetype n = text.size();
  qsizetype plain = 0;
  while (plain < n && u[plain] < 0x80 && u[plain] != u'\n') ++plain;
  if (plain == n) {
    const qsizetype at = out.size();
    out.resize(at + n);
    char* p = out.data() + at;
    for (qsizetype i = 0; i < n; ++i) p[i] = static_cast<char>(u[i]);
    return;
  }
  const qsizetype at = out.size();
  out += text.toUtf8();
  CrLfLineEnds(out, at);
}

void TDMDB::CrLfLineEnds(QByteArray& out, qsizetype from) {
  if (out.indexOf('\n', from) < 0) return;
  QByteArray tail = out.mid(from);
  out.truncate(from);
  out += tail.replace("\r\n", "\n").replace("\n", "\r\n");
}

void TDMDB::AppendLogLine(QByteArray& out, const QString& text) {
  AppendLogText(out, text);
  out += "\r\n";
}

void TDMDB::WriteLogLine(const QString& text) {
  if (!LoggingOn) return;
  try {
    if (recordDepth_ > 0) {
      AppendLogLine(record_, text);
    } else {
      QByteArray bytes;
      AppendLogLine(bytes, text);
      WriteRecord(bytes);
    }
  } catch (...) {
    // A log line must never disturb the work.
  }
}

void TDMDB::WriteRecord(const QByteArray& bytes) {
  // A record that cannot be written is lost alone; the next one tries again
  // (its folder may exist by then).
  if (LoggingOn) logFile_->Append(LogFileName, bytes);
}

QString TDMDB::ExceptionMessage(const std::exception& e) {
  if (const auto* db = dynamic_cast<const kdb::DbError*>(&e)) return db->Message();
  return QString::fromUtf8(e.what());
}

void TDMDB::LogException(const std::exception& e, const QString& where) {
  LogException(ExceptionMessage(e), where);
}

void TDMDB::LogException(const QString& message, const QString& where) {
  const LogRecord record(*this);
  Log(where, false);
  Log(message, true);
  Log(QString(), false);
  LastError = message;
}

// ----- messages -------------------------------------------------------------------

void TDMDB::ShowMessage(const QString& text) {
  Log(text, true);
  try {
    TFormMsg form;
    form.Execute(text);
  } catch (...) {
    // The text is in the log; a window that cannot be shown is no reason to stop.
  }
}

bool TDMDB::ShowConfirm(const QString& text) {
  Log(text, true);
  try {
    TFormMsgConfirm form;
    return form.Execute(text);
  } catch (...) {
    // Nobody was asked, so nothing was confirmed.
    return false;
  }
}

namespace {

enum WinId { IDOK = 1, IDCANCEL = 2, IDABORT = 3, IDRETRY = 4, IDIGNORE = 5, IDYES = 6, IDNO = 7 };

struct BoxButtons {
  QMessageBox::StandardButtons buttons;
  QMessageBox::StandardButton escape;
};

BoxButtons ButtonsOf(int flags) {
  using B = QMessageBox;
  switch (flags & 0x0F) {
    case 1: return {B::Ok | B::Cancel, B::Cancel};
    case 2: return {B::Abort | B::Retry | B::Ignore, B::Abort};
    case 3: return {B::Yes | B::No | B::Cancel, B::Cancel};
    case 4: return {B::Yes | B::No, B::No};
    case 5: return {B::Retry | B::Cancel, B::Cancel};
    default: return {B::Ok, B::Ok};
  }
}

QMessageBox::Icon IconOf(int flags) {
  switch (flags & 0xF0) {
    case 0x10: return QMessageBox::Critical;
    case 0x20: return QMessageBox::Question;
    case 0x30: return QMessageBox::Warning;
    case 0x40: return QMessageBox::Information;
    default: return QMessageBox::NoIcon;
  }
}

int WinIdOf(int button) {
  static const std::array<std::pair<int, int>, 7> ids = {{{QMessageBox::Ok, IDOK},
                                                          {QMessageBox::Cancel, IDCANCEL},
                                                          {QMessageBox::Abort, IDABORT},
                                                          {QMessageBox::Retry, IDRETRY},
                                                          {QMessageBox::Ignore, IDIGNORE},
                                                          {QMessageBox::Yes, IDYES},
                                                          {QMessageBox::No, IDNO}}};
  for (const auto& [qt, win] : ids)
    if (qt == button) return win;
  return 0;
}

}  // namespace

int TDMDB::MsgBox(const QString& text, int flags) {
  const BoxButtons b = ButtonsOf(flags);
  QMessageBox box(IconOf(flags), kMsgBoxCaption, text, b.buttons, nullptr);
  box.setObjectName("MsgBox");
  box.setEscapeButton(b.escape);
  const int id = WinIdOf(kui::ModalSeam::Exec(box));
  // A box closed without a button answers as its escape button would.
  return id ? id : WinIdOf(b.escape);
}
