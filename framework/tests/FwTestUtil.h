#pragma once
// Helpers of the framework's tests: a fresh program folder and fresh settings
// folders per test, file reading, a fixed clock, and message-box capture.
#include <gtest/gtest.h>

#include "DataModF.h"
#include "KvTestSupport.h"
#include "ModalSeam.h"

#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QMessageBox>
#include <QPushButton>
#include <QUuid>

namespace fwtest {

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

// Every data-module test: no settings folders left by another test, its own
// program folder (with or without the launcher beside the program), a fixed
// clock, and every system message box recorded instead of shown.
class DataModuleTest : public ::testing::Test {
 protected:
  QString programDir;
  QStringList boxes;  // texts of the message boxes shown
  QDateTime clock = At("2024-03-05T09:15:30");

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
  void TearDown() override { kui::ModalSeam::ClearAnswerers(); }

  // A data module whose program file is programDir + fileName.
  std::unique_ptr<TDMDB> Module(const QString& fileName = "StyleKeeper") {
    auto m = std::make_unique<TDMDB>();
    m->SetProgramFile(programDir + fileName);
    m->Now = [this] { return clock; };
    return m;
  }
  void AddLauncher() { WriteFile(programDir + "menuhost", "#!/bin/sh\n"); }
  void WriteSettings(const QByteArray& ini) { WriteFile(MultiUserFolder() + "SetupVELT.ini", ini); }
};

}  // namespace fwtest
