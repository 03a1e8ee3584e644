#pragma once
// Helpers of the report units' tests: a data module in a program folder of
// its own, the messages it shows recorded instead of shown, the chosen save
// file answered, files read back, and a grid filled from rows of text.
#include <gtest/gtest.h>

#include "DataModF.h"
#include "KvStringGrid.h"
#include "KvTestSupport.h"
#include "MessageForm.h"
#include "ModalSeam.h"

#include <QDir>
#include <QFile>
#include <QTextEdit>
#include <QUuid>

namespace reptest {

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

inline QString FreshFolder(const QString& prefix) {
  const QString dir = kvtest::TempRoot() + "/" + prefix + "-" + QUuid::createUuid().toString(QUuid::Id128) + "/";
  QDir().mkpath(dir);
  return dir;
}

// Rows of cells into a grid (column count from the widest row).
inline void FillGrid(kui::KvStringGrid& grid, const std::vector<QStringList>& rows, int fixedRows = 1) {
  int cols = 1;
  for (const auto& r : rows) cols = std::max(cols, static_cast<int>(r.size()));
  grid.SetColCount(cols);
  grid.SetRowCount(static_cast<int>(rows.size()));
  grid.SetFixedCols(0);
  grid.SetFixedRows(fixedRows);
  for (int r = 0; r < static_cast<int>(rows.size()); ++r) grid.SetRowTexts(r, rows[r]);
}

// A data module whose program lives in a folder of its own, the messages it
// shows answered with OK and recorded, and the save dialog answered with
// `saveAs` (empty: cancelled).
class ModuleTest : public ::testing::Test {
 protected:
  QString programDir;
  QStringList messages;  // texts of the message windows shown
  QString saveAs;
  int saveDialogs = 0;
  QString saveFilter;
  std::unique_ptr<TDMDB> dm;

  void SetUp() override {
    QDir(qEnvironmentVariable("XDG_DATA_HOME") + "/Tarnwick").removeRecursively();
    QDir(qEnvironmentVariable("TESSARIN_COMMON_APPDATA") + "/Tarnwick").removeRecursively();
    programDir = FreshFolder("bin");
    kui::ModalSeam::SetAnswerer([this](QDialog& d) {
      if (auto* msg = qobject_cast<TFormMsg*>(&d)) messages << msg->MemoMsg->toPlainText();
      OtherDialog(d);
    });
    kui::ModalSeam::SetFileAnswerer([this](kui::ModalSeam::FileKind, const QString&, const QString& filter) {
      ++saveDialogs;
      saveFilter = filter;
      return saveAs;
    });
  }
  void TearDown() override {
    kui::ModalSeam::ClearAnswerers();
    dm.reset();
  }
  // How a test answers any modal window (after a message was recorded).
  virtual void OtherDialog(QDialog& d) { d.accept(); }

  static QString SingleUserFolder() {
    return qEnvironmentVariable("TESSARIN_COMMON_APPDATA") + "/Tarnwick/TessarinQS/";
  }
  static QString MultiUserFolder() {
    return qEnvironmentVariable("XDG_DATA_HOME") + "/Tarnwick/TessarinVELT/";
  }
  // The launcher beside the program: the single-user edition.
  void AddLauncher() {
    WriteFile(programDir + "menuhost", "#!/bin/sh\n");
    QDir().mkpath(SingleUserFolder());
  }

  // The data module of the program `name` (not yet started).
  TDMDB& Module(const QString& name = "ItemStockReport") {
    dm = std::make_unique<TDMDB>();
    dm->SetProgramFile(programDir + name);
    return *dm;
  }
  QByteArray LogText() const { return ReadAll(dm->LogFileName); }
};

}  // namespace reptest
