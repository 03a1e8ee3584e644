// Editing keys through the key filters of the shared boxes: X11 sends Delete
// with the character 0x7F, which a rule on typed characters must not drop.
#include <gtest/gtest.h>

#include <QApplication>
#include <QKeyEvent>
#include <QLineEdit>
#include <QTest>

#include "KvEdit.h"
#include "KvKeys.h"
#include "KvStringGrid.h"

using namespace kui;

namespace {

// A key as an X11 display delivers it: Delete carries 0x7F, Backspace 0x08.
void PressAsX11(QWidget* w, int key, const QString& text, Qt::KeyboardModifiers mods = Qt::NoModifier) {
  QKeyEvent press(QEvent::KeyPress, key, mods, text);
  QApplication::sendEvent(w, &press);
  QKeyEvent release(QEvent::KeyRelease, key, mods, text);
  QApplication::sendEvent(w, &release);
}

const QString kDel(QChar(0x7F));

TEST(KvKeys, EditingKeysAreThoseThatEditOrMoveWithoutTyping) {
  const auto editing = [](int key, const QString& text, Qt::KeyboardModifiers mods = Qt::NoModifier) {
    return IsEditingKey(QKeyEvent(QEvent::KeyPress, key, mods, text));
  };
  EXPECT_TRUE(editing(Qt::Key_Delete, kDel));
  EXPECT_TRUE(editing(Qt::Key_Backspace, "\b"));
  for (int key : {Qt::Key_Left, Qt::Key_Right, Qt::Key_Home, Qt::Key_End, Qt::Key_Insert})
    EXPECT_TRUE(editing(key, "")) << key;
  EXPECT_TRUE(editing(Qt::Key_Left, "", Qt::ShiftModifier));  // selecting
  EXPECT_TRUE(editing(Qt::Key_Z, "\x1a", Qt::ControlModifier));
  EXPECT_TRUE(editing(Qt::Key_A, "\x01", Qt::ControlModifier));
  EXPECT_TRUE(editing(Qt::Key_C, "\x03", Qt::ControlModifier));

  EXPECT_FALSE(editing(Qt::Key_5, "5"));
  EXPECT_FALSE(editing(Qt::Key_Period, "."));
  EXPECT_FALSE(editing(Qt::Key_V, "\x16", Qt::ControlModifier));  // paste types text
  EXPECT_FALSE(editing(Qt::Key_Return, "\r"));
  EXPECT_FALSE(editing(Qt::Key_Escape, "\x1b"));
  EXPECT_FALSE(editing(Qt::Key_Tab, "\t"));
}

TEST(KvKeys, DeleteWorksInEveryFilterOfTheEditBox) {
  for (const KvEdit::Filter filter : {KvEdit::Filter::None, KvEdit::Filter::Digits, KvEdit::Filter::Decimal}) {
    KvEdit edit;
    edit.SetFilter(filter);
    edit.SetCharCase(KvEdit::CharCase::Upper);
    edit.setText("12.50");
    if (filter == KvEdit::Filter::Digits) edit.setText("1250");
    edit.setCursorPosition(0);
    PressAsX11(&edit, Qt::Key_Delete, kDel);
    EXPECT_EQ(edit.text(), filter == KvEdit::Filter::Digits ? "250" : "2.50") << int(filter);
    edit.end(false);
    PressAsX11(&edit, Qt::Key_Backspace, "\b");
    EXPECT_EQ(edit.text(), filter == KvEdit::Filter::Digits ? "25" : "2.5") << int(filter);
  }
}

// The cell editor of a quantity grid whose hook lets digits only: Delete
// edits the cell and never reaches the hook as a character.
TEST(KvKeys, DeleteEditsAGridCellWhoseHookTakesDigitsOnly) {
  KvStringGrid g;
  g.resize(300, 200);
  g.SetColCount(4);
  g.SetRowCount(3);
  g.SetOption(KvStringGrid::goEditing, true);
  QString seen;
  g.OnKeyPress = [&](KvStringGrid&, QChar& key) {
    seen += key;
    if (!key.isDigit() && key != QChar('\b')) key = QChar();
  };
  g.show();
  ASSERT_TRUE(g.SetCurrent(1, 1));
  QTest::keyClicks(&g, "1");
  ASSERT_TRUE(g.EditorMode());
  QTest::keyClicks(g.InplaceEditor(), "234");
  g.InplaceEditor()->setCursorPosition(1);
  PressAsX11(g.InplaceEditor(), Qt::Key_Delete, kDel);
  EXPECT_EQ(g.Cell(1, 1), "134");
  EXPECT_EQ(seen, "1234");
  EXPECT_FALSE(seen.contains(QChar(0x7F)));
}

}  // namespace
