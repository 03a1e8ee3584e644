#include <gtest/gtest.h>

#include <QApplication>
#include <QComboBox>
#include <QPushButton>
#include <QScreen>
#include <QTest>
#include <QVBoxLayout>

#include <stdexcept>

#include "KuiColour.h"
#include "KuiFont.h"
#include "KvCheckListBox.h"
#include "KvDialog.h"
#include "KvEdit.h"
#include "KvFocusColour.h"
#include "KvMainWindow.h"
#include "KvStringGrid.h"
#include "ModalSeam.h"

using namespace kui;

TEST(KuiColour, BgrConversion) {
  EXPECT_EQ(BgrColour(0x00FFFF), QColor(255, 255, 0));  // yellow
  EXPECT_EQ(BgrColour(0x0000FF), QColor(255, 0, 0));    // red in the low byte
  EXPECT_EQ(BgrColour(0xC6FFFF), QColor(255, 255, 198));
  EXPECT_EQ(BgrColour(0xFF0000FF), QColor(255, 0, 0));  // top byte ignored
  EXPECT_EQ(ToBgr(QColor(0x12, 0x34, 0x56)), 0x563412u);
  for (quint32 v : {0x000000u, 0xE9E9E9u, 0xE2FBFCu, 0x80FF80u}) EXPECT_EQ(ToBgr(BgrColour(v)), v);
  EXPECT_EQ(BgrColourOr("255", Qt::white), QColor(255, 0, 0));
  EXPECT_EQ(BgrColourOr(" 13041663 ", Qt::white), QColor(255, 255, 198));
  EXPECT_EQ(BgrColourOr("", Qt::white), QColor(Qt::white));
  EXPECT_EQ(BgrColourOr("12ab", Qt::black), QColor(Qt::black));
}

TEST(KuiFont, SmoothFontsAskForAntialiasing) {
  QWidget w;
  auto* child = new QPushButton("x", &w);
  QFont f = child->font();
  f.setStyleStrategy(QFont::NoAntialias);
  child->setFont(f);
  SmoothFonts(&w);
  EXPECT_TRUE(child->font().styleStrategy() & QFont::PreferAntialias);
  EXPECT_FALSE(child->font().styleStrategy() & QFont::NoAntialias);
}

struct KvEditTest : ::testing::Test {
  KvEdit edit;
  void SetUp() override {
    edit.show();
    edit.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&edit));
    edit.setFocus();
  }
};

TEST_F(KvEditTest, DecimalFilterTakesOnePointAndKeepsTheCaret) {
  edit.SetFilter(KvEdit::Filter::Decimal);
  QTest::keyClicks(&edit, "1a2.3.x4");
  EXPECT_EQ(edit.text(), "12.34");
  edit.setCursorPosition(1);
  QTest::keyClicks(&edit, "-");
  EXPECT_EQ(edit.text(), "12.34");
  EXPECT_EQ(edit.cursorPosition(), 1);
  QTest::keyClicks(&edit, ".");  // a second point, refused in the middle too
  EXPECT_EQ(edit.text(), "12.34");
  EXPECT_EQ(edit.cursorPosition(), 1);
  QTest::keyClicks(&edit, "9");
  EXPECT_EQ(edit.text(), "192.34");
  EXPECT_EQ(edit.cursorPosition(), 2);
}

TEST_F(KvEditTest, DigitsFilterRefusesThePoint) {
  edit.SetFilter(KvEdit::Filter::Digits);
  QTest::keyClicks(&edit, "4.5b6");
  EXPECT_EQ(edit.text(), "456");
  EXPECT_TRUE(KvEdit::Passes(KvEdit::Filter::Decimal, "0.5"));
  EXPECT_FALSE(KvEdit::Passes(KvEdit::Filter::Decimal, "1..5"));
  EXPECT_FALSE(KvEdit::Passes(KvEdit::Filter::Digits, "1.5"));
  EXPECT_TRUE(KvEdit::Passes(KvEdit::Filter::Digits, ""));
}

TEST_F(KvEditTest, UpperCaseKeepsTheCaretAndCoversTextSetByCode) {
  edit.SetCharCase(KvEdit::CharCase::Upper);
  QTest::keyClicks(&edit, "abcd");
  EXPECT_EQ(edit.text(), "ABCD");
  edit.setCursorPosition(2);
  QTest::keyClicks(&edit, "x");
  EXPECT_EQ(edit.text(), "ABXCD");
  EXPECT_EQ(edit.cursorPosition(), 3);
  edit.setText("red/12");
  EXPECT_EQ(edit.text(), "RED/12");
}

TEST_F(KvEditTest, MaxLengthStopsTyping) {
  edit.SetCharCase(KvEdit::CharCase::Upper);
  edit.SetMaxLength(5);
  QTest::keyClicks(&edit, "abcdefg");
  EXPECT_EQ(edit.text(), "ABCDE");
  EXPECT_EQ(edit.MaxLength(), 5);
  edit.SetMaxLength(0);
  EXPECT_EQ(edit.MaxLength(), 0);
}

TEST(KvCheckListBox, CheckAllAndCount) {
  KvCheckListBox box;
  box.SetItems({"RED=1", "BLUE=2", "GREEN=3"});
  box.SetDisplayText([](const QString& s) { return s.section('=', 0, 0); });
  EXPECT_EQ(box.CheckedCount(), 0);
  EXPECT_EQ(box.item(1)->text(), "BLUE");
  EXPECT_EQ(box.Item(1), "BLUE=2");
  box.CheckAll(true);
  EXPECT_EQ(box.CheckedCount(), 3);
  box.SetChecked(0, false);
  EXPECT_EQ(box.CheckedItems(), (QStringList{"BLUE=2", "GREEN=3"}));
  box.AddItem("BLACK=4", true);
  EXPECT_EQ(box.item(3)->text(), "BLACK");
  EXPECT_EQ(box.CheckedCount(), 3);
  box.DeleteItem(1);
  EXPECT_EQ(box.IndexOf("GREEN=3"), 1);
  EXPECT_EQ(box.CheckedCount(), 2);
  box.CheckAll(false);
  EXPECT_EQ(box.CheckedCount(), 0);
  EXPECT_FALSE(box.Checked(99));
}

