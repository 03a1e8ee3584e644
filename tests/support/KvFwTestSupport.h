#pragma once
// Fixtures of the programs' tests: a data module in a program folder of its
// own with a fixed clock and every modal window answered, and the same on a
// fresh database of either engine, reached the way a program reaches it.
//
//   class MyTest : public kvfwtest::ModuleTest<> {};
//   TEST_F(MyTest, X) { auto m = Module("colours"); ASSERT_TRUE(m->Init()); ... }
//
//   class MyDbTest : public kvfwtest::EditionDbTest {};
//   TEST_P(MyDbTest, Y) { PrepareDatabase(fill); auto m = Module(); ... }
//   KV_DB_ENGINES(MyDbTest);
#include <gtest/gtest.h>

#include "DataModF.h"
#include "KvDbTestSupport.h"
#include "KvTestSupport.h"
#include "ModalSeam.h"

#include <QDateTime>
#include <QDialog>
#include <QObject>
#include <QStringList>

#include <functional>
#include <memory>

namespace kvfwtest {

// What a test puts into its database before a program connects.
using DataChange = std::function<void(kdb::Database&)>;

// The single-user database of a settings folder, made the way dbsetup makes
// it, with `fill` applied.
void MakeLocalDatabase(const QString& settingsFolder, const DataChange& fill = {});

// The launcher's file in a program folder: programs there run in the
// single-user edition.
void AddLauncher(const QString& programDir);
// The launcher's file and the all-users settings folder with an empty
// database file: the single-user edition, ready to start.
void SingleUserEdition(const QString& programDir);
// The multi-user settings file SetupVELT.ini.
void WriteSettings(const QByteArray& ini);
// The settings folder of the edition a database engine serves: the
// single-user folder for SQLite, the multi-user one for PostgreSQL.
QString EditionFolder(kvtest::Engine e);

// A fresh database of one engine and the settings that lead a program of
// `programDir` to it: SQLite in the single-user settings folder with the
// launcher's file beside the program, PostgreSQL on the test run's server
// named by SetupVELT.ini (with TESSARIN_DB_PORT set while it lives). `fill`
// runs on the database before any program connects; `settings` adds lines to
// the multi-user settings after the database's own: more keys of [Database],
// then other sections.
class EditionDatabase {
 public:
  EditionDatabase(kvtest::Engine e, const QString& programDir, const DataChange& fill = {},
                  const QByteArray& settings = {});
  ~EditionDatabase();
  EditionDatabase(const EditionDatabase&) = delete;
  EditionDatabase& operator=(const EditionDatabase&) = delete;

  const kvtest::DbFacts& Facts() const { return database_.Facts(); }
  // The test's own connection, apart from the programs' (opened on first use).
  kdb::Database& Db();
  // Another program's connection to the same database.
  kvtest::DbHandle Connect() const { return database_.Connect(); }

 private:
  kvtest::TestDatabase database_;
  kvtest::DbHandle own_;
  void CloseOwn();
};

// Records the texts of the wait windows shown while it lives.
class WaitWindowSpy : public QObject {
 public:
  QStringList shown;
  WaitWindowSpy();
  ~WaitWindowSpy() override;
  bool eventFilter(QObject* o, QEvent* e) override;
};

// True when no wait window is left on screen.
bool NoWaitWindowLeft();

// The answers a test gives to the modal windows, and what it saw of them.
class ModalAnswers {
 public:
  virtual ~ModalAnswers() = default;

  QStringList boxes;     // texts of the system message boxes (answered OK)
  QStringList messages;  // texts of the program's own message windows
  QString fileChoice;    // the path chosen in a file dialog ("": cancelled)
  int fileDialogs = 0;
  QString fileFilter;    // the filter of the last file dialog

  // Makes these the answers of every modal window until ClearAnswerers.
  void Install();
  void Answer(QDialog& d);
  // Every other dialog, and a message window once its text is recorded.
  virtual void OtherDialog(QDialog& d) { d.reject(); }
};

// Every data-module test: no settings folders left by another test, its own
// program folder (with or without the launcher beside the program), a fixed
// clock, and every modal window answered (see ModalAnswers).
template <class Base = ::testing::Test>
class ModuleTest : public Base, public ModalAnswers {
 protected:
  QString programDir;
  QDateTime clock = kvtest::At("2024-03-05T09:15:30");
  std::unique_ptr<TDMDB> dm;  // the program's module, for fixtures that keep one

  void SetUp() override {
    kvtest::RemoveSettingsFolders();
    programDir = kvtest::FreshFolder("bin");
    Install();
  }
  void TearDown() override {
    dm.reset();
    kui::ModalSeam::ClearAnswerers();
  }

  // A data module whose program file is programDir + fileName.
  std::unique_ptr<TDMDB> Module(const QString& fileName = "StyleKeeper") {
    auto m = std::make_unique<TDMDB>();
    m->SetProgramFile(programDir + fileName);
    m->Now = [this] { return clock; };
    return m;
  }
  void AddLauncher() { kvfwtest::AddLauncher(programDir); }
  // The launcher beside the program and the all-users settings folder.
  void SingleUserEdition() { kvfwtest::SingleUserEdition(programDir); }
  void WriteSettings(const QByteArray& ini) { kvfwtest::WriteSettings(ini); }
  QByteArray LogText() const { return dm ? kvtest::ReadAll(dm->LogFileName) : QByteArray(); }
};

// A module test on a fresh database of the engine of the test's parameter
// (see EditionDatabase), made by PrepareDatabase.
class EditionDbTest : public ModuleTest<::testing::TestWithParam<kvtest::Engine>> {
 protected:
  void TearDown() override;

  bool isPg() const { return GetParam() == kvtest::Engine::PostgreSQL; }
  void PrepareDatabase(const DataChange& fill = {}, const QByteArray& settings = {});
  const kvtest::DbFacts& facts() const { return database_->Facts(); }
  kdb::Database& db() { return database_->Db(); }
  // Another program's connection to the test's database.
  kvtest::DbHandle Connect() const { return database_->Connect(); }
  void Exec(const QString& sql) { db().Execute(sql); }
  QStringList Column(const QString& sql) { return kvtest::Column(db(), sql); }

 private:
  std::unique_ptr<EditionDatabase> database_;
};

}  // namespace kvfwtest
