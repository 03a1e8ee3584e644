// The busy guard and the disabled window: what a handler sets while it works
// is undone on every way out, and guards inside guards leave the outer
// operation's window and wait window as they were.
#include <gtest/gtest.h>

#include <QApplication>
#include <QLineEdit>
#include <QTest>
#include <QVBoxLayout>

#include <stdexcept>

#include "KvBusyGuard.h"
#include "KvDisabledWindow.h"

using namespace kui;

namespace {

struct RecordingWait : KvWaitIndicator {
  QStringList calls;
  void ShowWait(const QString& m, const QString& i) override { calls << "show " + m + "|" + i; }
  void UpdateWait(const QString& m, const QString& i) override { calls << "update " + m + "|" + i; }
  void CloseWait() override { calls << "close"; }
};

struct FailingWait : KvWaitIndicator {
  void ShowWait(const QString&, const QString&) override { throw std::runtime_error("no wait window"); }
  void CloseWait() override {}
};

TEST(KvBusyGuard, RestoresTheWindowOnException) {
  QWidget window;
  RecordingWait wait;
  try {
    KvBusyGuard busy(&window, "Please wait...", "", &wait);
    EXPECT_FALSE(window.isEnabled());
    EXPECT_NE(QApplication::overrideCursor(), nullptr);
    EXPECT_EQ(KvBusyGuard::ActiveCount(), 1);
    busy.SetMessage("Processing style: A1");
    throw std::runtime_error("failed row");
  } catch (const std::runtime_error&) {
  }
  EXPECT_TRUE(window.isEnabled());
  EXPECT_EQ(QApplication::overrideCursor(), nullptr);
  EXPECT_EQ(KvBusyGuard::ActiveCount(), 0);
  EXPECT_EQ(wait.calls, (QStringList{"show Please wait...|", "update Processing style: A1|", "close"}));
}

// An inner operation under its own guard must not close the wait window of
// the operation that called it: it ends by giving the outer text back.
TEST(KvBusyGuard, AnInnerGuardLeavesTheOuterWaitWindowShownWithItsText) {
  QWidget window;
  RecordingWait wait;
  KvBusyGuard::SetDefaultIndicator(&wait);
  {
    KvBusyGuard outer(&window, "Saving style...", "Colour 1 of 3");
    {
      KvBusyGuard inner(&window, "Loading sizes...");
      {
        KvBusyGuard innermost(&window, "Checking colour...");
      }
      inner.SetMessage("Loading sizes...", "Size 4");
    }
    EXPECT_FALSE(window.isEnabled());  // the inner guards restore the outer's state
    EXPECT_EQ(wait.calls.count("close"), 0);
    outer.SetMessage("Saving style...", "Colour 2 of 3");
  }
  KvBusyGuard::SetDefaultIndicator(nullptr);
  EXPECT_TRUE(window.isEnabled());
  EXPECT_EQ(wait.calls, (QStringList{"show Saving style...|Colour 1 of 3", "show Loading sizes...|",
                                     "show Checking colour...|", "update Loading sizes...|",
                                     "update Loading sizes...|Size 4", "update Saving style...|Colour 1 of 3",
                                     "update Saving style...|Colour 2 of 3", "close"}));
}

// Guards on different wait windows each close their own.
TEST(KvBusyGuard, AnInnerGuardOnAnotherWaitWindowClosesOnlyItsOwn) {
  RecordingWait outerWait, innerWait;
  {
    KvBusyGuard outer(nullptr, "outer", "", &outerWait);
    { KvBusyGuard inner(nullptr, "inner", "", &innerWait); }
    EXPECT_EQ(innerWait.calls, (QStringList{"show inner|", "close"}));
    EXPECT_EQ(outerWait.calls, QStringList{"show outer|"});
  }
  EXPECT_EQ(outerWait.calls, (QStringList{"show outer|", "close"}));
}

TEST(KvBusyGuard, AWaitWindowThatFailsToShowLeavesNothingDisabled) {
  QWidget window;
  FailingWait wait;
  EXPECT_THROW(KvBusyGuard(&window, "Please wait...", QString(), &wait), std::runtime_error);
  EXPECT_TRUE(window.isEnabled());
  EXPECT_EQ(QApplication::overrideCursor(), nullptr);
  EXPECT_EQ(KvBusyGuard::ActiveCount(), 0);
  while (QApplication::overrideCursor()) QApplication::restoreOverrideCursor();  // for later tests

  // A window that was disabled before stays so.
  window.setEnabled(false);
  EXPECT_THROW(KvBusyGuard(&window, "Please wait...", QString(), &wait), std::runtime_error);
  EXPECT_FALSE(window.isEnabled());
  while (QApplication::overrideCursor()) QApplication::restoreOverrideCursor();
}

// A disabled window loses its focus; the box typed into before gets it back,
// without being entered anew (an enter handler would run twice).
TEST(KvDisabledWindow, GivesTheFocusBackAndKeepsAWindowThatWasDisabled) {
  QWidget window;
  auto* layout = new QVBoxLayout(&window);
  auto* first = new QLineEdit(&window);
  auto* typed = new QLineEdit(&window);
  layout->addWidget(first);
  layout->addWidget(typed);
  window.show();
  QApplication::setActiveWindow(&window);
  typed->setFocus();
  ASSERT_TRUE(QTest::qWaitFor([&] { return typed->hasFocus(); }));
  std::vector<Qt::FocusReason> entered;
  struct FocusSpy : QObject {
    std::vector<Qt::FocusReason>& seen;
    explicit FocusSpy(std::vector<Qt::FocusReason>& s) : seen(s) {}
    bool eventFilter(QObject*, QEvent* e) override {
      if (e->type() == QEvent::FocusIn) seen.push_back(static_cast<QFocusEvent*>(e)->reason());
      return false;
    }
  } spy(entered);
  typed->installEventFilter(&spy);
  try {
    KvDisabledWindow disabled(&window);
    EXPECT_FALSE(window.isEnabled());
    EXPECT_FALSE(typed->hasFocus());
    throw std::runtime_error("failed");
  } catch (const std::runtime_error&) {
  }
  EXPECT_TRUE(window.isEnabled());
  EXPECT_TRUE(typed->hasFocus());
  EXPECT_EQ(entered, std::vector<Qt::FocusReason>{Qt::ActiveWindowFocusReason});

  window.setEnabled(false);
  { KvDisabledWindow disabled(&window); }
  EXPECT_FALSE(window.isEnabled());
  { KvDisabledWindow nothing(nullptr); }  // no window: nothing to do
}

}  // namespace
