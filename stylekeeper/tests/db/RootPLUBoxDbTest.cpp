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
  QTest::keyClicks(focused, "4x2");
  EXPECT_EQ(f.ComboBoxRootPLU->currentText(), "42");  // the letter is dropped
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

INSTANTIATE_TEST_SUITE_P(Engines, RootPLUBoxDbTest, ::testing::Values(Engine::SQLite, Engine::PostgreSQL),
                         kvtest::EngineParamName());

}  // namespace
