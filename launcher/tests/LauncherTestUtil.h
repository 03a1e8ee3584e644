#pragma once
// Helpers of the launcher's tests: fresh settings folders and a program folder
// per test, a ready database with the starter data, a fixed clock, recorded
// message boxes, and the launcher's window built on a data module of the test.
#include <gtest/gtest.h>

#include "DataModF.h"
#include "KvDb.h"
#include "KvTestSupport.h"
#include "LoadingForm.h"
#include "ModalSeam.h"
#include "SchemaClass.h"
#include "StarterDataClass.h"
#include "TestForm.h"

#include <QApplication>
#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QMessageBox>
#include <QPushButton>
#include <QUuid>

#include <functional>
#include <memory>

namespace lt {

inline QString UserFolder() { return qEnvironmentVariable("XDG_DATA_HOME") + "/"; }
inline QString CommonFolder() { return qEnvironmentVariable("TESSARIN_COMMON_APPDATA") + "/"; }
inline QString MultiUserFolder() { return UserFolder() + "Tarnwick/TessarinVELT/"; }
inline QString SingleUserFolder() { return CommonFolder() + "Tarnwick/TessarinQS/"; }

inline QByteArray ReadAll(const QString& path) {
  QFile f(path);
  return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

inline void WriteFile(const QString& path, const QByteArray& bytes) {
  QDir().mkpath(QFileInfo(path).absolutePath());
  QFile f(path);
  ASSERT_TRUE(f.open(QIODevice::WriteOnly | QIODevice::Truncate)) << path.toStdString();
  f.write(bytes);
}

inline QDateTime At(const char* iso) { return QDateTime::fromString(iso, Qt::ISODate); }

// A change a test makes to the starter data before the launcher starts.
using DataChange = std::function<void(kdb::Database&)>;

// Creates the tables and loads the starter data, then applies the change.
inline void FillStarter(kdb::Database& db, const DataChange& change) {
  kvschema::CreateSchema(db);
  kvschema::LoadStarterData(db);
  if (change) change(db);
}

// The single-user database of a settings folder, made the way dbsetup does.
inline void MakeLocalDatabase(const QString& settingsFolder, const DataChange& change = {}) {
  kdb::Session s;
  s.SessionType = kdb::Session::Type::Local;
  s.PrivateDir = settingsFolder + "db/temp/";
  kdb::Database db(&s);
  db.Directory = settingsFolder + "db/data/";
  db.DatabaseName = "DATA";
  QDir().mkpath(s.PrivateDir);
  QDir().mkpath(db.Directory);
  db.Open();
  s.SetActive(true);
  FillStarter(db, change);
  db.Close();
}

// The staff id of the fixed log-in, read from the database itself.
inline QString FixedUserId(kdb::Database& db) {
  kdb::Query q(&db);
  q.SQL = "SELECT ID FROM STAFF WHERE USERNAME = " + kdb::sql::Quote(kvschema::starter::kUserName);
  q.ExecSQL();
  return q.FieldByName("ID").AsString();
}

// Records the wait windows shown and the message boxes asked.
class WaitWindowSpy : public QObject {
 public:
  QStringList shown;
  WaitWindowSpy() { qApp->installEventFilter(this); }
  ~WaitWindowSpy() override { qApp->removeEventFilter(this); }
  bool eventFilter(QObject* o, QEvent* e) override {
    if (e->type() == QEvent::Show)
      if (auto* w = qobject_cast<TFormLoading*>(o)) shown << w->PanelMsg->text();
    return false;
  }
};

inline bool NoWaitWindowLeft() {
  const QWidgetList windows = QApplication::topLevelWidgets();
  return std::none_of(windows.begin(), windows.end(),
                      [](QWidget* w) { return qobject_cast<TFormLoading*>(w) != nullptr; });
}

// Every launcher test: no settings folders of another test, a program folder
// of its own, a fixed clock, and every message box recorded and answered OK.
template <class Base>
class LauncherTestBase : public Base {
 protected:
  QString programDir;
  QStringList boxes;
  QDateTime clock = At("2024-03-05T09:15:30");
  std::unique_ptr<TDMDB> dm;
  std::unique_ptr<TMainForm> form;

  void SetUp() override {
    QDir(UserFolder() + "Tarnwick").removeRecursively();
    QDir(CommonFolder() + "Tarnwick").removeRecursively();
    programDir = kvtest::TempRoot() + "/bin-" + QUuid::createUuid().toString(QUuid::Id128) + "/";
    QDir().mkpath(programDir);
    kui::ModalSeam::SetAnswerer([this](QDialog& d) {
      if (auto* box = qobject_cast<QMessageBox*>(&d)) {
        boxes << box->text();
        box->button(QMessageBox::Ok) ? box->button(QMessageBox::Ok)->click() : box->reject();
      } else {
        d.reject();
      }
    });
  }
  void TearDown() override {
    form.reset();
    dm.reset();
    kui::ModalSeam::ClearAnswerers();
  }

  // The launcher's file beside the program: the single-user edition.
  void AddLauncherFile() { WriteFile(programDir + "menuhost", "#!/bin/sh\n"); }

  // The data module (program file programDir/menuhost), then the main window,
  // whose construction runs the start-up.
  void Start() {
    dm = std::make_unique<TDMDB>();
    dm->SetProgramFile(programDir + "menuhost");
    dm->Now = [this] { return clock; };
    form = std::make_unique<TMainForm>();
  }
  // Start-up, then the window shown as the entry point shows it (log-in).
  void StartAndShow() {
    Start();
    ASSERT_FALSE(form->Terminating()) << dm->LastError.toStdString();
    form->ShowWindow();
  }

  QByteArray LogText() const { return ReadAll(dm->LogFileName); }
  QString UserFile() const { return dm->Setup->SettingsFolder + "user.txt"; }
};

}  // namespace lt
