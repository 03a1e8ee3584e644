// The root PLU box on both engines: the keys typed into it, and what stays
// focused and selected after a root PLU is loaded with Enter.
#include "StyleKeeperDbFixture.h"

#include <QComboBox>
#include <QLineEdit>
#include <QTest>

namespace {

using kvtest::Engine;

class RootPLUBoxDbTest : public sktest::StyleKeeperDbFixture {};

TEST_P(RootPLUBoxDbTest, KeysTypedIntoTheRootPLUBoxAreFiltered) {
  TForm1& f = Start();
  Activate();
  Focus(f.ComboBoxRootPLU);
  // Keys go where the application sends them: to the focused box.
  QWidget* focused = QApplication::focusWidget();
  ASSERT_TRUE(focused == f.ComboBoxRootPLU || focused == f.ComboBoxRootPLU->lineEdit());
  QTest::keyClicks(focused, "4-2");
  EXPECT_EQ(f.ComboBoxRootPLU->currentText(), "42");  // the sign is dropped
  QTest::keyClick(focused, Qt::Key_Return);
  EXPECT_EQ(f.LoadedRootPLU(), "00000042");
  EXPECT_EQ(f.EditSupplierStyle->text(), "JEAN01");
  EXPECT_TRUE(ShownTexts().isEmpty()) << ShownTexts().join("|").toStdString();
  // The box keeps the focus with its text selected, ready for the next one
  // (once the window is active again after the wait window).
  Activate();
  ASSERT_EQ(QApplication::focusWidget(), focused);
  EXPECT_EQ(f.ComboBoxRootPLU->lineEdit()->selectedText(), "00000042");
  QTest::keyClicks(focused, "43");
  QTest::keyClick(focused, Qt::Key_Return);
  EXPECT_EQ(f.LoadedRootPLU(), "00000043");
  // Tab leaves the box and looks nothing up.
  f.ComboBoxRootPLU->setEditText("77");
  QTest::keyClick(focused, Qt::Key_Tab);
  EXPECT_NE(QApplication::focusWidget(), f.ComboBoxRootPLU);
  EXPECT_NE(QApplication::focusWidget(), f.ComboBoxRootPLU->lineEdit());
  EXPECT_TRUE(ShownTexts().isEmpty()) << ShownTexts().join("|").toStdString();
}

TEST_P(RootPLUBoxDbTest, DeleteAndBackspaceEditTheBox) {
  TForm1& f = Start();
  Activate();
  Focus(f.ComboBoxRootPLU);
  QWidget* focused = QApplication::focusWidget();
  QTest::keyClicks(focused, "9423");
  f.ComboBoxRootPLU->lineEdit()->setCursorPosition(0);
  // X11 sends Delete as the character 0x7F.
  QTest::sendKeyEvent(QTest::Click, focused, Qt::Key_Delete, QString(QChar(0x7F)), Qt::NoModifier);
  EXPECT_EQ(f.ComboBoxRootPLU->currentText(), "423");
  f.ComboBoxRootPLU->lineEdit()->setCursorPosition(3);
  QTest::keyClick(focused, Qt::Key_Backspace);
  EXPECT_EQ(f.ComboBoxRootPLU->currentText(), "42");
  QTest::keyClick(focused, Qt::Key_Return);
  EXPECT_EQ(f.LoadedRootPLU(), "00000042");
}

TEST_P(RootPLUBoxDbTest, RootPLUsWithLettersOpenTypedOrChosen) {
  sktest::StyleSpec season;
  season.rootPLU = "W1A0000F";
  season.style = "SEASON01";
  sktest::InsertStyle(db(), season);
  TForm1& f = Start();
  Activate();
  Focus(f.ComboBoxRootPLU);
  QWidget* focused = QApplication::focusWidget();
  QTest::keyClicks(focused, "w1a0000f");
  QTest::keyClick(focused, Qt::Key_Return);
  EXPECT_EQ(f.LoadedRootPLU(), "W1A0000F");
  EXPECT_EQ(f.EditSupplierStyle->text(), "SEASON01");
  EXPECT_TRUE(ShownTexts().isEmpty()) << ShownTexts().join("|").toStdString();

  // Another style, then the season one again from the box's own list.
  f.ComboBoxRootPLU->setEditText("42");
  f.ComboBoxRootPLUSelect();
  ASSERT_EQ(f.LoadedRootPLU(), "00000042");
  const int item = f.ComboBoxRootPLU->findText("W1A0000F");
  ASSERT_GE(item, 0);
  f.ComboBoxRootPLU->setCurrentIndex(item);
  emit f.ComboBoxRootPLU->activated(item);
  EXPECT_EQ(f.LoadedRootPLU(), "W1A0000F");
  EXPECT_TRUE(ShownTexts().isEmpty()) << ShownTexts().join("|").toStdString();
  EXPECT_FALSE(LogText().contains("TForm1::ComboBoxRootPLUSelect"));
}

TEST_P(RootPLUBoxDbTest, ALookUpThatFailsIsNotTakenForAMissingStyle) {
  TForm1& f = Start();
  db().Execute("ALTER TABLE PRODUCTS RENAME TO PRODUCTS_AWAY");
  f.ComboBoxRootPLU->setEditText("42");
  f.ComboBoxRootPLUSelect();
  db().Execute("ALTER TABLE PRODUCTS_AWAY RENAME TO PRODUCTS");
  ASSERT_EQ(ShownTexts().size(), 1);
  EXPECT_EQ(ShownTexts()[0], TForm1::StyleNotReadMessage());
  ClearShownTexts();
  f.ComboBoxRootPLU->setEditText("77");
  f.ComboBoxRootPLUSelect();
  EXPECT_EQ(ShownTexts(), QStringList{"Unable to find Style Details with Root PLU: 00000077"});
}

INSTANTIATE_TEST_SUITE_P(Engines, RootPLUBoxDbTest, ::testing::Values(Engine::SQLite, Engine::PostgreSQL),
                         kvtest::EngineParamName());

}  // namespace