TEST(KvFocusColour, FocusedFieldTakesTheColourAndLeavesWhite) {
  QWidget form;
  auto* layout = new QVBoxLayout(&form);
  auto* a = new KvEdit;
  auto* b = new KvEdit;
  auto* combo = new QComboBox;
  combo->setEditable(true);
  auto* grid = new KvStringGrid;
  for (QWidget* w : std::initializer_list<QWidget*>{a, b, combo, grid}) layout->addWidget(w);
  new KvFocusColour(&form, KvFocusColour::kEditors);
  form.show();
  form.activateWindow();
  ASSERT_TRUE(QTest::qWaitForWindowActive(&form));
  const QColor yellow(255, 255, 0);
  a->setFocus();
  EXPECT_EQ(a->palette().color(QPalette::Base), yellow);
  b->setFocus();
  EXPECT_EQ(a->palette().color(QPalette::Base), QColor(Qt::white));
  EXPECT_EQ(b->palette().color(QPalette::Base), yellow);
  combo->lineEdit()->setFocus();  // the combo box, not its inner edit, is coloured
  EXPECT_EQ(combo->palette().color(QPalette::Base), yellow);
  EXPECT_EQ(b->palette().color(QPalette::Base), QColor(Qt::white));
  grid->setFocus();  // no entry field
  EXPECT_EQ(combo->palette().color(QPalette::Base), QColor(Qt::white));
}

TEST(KvFocusColour, GreyVariantAndOtherFormsUntouched) {
  QWidget form, other;
  auto* a = new KvEdit(&form);
  auto* outside = new KvEdit(&other);
  KvFocusColour fc(&form, KvFocusColour::kGrey);
  EXPECT_EQ(fc.Colour(), QColor(0xE9, 0xE9, 0xE9));
  EXPECT_EQ(fc.EntryField(a), a);
  EXPECT_EQ(fc.EntryField(outside), nullptr);
}

TEST(KvDialog, ExecuteThroughTheSeam) {
  KvDialog dlg;
  EXPECT_TRUE(dlg.windowFlags() & Qt::FramelessWindowHint);
  {
    ScopedAnswerer ok([](QDialog& d) { static_cast<KvDialog&>(d).SetModalResult(KvDialog::mrOk); });
    EXPECT_TRUE(dlg.Execute());
  }
  {
    ScopedAnswerer cancel([](QDialog& d) { d.reject(); });
    EXPECT_FALSE(dlg.Execute());
    EXPECT_EQ(dlg.ModalResultValue(), KvDialog::mrCancel);
  }
  {
    ScopedAnswerer yes([](QDialog& d) { static_cast<KvDialog&>(d).SetModalResult(KvDialog::mrYes); });
    EXPECT_EQ(dlg.ExecuteResult(), KvDialog::mrYes);
  }
  {
    ScopedAnswerer none([](QDialog&) {});  // left open: closed as Cancel
    EXPECT_EQ(dlg.ExecuteResult(), KvDialog::mrCancel);
  }
}

// Where nobody acts on "maximised" (a bare X server) the window is fitted to
// the screen's free area itself; a window that is not maximised keeps its size.
TEST(KvMainWindow, AMaximisedWindowCoversTheScreensFreeArea) {
  QWidget plain;
  plain.setGeometry(10, 20, 200, 100);
  FitMaximisedWindow(&plain);
  EXPECT_EQ(plain.geometry(), QRect(10, 20, 200, 100));

  QWidget maximised;
  maximised.setGeometry(10, 20, 200, 100);
  maximised.setWindowState(Qt::WindowMaximized);
  ASSERT_NE(maximised.geometry(), maximised.screen()->availableGeometry());
  FitMaximisedWindow(&maximised);
  EXPECT_EQ(maximised.geometry(), maximised.screen()->availableGeometry());
  FitMaximisedWindow(nullptr);  // nothing to fit

  // Fitted as it shows, before any platform event could resize it.
  KvMainWindow w;
  w.resize(200, 100);
  w.ShowWindow();
  EXPECT_EQ(w.geometry(), w.screen()->availableGeometry());
}

TEST(KvMainWindow, EscapeClosesOnlyWhenAsked) {
  KvMainWindow w;
  EXPECT_TRUE(w.windowFlags() & Qt::FramelessWindowHint);
  w.show();
  QTest::keyClick(&w, Qt::Key_Escape);
  EXPECT_TRUE(w.isVisible());
  w.SetEscapeCloses(true);
  QTest::keyClick(&w, Qt::Key_Escape);
  EXPECT_FALSE(w.isVisible());
}

TEST(KvMainWindow, EscapeFromAComboBoxClosesTheWindow) {
  KvMainWindow w;
  auto* list = new QComboBox(&w);
  list->addItems({"[All]=0", "NORTH=1"});
  auto* typed = new QComboBox(&w);
  typed->setEditable(true);
  w.SetEscapeCloses(true);
  w.show();
  QApplication::processEvents();
  QTest::keyClick(list, Qt::Key_Escape);
  EXPECT_FALSE(w.isVisible());
  w.show();
  QTest::keyClick(typed->lineEdit(), Qt::Key_Escape);
  EXPECT_FALSE(w.isVisible());
}
