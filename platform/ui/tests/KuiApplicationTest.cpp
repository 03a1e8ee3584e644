// The application object's net, driven through real widgets: an exception
// that escapes a click, a key or a queued call is logged under the handler's
// name, shown, the window is usable again, and the program goes on.
#include <gtest/gtest.h>

#include <QApplication>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <QVBoxLayout>

#include <stdexcept>

#include "KuiApplication.h"
#include "KuiGuard.h"
#include "KvBusyGuard.h"
#include "KvTestSupport.h"
#include "ModalSeam.h"

namespace {

class KvApplicationTest : public ::testing::Test {
 protected:
  QStringList reported;  // "where: what"
  QStringList shown;     // texts of the boxes shown
  kvtest::ExpectEscapes expect;

  void SetUp() override {
    ASSERT_NE(qobject_cast<kui::KvApplication*>(qApp), nullptr) << "tests run under the suite's application";
    kui::SetErrorReporter([this](const QString& where, const QString& what) { reported << where + ": " + what; });
    kui::ModalSeam::SetAnswerer([this](QDialog& d) {
      if (auto* box = qobject_cast<QMessageBox*>(&d)) shown << box->text();
      d.accept();
    });
  }
  void TearDown() override {
    kui::ModalSeam::ClearAnswerers();
    kui::SetErrorReporter(nullptr);
  }
};

// A form with the kind of handler that fails half-way: it disables its
// window and sets the wait cursor by hand, then throws.
struct Form : QWidget {
  QPushButton* save = new QPushButton("Save", this);
  QPushButton* plain = new QPushButton("Plain", this);
  QPushButton* other = new QPushButton("Other", this);
  int otherClicks = 0;

  Form() {
    setObjectName("FormStyle");
    save->setObjectName("SpButSave");
    plain->setObjectName("SpButPlain");
    auto* layout = new QVBoxLayout(this);
    for (QWidget* w : {static_cast<QWidget*>(save), static_cast<QWidget*>(plain), static_cast<QWidget*>(other)})
      layout->addWidget(w);
    connect(save, &QPushButton::clicked, this, kui::Named("TForm1::SpButSaveClick", [this] { FailHalfWay(); }));
    connect(plain, &QPushButton::clicked, this, [] { throw 42; });
    connect(other, &QPushButton::clicked, this, [this] { ++otherClicks; });
  }
  void FailHalfWay() {
    setEnabled(false);
    QApplication::setOverrideCursor(Qt::WaitCursor);
    throw std::runtime_error("Record not found: it was removed by another user");
  }
};

TEST_F(KvApplicationTest, AClickThatThrowsIsLoggedShownAndTheWindowWorksOn) {
  Form form;
  form.show();
  QTest::mouseClick(form.save, Qt::LeftButton);
  EXPECT_EQ(reported, QStringList{"TForm1::SpButSaveClick: Record not found: it was removed by another user"});
  EXPECT_EQ(shown, QStringList{"Record not found: it was removed by another user"});
  EXPECT_TRUE(form.isEnabled());
  EXPECT_EQ(QApplication::overrideCursor(), nullptr);

  // The program goes on: the next click is handled as usual.
  QTest::mouseClick(form.other, Qt::LeftButton);
  EXPECT_EQ(form.otherClicks, 1);
}

TEST_F(KvApplicationTest, AHandlerWithoutANameIsLoggedUnderTheWindowAndObject) {
  Form form;
  form.show();
  QTest::mouseClick(form.plain, Qt::LeftButton);
  EXPECT_EQ(reported, QStringList{"KvApplication::notify (QWidget/SpButPlain): unknown exception"});
  EXPECT_EQ(shown, QStringList{"unknown exception"});
}

TEST_F(KvApplicationTest, KeysTimersAndQueuedCallsAreCaughtToo) {
  QLineEdit edit;
  edit.setObjectName("EditStyle");
  struct Thrower : QObject {
    bool eventFilter(QObject*, QEvent* e) override {
      if (e->type() == QEvent::KeyPress) throw std::runtime_error("key");
      return false;
    }
  } thrower;
  edit.installEventFilter(&thrower);
  edit.show();
  QTest::keyClick(&edit, Qt::Key_A);
  EXPECT_EQ(edit.text(), "");

  QTimer::singleShot(0, &edit, kui::Named("TForm1::TimerLoadTimer", [] { throw std::runtime_error("timer"); }));
  QMetaObject::invokeMethod(&edit, [] { throw std::runtime_error("queued"); }, Qt::QueuedConnection);
  QTest::qWait(20);
  ASSERT_EQ(reported.size(), 3);
  EXPECT_EQ(reported[0], "KvApplication::notify (EditStyle): key");
  EXPECT_TRUE(reported.contains("TForm1::TimerLoadTimer: timer")) << reported.join("|").toStdString();
  EXPECT_TRUE(reported.contains("KvApplication::notify (EditStyle): queued")) << reported.join("|").toStdString();
  shown.sort();
  EXPECT_EQ(shown, (QStringList{"key", "queued", "timer"}));
}

// While an outer operation runs under its busy guard (a pumped event inside
// it failed), its window stays disabled: the guard gives it back itself.
TEST_F(KvApplicationTest, AWindowOfARunningOperationStaysWithItsGuard) {
  Form form;
  form.show();
  {
    kui::KvBusyGuard busy(&form, "Saving...");
    QMetaObject::invokeMethod(form.save, [] { throw std::runtime_error("inner"); }, Qt::QueuedConnection);
    QApplication::processEvents();
    EXPECT_EQ(reported.size(), 1);
    EXPECT_FALSE(form.isEnabled());
    EXPECT_NE(QApplication::overrideCursor(), nullptr);
  }
  EXPECT_TRUE(form.isEnabled());
  EXPECT_EQ(QApplication::overrideCursor(), nullptr);
}

TEST_F(KvApplicationTest, TheInnermostNamedHandlerNamesTheFailureAndACaughtOneLeavesNoName) {
  QWidget w;
  w.setObjectName("FormStyle");
  // Caught inside: no name may stay behind for a later escape.
  QMetaObject::invokeMethod(&w, kui::Named("TForm1::FormShow", [] {
    try {
      const kui::HandlerName inner("TForm1::LoadStyle");
      throw std::runtime_error("caught");
    } catch (const std::runtime_error&) {
    }
  }), Qt::QueuedConnection);
  QMetaObject::invokeMethod(&w, [] { throw std::runtime_error("plain"); }, Qt::QueuedConnection);
  QMetaObject::invokeMethod(&w, kui::Named("TForm1::SpButSaveClick", [] {
    const kui::HandlerName inner("TForm1::d_SaveStyle");
    throw std::runtime_error("deep");
  }), Qt::QueuedConnection);
  QTest::qWait(20);
  EXPECT_EQ(reported, (QStringList{"KvApplication::notify (FormStyle): plain", "TForm1::d_SaveStyle: deep"}));
}

TEST_F(KvApplicationTest, AFailingShowStillLeavesTheProgramRunning) {
  kui::KvApplication::SetShowError([](const QString&) { throw std::runtime_error("no window"); });
  Form form;
  form.show();
  QTest::mouseClick(form.save, Qt::LeftButton);
  kui::KvApplication::SetShowError(nullptr);
  EXPECT_EQ(reported.size(), 1);
  EXPECT_TRUE(form.isEnabled());
  QTest::mouseClick(form.other, Qt::LeftButton);
  EXPECT_EQ(form.otherClicks, 1);
}

}  // namespace
