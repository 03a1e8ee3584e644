#include <gtest/gtest.h>

#include <QDialog>
#include <QMessageBox>
#include <QPushButton>
#include <QTest>

#include <stdexcept>

#include "KuiGuard.h"
#include "KvApplication.h"
#include "KvFwTestSupport.h"
#include "ModalSeam.h"

namespace {

// Runs the body under the application's last word and returns what the
// message box said ("" when none was shown).
QString ShownAfter(const std::function<int()>& body, int* code) {
  QString shown;
  kui::ScopedAnswerer answer([&](QDialog& d) {
    if (auto* box = qobject_cast<QMessageBox*>(&d)) shown = box->text();
    d.accept();
  });
  *code = KvRunApplication(body);
  return shown;
}

TEST(KvApplication, AnExceptionNobodyCaughtIsShownAndEndsTheRunWithAFailure) {
  int code = 0;
  EXPECT_EQ(ShownAfter([]() -> int { throw std::runtime_error("disk on fire"); }, &code),
            "disk on fire");
  EXPECT_EQ(code, 1);

  EXPECT_EQ(ShownAfter([]() -> int { throw 42; }, &code), "Unknown exception");
  EXPECT_EQ(code, 1);
}

TEST(KvApplication, ANormalRunShowsNothingAndKeepsItsExitCode) {
  int code = 0;
  EXPECT_EQ(ShownAfter([] { return 7; }, &code), "");
  EXPECT_EQ(code, 7);
}

// In a program: what escapes a handler goes to the daily log under the
// handler's name and to the program's own message window, and the window is
// usable again.
class KvApplicationNetTest : public kvfwtest::ModuleTest<> {};

TEST_F(KvApplicationNetTest, AnEscapedFailureIsLoggedShownInTheMessageWindowAndTheWindowWorksOn) {
  WriteSettings("[Local]\nLOBranchID=2\n");
  dm = Module("suppliers");
  ASSERT_TRUE(dm->Init());
  const kvtest::ExpectEscapes expect;
  QWidget form;
  auto* save = new QPushButton("Save", &form);
  save->setObjectName("SpButSave");
  int clicks = 0;
  QObject::connect(save, &QPushButton::clicked, &form, kui::Named("TForm1::SpButSaveClick", [&] {
    ++clicks;
    form.setEnabled(false);
    if (clicks == 1) throw kdb::DbError("Record not found: it was removed by another user");
    form.setEnabled(true);
  }));
  form.show();
  QTest::mouseClick(save, Qt::LeftButton);
  EXPECT_TRUE(LogText().endsWith("TForm1::SpButSaveClick\r\n2024-03-05 09:15:30\r\n"
                                 "Record not found: it was removed by another user\r\n\r\n"
                                 "2024-03-05 09:15:30\r\nRecord not found: it was removed by another user\r\n"))
      << LogText().toStdString();
  EXPECT_EQ(messages, QStringList{"Record not found: it was removed by another user"});
  EXPECT_TRUE(form.isEnabled());
  EXPECT_EQ(dm->LastError, "Record not found: it was removed by another user");
  QTest::mouseClick(save, Qt::LeftButton);
  EXPECT_EQ(clicks, 2);
  EXPECT_EQ(messages.size(), 1);
}

}  // namespace
