#include "KvFwTestSupport.h"

#include "LoadingForm.h"
#include "MessageFrame.h"

#include <QApplication>
#include <QDir>
#include <QLabel>
#include <QMessageBox>
#include <QPushButton>
#include <QTextEdit>

#include <algorithm>

namespace kvfwtest {

void MakeLocalDatabase(const QString& settingsFolder, const DataChange& fill) {
  kvtest::TestDatabase local(kvtest::Engine::SQLite, settingsFolder);
  kvtest::DbHandle h = local.Connect();
  if (fill) fill(*h.db);
  h.db->Close();
}

WaitWindowSpy::WaitWindowSpy() { qApp->installEventFilter(this); }

WaitWindowSpy::~WaitWindowSpy() { qApp->removeEventFilter(this); }

bool WaitWindowSpy::eventFilter(QObject* o, QEvent* e) {
  if (e->type() == QEvent::Show)
    if (auto* w = qobject_cast<TFormLoading*>(o)) shown << w->PanelMsg->text();
  return false;
}

bool NoWaitWindowLeft() {
  // The program keeps its one wait window, hidden, between operations.
  const QWidgetList windows = QApplication::topLevelWidgets();
  return std::none_of(windows.begin(), windows.end(), [](QWidget* w) {
    return qobject_cast<TFormLoading*>(w) != nullptr && w->isVisible();
  });
}

void ModalAnswers::Install() {
  kui::ModalSeam::SetAnswerer([this](QDialog& d) { Answer(d); });
  kui::ModalSeam::SetFileAnswerer([this](kui::ModalSeam::FileKind, const QString&, const QString& filter) {
    ++fileDialogs;
    fileFilter = filter;
    return fileChoice;
  });
}

void ModalAnswers::Answer(QDialog& d) {
  if (auto* box = qobject_cast<QMessageBox*>(&d)) {
    boxes << box->text();
    if (QAbstractButton* ok = box->button(QMessageBox::Ok)) ok->click();
    else box->reject();
    return;
  }
  if (auto* msg = qobject_cast<TMessageFrame*>(&d)) messages << msg->MemoMsg->toPlainText();
  OtherDialog(d);
}

void AddLauncher(const QString& programDir) { kvtest::WriteFile(programDir + "menuhost", "#!/bin/sh\n"); }

void SingleUserEdition(const QString& programDir) {
  AddLauncher(programDir);
  QDir().mkpath(kvtest::SingleUserFolder());
  // Its database, empty, as dbsetup leaves it: the programs never make one.
  kvtest::TestDatabase made(kvtest::Engine::SQLite, kvtest::SingleUserFolder());
}

void WriteSettings(const QByteArray& ini) { kvtest::WriteFile(kvtest::MultiUserFolder() + "SetupVELT.ini", ini); }

QString EditionFolder(kvtest::Engine e) {
  return e == kvtest::Engine::SQLite ? kvtest::SingleUserFolder() : kvtest::MultiUserFolder();
}

namespace {

QString SettingsFolderOf(kvtest::Engine e) {
  return e == kvtest::Engine::SQLite ? kvtest::SingleUserFolder() : QString();
}

}  // namespace

EditionDatabase::EditionDatabase(kvtest::Engine e, const QString& programDir, const DataChange& fill,
                                 const QByteArray& settings)
    : database_(e, SettingsFolderOf(e)) {
  if (e == kvtest::Engine::PostgreSQL) {
    qputenv("TESSARIN_DB_PORT", QByteArray::number(Facts().port));
    WriteSettings("[Database]\nDBHost=" + Facts().host.toUtf8() + "\nDBLiveName=" + Facts().database.toUtf8() +
                  "\n" + settings);
  } else {
    SingleUserEdition(programDir);
  }
  if (!fill) return;
  fill(Db());
  CloseOwn();  // until the test asks again: the programs have the database to themselves
}

EditionDatabase::~EditionDatabase() {
  CloseOwn();
  qunsetenv("TESSARIN_DB_PORT");
}

void EditionDatabase::CloseOwn() {
  own_.db.reset();  // before the session it runs on
  own_.session.reset();
}

kdb::Database& EditionDatabase::Db() {
  if (!own_.db) own_ = database_.Connect();
  return *own_.db;
}

void EditionDbTest::PrepareDatabase(const DataChange& fill, const QByteArray& settings) {
  database_ = std::make_unique<EditionDatabase>(GetParam(), programDir, fill, settings);
}

void EditionDbTest::TearDown() {
  ModuleTest::TearDown();  // the program's module first: it holds a connection
  database_.reset();
}

}  // namespace kvfwtest
