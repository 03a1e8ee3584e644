#pragma once
// The database tests of the code-list programs: a shop database (schema and
// starter data) of the test's engine, the user handed over, the data module
// of the program, and its main window started on it as the program starts it.
// Every message is recorded (messages), the print preview counted and
// photographed once (build/screens/<name>.png).
//
//   class MyTest : public edtest::CodeListDbTest<TForm1> {};
//   TEST_P(MyTest, X) { Prepare("sizeranges"); TForm1& f = Start(); ... }
//   KV_DB_ENGINES(MyTest);
#include <gtest/gtest.h>

#include <QApplication>
#include <QDialog>
#include <QListWidget>

#include <functional>
#include <memory>

#include "KvShopTestSupport.h"
#include "MessageFrame.h"
#include "PickList.h"
#include "PreviewDialog.h"

namespace edtest {

// A program's window with a moment of the test's own between its checks and
// the save's transaction: another program acts there.
//   edtest::Racing<TForm1>& f = Start(); f.afterChecks = [&] { other.db->Execute(...); };
template <class Form>
class Racing : public Form {
 public:
  std::function<void()> afterChecks;

 protected:
  bool ValidateRecord() override {
    const bool passed = Form::ValidateRecord();
    if (passed && afterChecks) afterChecks();
    return passed;
  }
};

template <class Form>
class CodeListDbTest : public kvfwtest::EditionDbTest {
 protected:
  std::unique_ptr<Form> form;
  int previews = 0;
  int previewPages = 0;
  QString previewShot;  // the screenshot's name for the next preview ("" none)

  void TearDown() override {
    form.reset();  // before the module it runs on
    EditionDbTest::TearDown();
  }

  // The shop with `more` applied, the user of the launcher handed over, and
  // the module of `program`.
  void Prepare(const QString& program, const kvfwtest::DataChange& more = {}) {
    try {
      PrepareDatabase(kvfwtest::StarterData(more));
    } catch (const kdb::DbError& e) {
      GTEST_FAIL() << e.Message().toStdString();
    }
    kvtest::WriteFile(kvfwtest::EditionFolder(GetParam()) + "user.txt", "1\r\n1\r\n");
    dm = Module(program);
  }

  // The window shown, as the program shows it at start.
  template <class... Args>
  Form& Start(Args&&... args) {
    form = std::make_unique<Form>(std::forward<Args>(args)...);
    form->resize(1024, 737);
    form->show();
    QApplication::processEvents();
    EXPECT_FALSE(form->Terminated()) << dm->LastError.toStdString();
    return *form;
  }

  void OtherDialog(QDialog& d) override {
    if (auto* preview = qobject_cast<kr::PreviewDialog*>(&d)) {
      ++previews;
      previewPages = preview->PageCount();
      if (!previewShot.isEmpty()) kvtest::SaveScreenshot(preview, previewShot);
      previewShot.clear();
      d.reject();
      return;
    }
    if (qobject_cast<TMessageFrame*>(&d)) {
      d.accept();
      return;
    }
    d.reject();
  }

  QString Value(const QString& sql) { return Column(sql).value(0); }

  // The names of the list, top to bottom.
  static QStringList ListNames(const QListWidget* list) {
    QStringList names;
    for (int i = 0; i < list->count(); ++i) names << kui::PickNameAt(list, i);
    return names;
  }
  static bool Shown(const QWidget* w) { return !w->isHidden(); }
};

}  // namespace edtest
