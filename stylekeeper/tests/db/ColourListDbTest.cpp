// The colour list beside the style details on both engines: opening a colour
// of the list, and coming back to it from a new style.
#include "StyleKeeperDbFixture.h"

#include <QToolButton>

#include "KvStringGrid.h"

namespace {

using kvtest::Engine;

class ColourListDbTest : public sktest::StyleKeeperDbFixture {};

TEST_P(ColourListDbTest, OpeningAColourFromTheListKeepsTheFocusThere) {
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

TEST_P(ColourListDbTest, CancelFromANewStyleComesBackToTheColourClicked) {
  TForm1& f = Start({"", "00000042"});
  ASSERT_EQ(f.SGridStyleColours->Cell(1, 0), "00000043");
  f.SGridStyleColours->SetRow(0);
  f.SGridStyleColoursClick();
  ASSERT_EQ(f.LoadedRootPLU(), "00000043");
  f.SpButAdd->click();
  f.SpButCancel->click();
  EXPECT_EQ(f.Mode(), "View");
  EXPECT_EQ(f.LoadedRootPLU(), "00000043");
  EXPECT_EQ(f.ComboBoxRootPLU->currentText(), "00000043");
}

INSTANTIATE_TEST_SUITE_P(Engines, ColourListDbTest, ::testing::Values(Engine::SQLite, Engine::PostgreSQL),
                         kvtest::EngineParamName());

}  // namespace
