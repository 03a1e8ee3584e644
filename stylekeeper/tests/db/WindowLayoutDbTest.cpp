// The laid-out controls of the style, info and image tabs on both engines:
// nothing squeezed below its size, outside its tab or on top of another
// control, with screenshots; and a picture shown whole on the style and
// image tabs.
#include "StyleKeeperDbFixture.h"

#include <QDir>
#include <QImage>
#include <QLabel>
#include <QStackedWidget>
#include <QToolButton>

#include "ImagePageF.h"
#include "KvEdit.h"
#include "KvStringGrid.h"

namespace {

using kvtest::Engine;

class WindowLayoutDbTest : public sktest::StyleKeeperDbFixture {};

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

TEST_P(WindowLayoutDbTest, TheTabsShowEveryControlWhole) {
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

TEST_P(WindowLayoutDbTest, APictureShowsOnTheStyleAndImageTabs) {
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
  EXPECT_TRUE(f.ImagePage->ImageLarge->isVisible());
  EXPECT_EQ(LayoutProblems(f.TabShImage), QStringList());
}

TEST_P(WindowLayoutDbTest, FieldsStayInPlaceAcrossModes) {
  TForm1& f = Start({"", "00000042"});
  const auto places = [&f] {
    QList<QPoint> p;
    for (QWidget* w : std::initializer_list<QWidget*>{f.EditDescription, f.EditRetailPrice, f.ComboBoxTaxRates,
                                                      f.SGridStyleColours, f.SpButSave, f.SpButAdd})
      p << w->mapTo(&f, QPoint(0, 0));
    return p;
  };
  QApplication::processEvents();
  const QList<QPoint> view = places();
  f.SpButEditClick();
  QApplication::processEvents();
  EXPECT_EQ(places().mid(0, 4), view.mid(0, 4)) << "Edit";
  EXPECT_EQ(f.SpButSave->mapTo(&f, QPoint(0, 0)).y(), view[5].y()) << "the bottom bar keeps its height";
  f.SpButCancelClick();
  f.SpButAddClick();  // no picture, no colour list entries: still in place
  QApplication::processEvents();
  EXPECT_EQ(places().mid(0, 4), view.mid(0, 4)) << "Add";
  f.SpButCancelClick();
  QApplication::processEvents();
  EXPECT_EQ(places(), view) << "View again";
}

INSTANTIATE_TEST_SUITE_P(Engines, WindowLayoutDbTest, ::testing::Values(Engine::SQLite, Engine::PostgreSQL),
                         kvtest::EngineParamName());

}  // namespace
