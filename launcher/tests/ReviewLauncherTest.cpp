// Second look at the picture window: only a click (the left button) closes
// it; the other mouse buttons leave it open.
#include "LauncherTestUtil.h"

#include "FormUpgradeF.h"

#include <QScrollArea>
#include <QTest>
#include <QToolButton>

namespace {

// The main menu of the single-user edition (see lt::MenuTestBase).
class ReviewLauncherTest : public lt::MenuTestBase {};

TEST_F(ReviewLauncherTest, OnlyTheLeftButtonClosesThePictureWindow) {
  int opened = 0;
  QStringList stillOpen;
  bool closedByLeft = false;
  kui::ScopedAnswerer answer([&](QDialog& d) {
    auto* w = qobject_cast<TFormUpgrade*>(&d);
    ASSERT_NE(w, nullptr);
    ++opened;
    ASSERT_TRUE(w->isVisible());
    const std::vector<std::pair<const char*, QWidget*>> targets = {
        {"picture", w->Image1}, {"box", w->ScrollBoxImg->viewport()}, {"window", w}};
    for (const auto& [name, target] : targets) {
      for (Qt::MouseButton b : {Qt::RightButton, Qt::MiddleButton}) {
        QTest::mouseClick(target, b, {}, QPoint(5, 5));
        if (w->isVisible()) stillOpen << QString(name) + "/" + QString::number(b);
      }
    }
    QTest::mouseClick(w->Image1, Qt::LeftButton, {}, QPoint(5, 5));
    closedByLeft = !w->isVisible();
  });
  form->SpButAddOns->click();
  EXPECT_EQ(opened, 1);
  EXPECT_EQ(stillOpen.size(), 6) << stillOpen.join(",").toStdString();
  EXPECT_TRUE(closedByLeft);
}

}  // namespace
