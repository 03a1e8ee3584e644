#include <gtest/gtest.h>

#include "ConfirmMessageForm.h"
#include "KvColour.h"
#include "KvTestSupport.h"
#include "LoadingForm.h"
#include "MessageForm.h"
#include "ModalSeam.h"
#include "WaitClass.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QLabel>
#include <QPushButton>
#include <QScreen>
#include <QTest>
#include <QTextEdit>
#include <QTimer>

#include <algorithm>
#include <set>

namespace {

TEST(KvColour, BlueGreenRedOrder) {
  EXPECT_EQ(kvColour(0x0000FF), QColor(255, 0, 0));
  EXPECT_EQ(kvColour(0xC6FFFF), QColor(0xFF, 0xFF, 0xC6));
  EXPECT_EQ(kvColourValue(QColor(0x12, 0x34, 0x56)), 0x563412u);
}

TEST(FormMsg, LayoutAndTextAndScreenshot) {
  TFormMsg form;
  EXPECT_EQ(form.size(), QSize(519, 365));  // 517 x 363 inside a one-pixel border
  EXPECT_EQ(form.PanelTop->text(), "Message");
  EXPECT_EQ(form.PanelTop->height(), 75);
  EXPECT_EQ(kvColourValue(form.PanelTop->palette().color(QPalette::Window)), 0xC6FFFFu);
  EXPECT_EQ(form.PanelTop->font().pixelSize(), 29);
  EXPECT_TRUE(form.PanelTop->font().bold());
  EXPECT_EQ(form.MemoMsg->font().pixelSize(), 19);
  EXPECT_TRUE(form.MemoMsg->isReadOnly());
  EXPECT_EQ(form.BitBtnOK->size(), QSize(75, 50));
  EXPECT_TRUE(form.BitBtnOK->isDefault());
  EXPECT_TRUE(form.windowFlags() & Qt::FramelessWindowHint);

  kui::ScopedAnswerer answer([](QDialog& d) {
    kvtest::SaveScreenshot(&d, "FormMsg");
    QTest::keyClick(static_cast<TFormMsg&>(d).BitBtnOK, Qt::Key_Escape);
  });
  form.Execute("Style saved successfully.\nTwo lines.");
  EXPECT_EQ(form.MemoMsg->toPlainText(), "Style saved successfully.\nTwo lines.");
  EXPECT_EQ(form.MemoMsg->alignment() & Qt::AlignHCenter, Qt::AlignHCenter);
  EXPECT_FALSE(form.isVisible());
  EXPECT_EQ(form.result(), QDialog::Accepted);  // Escape acted as OK
}

class FormMsgConfirmTest : public ::testing::Test {
 protected:
  // Runs the window with the answer and returns Execute's result.
  static bool Ask(const std::function<void(TFormMsgConfirm&)>& answer) {
    TFormMsgConfirm form;
    kui::ScopedAnswerer seam([&](QDialog& d) { answer(static_cast<TFormMsgConfirm&>(d)); });
    return form.Execute("Delete this style?");
  }
};

TEST_F(FormMsgConfirmTest, LayoutAndScreenshot) {
  TFormMsgConfirm form;
  EXPECT_EQ(form.size(), QSize(519, 382));
  EXPECT_EQ(form.PanelTop->text(), "Confirm Message");
  EXPECT_EQ(form.PanelBottom->height(), 65);
  EXPECT_EQ(form.BitBtnYes->size(), QSize(150, 50));
  EXPECT_EQ(form.BitBtnNo->size(), QSize(150, 50));
  EXPECT_FALSE(form.BitBtnYes->icon().isNull());
  EXPECT_FALSE(form.Confirmed);
  bool yesFocused = false;
  kui::ScopedAnswerer answer([&](QDialog& d) {
    yesFocused = QApplication::focusWidget() == static_cast<TFormMsgConfirm&>(d).BitBtnYes ||
                 d.focusWidget() == static_cast<TFormMsgConfirm&>(d).BitBtnYes;
    kvtest::SaveScreenshot(&d, "FormMsgConfirm");
  });
  EXPECT_FALSE(form.Execute("Save the changes to style 00001234?"));
  EXPECT_TRUE(yesFocused);
}

TEST_F(FormMsgConfirmTest, EnterOnAFocusedNoCountsAsYes) {
  EXPECT_TRUE(Ask([](TFormMsgConfirm& f) {
    f.BitBtnNo->setFocus();
    QTest::keyClick(f.BitBtnNo, Qt::Key_Return);
  }));
  EXPECT_TRUE(Ask([](TFormMsgConfirm& f) { QTest::keyClick(f.MemoMsg, Qt::Key_Enter); }));
}

TEST_F(FormMsgConfirmTest, EscapeCountsAsNoWhereverTheFocusIs) {
  EXPECT_FALSE(Ask([](TFormMsgConfirm& f) { QTest::keyClick(f.BitBtnYes, Qt::Key_Escape); }));
  EXPECT_FALSE(Ask([](TFormMsgConfirm& f) { QTest::keyClick(&f, Qt::Key_Escape); }));
}

TEST_F(FormMsgConfirmTest, ButtonsAnswer) {
  EXPECT_TRUE(Ask([](TFormMsgConfirm& f) { QTest::mouseClick(f.BitBtnYes, Qt::LeftButton); }));
  EXPECT_FALSE(Ask([](TFormMsgConfirm& f) { QTest::mouseClick(f.BitBtnNo, Qt::LeftButton); }));
  EXPECT_FALSE(Ask([](TFormMsgConfirm& f) { QTest::keyClick(f.BitBtnYes, Qt::Key_A); }));
}

TEST(MessageWindows, AreCentredOnTheScreen) {
  QWidget main;  // an active window elsewhere does not move them
  main.setGeometry(0, 0, 300, 200);
  main.show();
  main.activateWindow();
  QApplication::processEvents();
  QList<QPoint> centres;
  kui::ScopedAnswerer answer([&](QDialog& d) {
    centres << d.frameGeometry().center();
    d.reject();
  });
  TFormMsg msg;
  msg.Execute("Saved.");
  TFormMsgConfirm confirm;
  confirm.Execute("Sure?");
  const QPoint screen = QGuiApplication::primaryScreen()->availableGeometry().center();
  ASSERT_EQ(centres.size(), 2);
  for (const QPoint& c : centres) EXPECT_LE((c - screen).manhattanLength(), 4);
}

std::set<quint32> Painted(const TFormLoading& f) {
  std::set<quint32> painted;
  for (int i = 0; i < TFormLoading::kBarPanels; ++i)
    if (f.PanelColour(i) != TFormLoading::kBarColour) painted.insert(static_cast<quint32>(i));
  return painted;
}

TEST(FormLoading, TheBarFillsLeftToRightAndClearsOnTheTwelfthTick) {
  TFormLoading form;
  EXPECT_EQ(form.Step, -1);
  EXPECT_TRUE(Painted(form).empty());
  for (int tick = 1; tick <= 11; ++tick) {
    form.TimerLoadingTimer();
    const std::set<quint32> painted = Painted(form);
    ASSERT_EQ(painted.size(), static_cast<size_t>(tick)) << "tick " << tick;
    EXPECT_EQ(*painted.rbegin(), static_cast<quint32>(tick - 1));
    EXPECT_EQ(form.Step, tick - 1);
    EXPECT_LT(form.PanelColour(tick - 1), 65536u);  // rand() % 65536
  }
  form.TimerLoadingTimer();  // the twelfth
  EXPECT_TRUE(Painted(form).empty());
  EXPECT_EQ(form.Step, -1);
  form.TimerLoadingTimer();
  EXPECT_EQ(Painted(form), std::set<quint32>{0});
}

TEST(FormLoading, LayoutAndInfoPanel) {
  TFormLoading form;
  EXPECT_EQ(form.size(), QSize(821, 170));
  EXPECT_EQ(form.TimerLoading->interval(), 25);
  EXPECT_FALSE(form.TimerLoading->isActive());
  EXPECT_EQ(form.BarPanels[10]->objectName(), "Panel10");
  EXPECT_EQ(form.BarPanels[3]->geometry(), QRect(177, 0, 59, 88));
  EXPECT_EQ(kvColourValue(form.PanelMsg->palette().color(QPalette::Window)), 0x292929u);
  EXPECT_EQ(kvColourValue(form.PanelInfo->palette().color(QPalette::Window)), 0xCFF9FCu);

  form.SetMessage("Please wait loading suppliers...");
  form.SetInfo("");
  form.ShowLoading();
  EXPECT_EQ(form.windowTitle(), "Please wait loading suppliers...");
  EXPECT_FALSE(form.PanelInfo->isVisible());
  EXPECT_TRUE(form.TimerLoading->isActive());

  form.SetInfo("Row 10 of 200");
  EXPECT_FALSE(form.PanelInfo->isVisible());
  form.ShowLoading();
  EXPECT_TRUE(form.PanelInfo->isVisible());
  EXPECT_GT(form.PanelInfo->geometry().top(), form.PanelMsg->geometry().top());
  form.close();
  EXPECT_FALSE(form.TimerLoading->isActive());
}

TEST(WaitClass, NonModalAnimatedWindowThatClosesWithItsScope) {
  const int modalBefore = kui::ModalSeam::ShownCount();
  QPointer<TFormLoading> window;
  {
    TWaitClass wait;
    wait.Show("Connecting to Back Office: server", "");
    ASSERT_NE(wait.Form, nullptr);
    window = wait.Form;
    EXPECT_TRUE(window->isVisible());
    EXPECT_FALSE(window->isModal());
    EXPECT_EQ(window->PanelMsg->text(), "Connecting to Back Office: server");
    // The work goes on while the bar moves under the event loop's timer.
    EXPECT_TRUE(QTest::qWaitFor([&] { return window->Step >= 2; }, 5000));

    wait.Show("Saving styles...", "Style 3 of 9");  // same window, new texts
    EXPECT_EQ(wait.Form, window.data());
    EXPECT_TRUE(window->PanelInfo->isVisible());
    kvtest::SaveScreenshot(window, "FormLoading");
  }
  // Closed with its scope: hidden, and kept for the next operation.
  ASSERT_FALSE(window.isNull());
  EXPECT_FALSE(window->isVisible());
  EXPECT_FALSE(window->TimerLoading->isActive());
  EXPECT_EQ(kui::ModalSeam::ShownCount(), modalBefore);

  TWaitClass twice;
  twice.Close();
  twice.Show("a");
  EXPECT_EQ(twice.Form, window.data());  // not made anew
  twice.Close();
  twice.Close();
  EXPECT_EQ(twice.Form, nullptr);
  EXPECT_FALSE(window->isVisible());

  TWaitClass::FreeWindow();
  EXPECT_TRUE(window.isNull());
  twice.Show("b");  // a new one when needed again
  EXPECT_NE(twice.Form, nullptr);
}

// An operation that runs inside another one shows its own texts on the one
// wait window, and hands the window back to its caller when it ends.
TEST(WaitClass, NestedOperationsShareTheWindowAndTheOuterTextComesBack) {
  TWaitClass outer;
  outer.Show("Please wait...", "Style 1 of 3");
  TFormLoading* window = outer.Form;
  ASSERT_NE(window, nullptr);
  {
    TWaitClass inner;
    inner.Show("Loading sizes...");
    EXPECT_EQ(inner.Form, window);
    EXPECT_EQ(window->PanelMsg->text(), "Loading sizes...");
    EXPECT_FALSE(window->PanelInfo->isVisible());
    outer.Show("Please wait...", "Style 2 of 3");  // waits until the inner one is done
    EXPECT_EQ(window->PanelMsg->text(), "Loading sizes...");
  }
  EXPECT_TRUE(window->isVisible());
  EXPECT_EQ(window->PanelMsg->text(), "Please wait...");
  EXPECT_EQ(window->PanelInfo->text(), "Style 2 of 3");
  EXPECT_TRUE(window->PanelInfo->isVisible());
  outer.Close();
  EXPECT_FALSE(window->isVisible());
  const QWidgetList windows = QApplication::topLevelWidgets();
  EXPECT_EQ(std::count_if(windows.begin(), windows.end(),
                          [](QWidget* w) { return qobject_cast<TFormLoading*>(w) != nullptr; }),
            1);
}

// An operation that changes the text for every row must not spend its time
// letting the window repaint: events are let through at most every 25 ms.
TEST(WaitClass, ARunningTextLetsTheWindowPaintAtMostEvery25ms) {
  // Each time events are let through, this object sees one ping and posts
  // the next: the pings count the times.
  struct Pings : QObject {
    int seen = 0;
    bool event(QEvent* e) override {
      if (e->type() != QEvent::User) return QObject::event(e);
      ++seen;
      QCoreApplication::postEvent(this, new QEvent(QEvent::User));
      return true;
    }
  } pings;
  TWaitClass wait;
  wait.Show("Please wait...");
  QCoreApplication::postEvent(&pings, new QEvent(QEvent::User));
  QElapsedTimer clock;
  clock.start();
  for (int row = 1; row <= 300; ++row) wait.Show("Please wait...", "Row " + QString::number(row));
  const qint64 elapsed = clock.elapsed();
  EXPECT_LE(pings.seen, elapsed / TFormLoading::kPaintMs + 1) << elapsed << " ms";
  EXPECT_EQ(wait.Form->PanelInfo->text(), "Row 300");
  QCoreApplication::removePostedEvents(&pings);
}

}  // namespace
