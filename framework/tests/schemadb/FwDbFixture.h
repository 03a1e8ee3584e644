#pragma once
// A data module connected to a fresh database that holds the whole schema,
// on each engine: single-user SQLite files or the test run's PostgreSQL server.
#include <gtest/gtest.h>

#include "DMBRulesF.h"
#include "DataModF.h"
#include "KvDbTestSupport.h"
#include "KvTestSupport.h"
#include "MessageFrame.h"
#include "ModalSeam.h"
#include "SchemaClass.h"

#include <QDir>
#include <QFile>
#include <QMessageBox>
#include <QPushButton>
#include <QTextEdit>
#include <QUuid>

#include <ostream>

// Readable failures for texts.
inline void PrintTo(const QString& s, std::ostream* os) { *os << '"' << s.toStdString() << '"'; }

namespace fwdbtest {

inline QByteArray ReadAll(const QString& path) {
  QFile f(path);
  return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

class FwDbTest : public kvtest::DbTest {
 protected:
  std::unique_ptr<TDMDB> m;
  QStringList boxes;     // system message boxes shown
  QStringList messages;  // texts of the module's own message windows

  void SetUp() override {
    kvtest::DbTest::SetUp();
    if (HasFatalFailure()) return;
    kvschema::CreateSchema(db());
    const QString user = qEnvironmentVariable("XDG_DATA_HOME") + "/Tarnwick";
    const QString common = qEnvironmentVariable("TESSARIN_COMMON_APPDATA") + "/Tarnwick";
    QDir(user).removeRecursively();
    QDir(common).removeRecursively();
    const QString bin = kvtest::TempRoot() + "/bin-" + QUuid::createUuid().toString(QUuid::Id128) + "/";
    QDir().mkpath(bin);
    if (isPg()) {
      qputenv("TESSARIN_DB_PORT", QByteArray::number(facts().port));
      Write(user + "/TessarinVELT/SetupVELT.ini",
            "[Database]\nDBHost=" + facts().host.toUtf8() + "\nDBLiveName=" +
                facts().database.toUtf8() + "\n");
    } else {
      Write(bin + "menuhost", "#!/bin/sh\n");
      QDir().mkpath(common + "/TessarinQS");
    }
    kui::ModalSeam::SetAnswerer([this](QDialog& d) {
      if (auto* box = qobject_cast<QMessageBox*>(&d)) {
        boxes << box->text();
        box->button(QMessageBox::Ok) ? box->button(QMessageBox::Ok)->click() : box->reject();
      } else {
        if (auto* msg = qobject_cast<TMessageFrame*>(&d)) messages << msg->MemoMsg->toPlainText();
        d.reject();
      }
    });
    m = std::make_unique<TDMDB>();
    m->SetProgramFile(bin + "StyleKeeper");
    m->Now = [] { return QDateTime(QDate(2024, 3, 5), QTime(9, 15, 30)); };
    ASSERT_TRUE(m->Init());
    if (!isPg()) m->Setup->LocalDataFolder = facts().localDataFolder;
    ASSERT_TRUE(m->ConnectRemoteDB(false)) << m->LastError.toStdString();
    rules = std::make_unique<TDMBRules>();
  }

  void TearDown() override {
    rules.reset();
    m.reset();
    kui::ModalSeam::ClearAnswerers();
    qunsetenv("TESSARIN_DB_PORT");
    kvtest::DbTest::TearDown();
  }

  std::unique_ptr<TDMBRules> rules;

  static void Write(const QString& path, const QByteArray& bytes) {
    QDir().mkpath(QFileInfo(path).absolutePath());
    QFile f(path);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly | QIODevice::Truncate)) << path.toStdString();
    f.write(bytes);
  }

  QByteArray LogText() const { return ReadAll(m->LogFileName); }
  // Statements on the test's own connection, apart from the module's.
  void Exec(const QString& sql) { db().Execute(sql); }
  QStringList Column(const QString& sql) {
    kdb::Query q(&db());
    q.SQL = sql;
    q.ExecSQL();
    QStringList out;
    for (q.First(); !q.Eof(); q.Next()) out << q.Fields(0).AsString();
    return out;
  }
  // Rows with explicit ids: the id counters then move past them.
  void ExecWithIds(const QString& sql) {
    Exec(sql);
    kvschema::SyncIdCounters(db());
  }
};

}  // namespace fwdbtest
