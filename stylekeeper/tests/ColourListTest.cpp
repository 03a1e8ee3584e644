// The colour list beside the style details, without a database: how an entry
// is drawn.
#include "SkTestUtil.h"

#include <QImage>
#include <QPainter>

#include "KvStringGrid.h"

namespace {

class ColourListTest : public sktest::FormTest {};

// The columns [from, image width) in which a row band holds a dark pixel.
std::pair<int, int> DarkSpan(const QImage& img, int from, int top, int bottom) {
  int left = img.width(), right = -1;
  for (int y = top; y < bottom; ++y)
    for (int x = from; x < img.width(); ++x)
      if (qGray(img.pixel(x, y)) < 128) {
        left = std::min(left, x);
        right = std::max(right, x);
      }
  return {left, right};
}

TEST_F(ColourListTest, TheColourEntryShowsThePictureStateWhole) {
  dm->Setup->LOUseImages = true;
  form->ImagesFolder = kvtest::TempRoot() + "/review-sk-images/";
  kvtest::WriteFile(form->ImagesFolder + "00000042.jpg", "x");
  kui::KvStringGrid* g = form->SGridStyleColours;
  g->SetRowTexts(0, {QString(), "00000042", "BLACK", "16777215", "65.00", QString()});
  QImage img(188, 48, QImage::Format_RGB32);
  img.fill(Qt::white);
  {
    QPainter p(&img);
    p.setFont(g->font());
    form->SGridStyleColoursDrawCell(p, 0, 0, img.rect());
  }
  const QFontMetrics fm(g->font());
  // Right-aligned at 188 - 2 - 24 = 162; the price ends well before x 60.
  const auto [left, right] = DarkSpan(img, 60, 26, 46);
  ASSERT_GE(right, 0) << "no picture state drawn";
  EXPECT_LE(right, 162);
  EXPECT_LE(left, 162 - fm.horizontalAdvance("Has image") + 3) << "the text lost its first letters";
  kvtest::SaveScreenshot(g, "StyleKeeperColourEntry");
}

}  // namespace
