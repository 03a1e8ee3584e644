#pragma once
// Helpers of the style editor's tests: a data module in a fresh program
// folder, the answers to every modal window, and (for the database tests) a
// shop database made by the schema tool with its starter data on either engine.
#include <gtest/gtest.h>

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QMessageBox>
#include <QPushButton>
#include <QTextEdit>
#include <QUuid>

#include <functional>
#include <memory>

#include "ConfirmMessageForm.h"
#include "DMBRulesF.h"
#include "DataModF.h"
#include "KvTestSupport.h"
#include "MessageFrame.h"
#include "ModalSeam.h"
#include "StyleKeeperForm.h"

namespace sktest {

inline QString UserFolder() { return qEnvironmentVariable("XDG_DATA_HOME") + "/"; }
inline QString CommonFolder() { return qEnvironmentVariable("TESSARIN_COMMON_APPDATA") + "/"; }
inline QString MultiUserFolder() { return UserFolder() + "Tarnwick/TessarinVELT/"; }
inline QString SingleUserFolder() { return CommonFolder() + "Tarnwick/TessarinQS/"; }

inline void WriteFile(const QString& path, const QByteArray& bytes) {
  QDir().mkpath(QFileInfo(path).absolutePath());
  QFile f(path);
  ASSERT_TRUE(f.open(QIODevice::WriteOnly | QIODevice::Truncate)) << path.toStdString();
  f.write(bytes);
}

// A data module and business-rules module for one test, in a program folder
// of its own; every message and system box is recorded and answered.
class FormTestBase {
 protected:
  QString programDir;
  QStringList messages;  // texts of the message windows and system boxes shown
  // Called for any other dialog (the price calculator); rejects by default.
  std::function<void(QDialog&)> onDialog;
  // How confirmations are answered (their texts go to messages too).
  bool confirmYes = true;
  std::unique_ptr<TDMDB> dm;
  std::unique_ptr<TDMBRules> rules;

  void SetUpModules() {
    QDir(UserFolder() + "Tarnwick").removeRecursively();
    QDir(CommonFolder() + "Tarnwick").removeRecursively();
    programDir = kvtest::TempRoot() + "/bin-" + QUuid::createUuid().toString(QUuid::Id128) + "/";
    QDir().mkpath(programDir);
    kui::ModalSeam::SetAnswerer([this](QDialog& d) { Answer(d); });
  }

  void CreateModules() {
    dm = std::make_unique<TDMDB>();
    dm->SetProgramFile(programDir + "StyleKeeper");
    rules = std::make_unique<TDMBRules>();
  }

  void TearDownModules() {
    kui::ModalSeam::ClearAnswerers();
    rules.reset();
    dm.reset();
  }

  void Answer(QDialog& d) {
    if (auto* box = qobject_cast<QMessageBox*>(&d)) {
      messages << box->text();
      box->button(QMessageBox::Ok) ? box->button(QMessageBox::Ok)->click() : box->reject();
    } else if (auto* confirm = qobject_cast<TFormMsgConfirm*>(&d)) {
      messages << confirm->MemoMsg->toPlainText();
      (confirmYes ? confirm->BitBtnYes : confirm->BitBtnNo)->click();
    } else if (auto* frame = qobject_cast<TMessageFrame*>(&d)) {
      messages << frame->MemoMsg->toPlainText();
      frame->accept();
    } else if (onDialog) {
      onDialog(d);
    } else {
      d.reject();
    }
  }
};

}  // namespace sktest
