// The style window on both engines: the root PLU box's keys, and the laid-out
// controls of the style, info and image tabs (nothing squeezed below its
// size, outside its tab or on top of another control), with screenshots.
#include "StyleKeeperDbFixture.h"

#include <QComboBox>
#include <QImage>
#include <QLabel>
#include <QLineEdit>
#include <QStackedWidget>
#include <QTest>
#include <QToolButton>

#include "KvEdit.h"
#include "KvStringGrid.h"

namespace {

using kvtest::Engine;

class ReviewSkDbTest : public sktest::StyleKeeperDbFixture {};

TEST_P(ReviewSkDbTest, KeysTypedIntoTheRootPLUBoxAreFiltered) {
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

TEST_P(ReviewSkDbTest, OpeningAColourFromTheListKeepsTheFocusThere) {
  TForm1& f = Start({"", "00000042"});
  Activate();
  Focus(f.SGridStyleColours);
  ASSERT_EQ(f.SGridStyleColours->Cell(1, 0), "00000043");
  f.SGridStyleColours->SetRow(0);
  f.SGridStyleColoursClick();
  EXPECT_EQ(f.LoadedRootPLU(), "00000043");
  Activate();
  EXPECT_EQ(QApplication::focusWidget(), f.SGridStyleColours);
  EXPECT_EQ(f.SGridStyleColours->Row(), 0);
}

// What is wrong with the visible controls of one tab sheet: a control cut
// by the sheet's edge, squeezed below the height it needs, or lying on
// another control.
QStringList LayoutProblems(QWidget* sheet) {
  QList<QWidget*> shown;
  for (QWidget* w : sheet->findChildren<QWidget*>(Qt::FindDirectChildrenOnly))
    if (w->isVisible() && !w->isWindow()) shown << w;
  QStringList problems;
  const auto name = [](const QWidget* w) {
    const QLabel* l = qobject_cast<const QLabel*>(w);
    return w->objectName().isEmpty() && l ? "label " + l->text() : w->objectName();
  };
  for (QWidget* w : shown) {
    if (!sheet->rect().contains(w->geometry())) problems << name(w) + " is cut by the sheet";
    if (w->height() < w->minimumSizeHint().height()) problems << name(w) + " is squeezed";
    for (QWidget* other : shown)
      if (other != w && name(w) < name(other) && w->geometry().intersects(other->geometry()))
        problems << name(w) + " lies on " + name(other);
  }
  return problems;
}

TEST_P(ReviewSkDbTest, TheTabsShowEveryControlWhole) {
  TForm1& f = Start({"", "00000042"});
  f.SpButStyleInfoClick();
  QApplication::processEvents();
  EXPECT_EQ(LayoutProblems(f.TabShInfo), QStringList()) << "info tab";
  kvtest::SaveScreenshot(&f, "StyleKeeperInfo");

  f.SpButTabStyleClick();
  f.SpButEditClick();
  QApplication::processEvents();
  EXPECT_EQ(LayoutProblems(f.TabShStyleDetails), QStringList()) << "style tab in Edit";
  kvtest::SaveScreenshot(&f, "StyleKeeperEdit");

  f.SpButCancelClick();
  f.SpButAddClick();
  QApplication::processEvents();
  EXPECT_EQ(LayoutProblems(f.TabShStyleDetails), QStringList()) << "style tab in Add";
  kvtest::SaveScreenshot(&f, "StyleKeeperAdd");
}

TEST_P(ReviewSkDbTest, APictureShowsOnTheStyleAndImageTabs) {
  TForm1& f = Start();
  QImage picture(400, 300, QImage::Format_RGB32);
  picture.fill(QColor(40, 90, 160));
  QDir().mkpath(f.ImagesFolder);
  ASSERT_TRUE(picture.save(f.ImagesFolder + "00000042.jpg", "JPEG"));
  f.RootPLUToOpen = "00000042";
  f.FormShow();
  ASSERT_TRUE(f.ImageSmall->isVisible());
  // The picture keeps its shape inside its frame.
  const QPixmap small = f.ImageSmall->pixmap();
  EXPECT_EQ(small.width(), f.ImageSmall->width());
  EXPECT_EQ(small.height(), f.ImageSmall->width() * 3 / 4);
  EXPECT_EQ(LayoutProblems(f.TabShStyleDetails), QStringList());
  kvtest::SaveScreenshot(&f, "StyleKeeperPicture");
  f.PageCtrlSF->setCurrentWidget(f.TabShImage);
  QApplication::processEvents();
  EXPECT_TRUE(f.ImageLarge->isVisible());
  EXPECT_EQ(LayoutProblems(f.TabShImage), QStringList());
}

INSTANTIATE_TEST_SUITE_P(Engines, ReviewSkDbTest, ::testing::Values(Engine::SQLite, Engine::PostgreSQL),
                         kvtest::EngineParamName());

}  // namespace
