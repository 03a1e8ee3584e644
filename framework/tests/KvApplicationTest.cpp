#include <gtest/gtest.h>

#include <QDialog>
#include <QMessageBox>

#include <stdexcept>

#include "KvApplication.h"
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

}  // namespace
