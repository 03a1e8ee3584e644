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

// The names of the controls of one window hidden while it is watched.
class Hidden : public QObject {
 public:
  explicit Hidden(QWidget* window) : window_(window) { qApp->installEventFilter(this); }
  ~Hidden() override { qApp->removeEventFilter(this); }
  QStringList names;
  bool eventFilter(QObject* o, QEvent* e) override {
    if (e->type() == QEvent::HideToParent && o->isWidgetType() && window_->isAncestorOf(static_cast<QWidget*>(o)))
      names << o->objectName();
    return false;
  }

 private:
  QWidget* window_;
};

// The window is built as it first shows with no style: showing it hides
// nothing it showed (each would lay the style page out again); the buttons
// that need a style stay hidden until a style is opened.
TEST_P(WindowLayoutDbTest, TheWindowShowsWithNoStyleAsItWasBuilt) {
  form = std::make_unique<TForm1>(QStringList(), nullptr);
  TForm1& f = *form;
  ASSERT_FALSE(f.TerminateRequested()) << dm->LastError.toStdString();
  {
    const Hidden hidden(&f);
    f.show();
    QApplication::processEvents();
    EXPECT_EQ(hidden.names, QStringList());
  }
  const auto shown = [](std::initializer_list<QWidget*> widgets) {
    QStringList names;
    for (QWidget* w : widgets)
      if (!w->isHidden()) names << w->objectName();
    return names;
  };
  const std::initializer_list<QWidget*> buttons = {
      f.SpButTabStyle,  f.SpButTabStock,      f.SpButShowMinStock, f.SpButShowMaxStock, f.SpButTabBCodes,
      f.SpButTabImage,  f.SpButTabExternal,   f.SpButTabPrices,    f.SpButStyleInfo,    f.SpButTabPackage,
      f.ButtonAddNewColour, f.SpeedButtonClone, f.SpButSeason,     f.SpButAdd,          f.SpButEdit,
      f.SpButSave,      f.SpButCancel};
  EXPECT_EQ(shown(buttons), QStringList({"SpButTabStyle", "SpButAdd", "SpButEdit"}));

  // A style opened shows its pages' buttons; the single-user edition keeps
  // no stock levels, barcodes or info.
  f.RootPLUToOpen = "00000042";
  f.FormShow();
  QStringList withStyle = {"SpButTabStyle", "SpButTabStock", "SpButTabImage", "SpButTabExternal", "SpButTabPrices"};
  if (GetParam() == Engine::PostgreSQL)
    withStyle = QStringList{"SpButTabStyle", "SpButTabStock", "SpButShowMinStock", "SpButShowMaxStock",
                            "SpButTabBCodes", "SpButTabImage", "SpButTabExternal", "SpButTabPrices", "SpButStyleInfo"};
  withStyle << "ButtonAddNewColour" << "SpeedButtonClone" << "SpButSeason" << "SpButAdd" << "SpButEdit";
  EXPECT_EQ(shown(buttons), withStyle);

  // Back to no style: hidden again, and the page keeps its layout.
  f.RootPLUToOpen.clear();
  f.SpButAddClick();
  f.SpButCancelClick();
  EXPECT_EQ(shown(buttons), QStringList({"SpButTabStyle", "SpButAdd", "SpButEdit"}));
}

TEST_P(WindowLayoutDbTest, FieldsStayInPlaceAcrossModes) {
  TForm1& f = Start({"", "00000042"});
  // A hidden control has no place on the screen: it counts as hidden, so
  // a mode that shows it elsewhere or forgets to hide it again still fails.
  const auto places = [&f] {
    QList<QPoint> p;
    for (QWidget* w : std::initializer_list<QWidget*>{f.EditDescription, f.EditRetailPrice, f.ComboBoxTaxRates,
                                                      f.SGridStyleColours, f.SpButSave, f.SpButAdd})
      p << (w->isHidden() ? QPoint(-1, -1) : w->mapTo(&f, QPoint(0, 0)));
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
