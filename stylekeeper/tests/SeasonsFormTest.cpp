// The season picker of "clone into another season".
#include "SkTestUtil.h"

#include <QLabel>
#include <QListWidget>

#include "SeasonsForm.h"

namespace {

class SeasonsFormTest : public sktest::FormTest {};

TEST_F(SeasonsFormTest, TheSeasonPickerListsTheOtherSeasons) {
  TFormSeasons seasons(form.get());
  for (const char* item : {"AUTUMN WINTER 2025=3", "CONTINUITY=5", "SPRING SUMMER 2026=9"})
    seasons.ListBox1->addItem(item);
  seasons.ListBox1->setCurrentRow(0);
  seasons.show();
  QApplication::processEvents();
  EXPECT_EQ(seasons.windowTitle(), "Clone New Season");
  EXPECT_EQ(seasons.Panel1->text(), "Clone New Season");
  EXPECT_EQ(seasons.ListBox1->item(1)->text(), "CONTINUITY=5");  // shown as stored
  EXPECT_EQ(seasons.size(), QSize(417, 510));
  kvtest::SaveScreenshot(&seasons, "FormSeasons");
}

}  // namespace
