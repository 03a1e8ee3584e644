// The per-control events the style editor's units hook: entering and leaving
// a box only by a move inside the window, typed keys dropped by a hook, and
// clicks on a label.
#include <gtest/gtest.h>

#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QTest>
#include <QVBoxLayout>

#include "ControlEventsClass.h"

namespace {

class ControlEventsTest : public ::testing::Test {
 protected:
  QWidget window;
  QLineEdit* first = new QLineEdit(&window);
  QLineEdit* second = new QLineEdit(&window);
  QLabel* label = new QLabel("Exit", &window);

  void SetUp() override {
    auto* layout = new QVBoxLayout(&window);
    for (QWidget* w : {static_cast<QWidget*>(first), static_cast<QWidget*>(second), static_cast<QWidget*>(label)})
      layout->addWidget(w);
    window.show();
    QApplication::setActiveWindow(&window);
    ASSERT_TRUE(QTest::qWaitForWindowActive(&window));
  }
};

TEST_F(ControlEventsTest, EnterAndExitAreMovesInsideTheWindowOnly) {
  int entered = 0, left = 0;
  auto& events = TControlEventsClass::Of(second);
  events.OnEnter = [&] { ++entered; };
  events.OnExit = [&] { ++left; };
  EXPECT_EQ(&TControlEventsClass::Of(second), &events);  // one set of events per control

  first->setFocus(Qt::TabFocusReason);
  second->setFocus(Qt::TabFocusReason);
  EXPECT_EQ(entered, 1);
  first->setFocus(Qt::MouseFocusReason);
  EXPECT_EQ(left, 1);
  // The window coming back to the front gives the focus back without an entry.
  second->setFocus(Qt::ActiveWindowFocusReason);
  first->setFocus(Qt::PopupFocusReason);
  EXPECT_EQ(entered, 1);
  EXPECT_EQ(left, 1);
}

TEST_F(ControlEventsTest, AHookDropsTypedKeysButNeverSeesTabEscOrEditingKeys) {
  QStringList seen;
  TControlEventsClass::Of(first).OnKeyPress = [&](QChar& key) {
    seen << QString(key);
    if (!key.isDigit()) key = QChar();
  };
  first->setFocus(Qt::TabFocusReason);
  QTest::keyClicks(first, "4x2");
  EXPECT_EQ(first->text(), "42");
  // X11 sends Delete with the character 0x7F: it edits, whatever the hook.
  first->setCursorPosition(0);
  QTest::sendKeyEvent(QTest::Click, first, Qt::Key_Delete, QString(QChar(0x7F)), Qt::NoModifier);
  EXPECT_EQ(first->text(), "2");
  QTest::keyClick(first, Qt::Key_Backspace);
  QTest::keyClick(first, Qt::Key_Return);
  QTest::keyClick(first, Qt::Key_Escape);
  QTest::keyClick(first, Qt::Key_Tab);
  EXPECT_EQ(seen, QStringList({"4", "x", "2", "\r"}));
  EXPECT_EQ(QApplication::focusWidget(), second);  // Tab moved on
}

TEST_F(ControlEventsTest, ALabelTakesClicksAndDoubleClicks) {
  int clicks = 0, doubles = 0;
  auto& events = TControlEventsClass::Of(label);
  events.OnClick = [&] { ++clicks; };
  events.OnDblClick = [&] { ++doubles; };
  QTest::mouseClick(label, Qt::LeftButton);
  QTest::mouseClick(label, Qt::RightButton);
  EXPECT_EQ(clicks, 1);
  QTest::mouseDClick(label, Qt::LeftButton);
  EXPECT_EQ(doubles, 1);
}

}  // namespace
