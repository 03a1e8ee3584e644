// Window parts checked against what their users rely on: a disabled grid that
// only stops input, a busy guard that restores on every way out, Escape on a
// main window whatever entry field has the focus.
#include <gtest/gtest.h>

#include <QApplication>
#include <QComboBox>
#include <QImage>
#include <QLineEdit>
#include <QTest>

#include <stdexcept>

#include "KvBusyGuard.h"
#include "KvMainWindow.h"
#include "KvStringGrid.h"

using kui::KvStringGrid;

namespace {

QImage Shot(KvStringGrid& g) {
  QApplication::processEvents();
  return g.viewport()->grab().toImage();
}

}  // namespace

// The quantity pages show their figures in a disabled (read-only) grid: the
// text and the current cell must look as they do when the grid is enabled.
TEST(ReviewGrid, DisabledGridDrawsLikeAnEnabledOne) {
  KvStringGrid g;
  g.resize(300, 200);
  g.SetColCount(3);
  g.SetRowCount(3);
  const QString block(40, QChar(0x2588));  // a full block: its pixels are the text colour
  g.SetCell(1, 1, block);                   // the current cell
  g.SetCell(2, 2, block);                   // a plain cell
  g.show();
  const QImage enabled = Shot(g);
  g.setEnabled(false);
  const QImage disabled = Shot(g);
  for (const auto& [col, row] : {std::pair{1, 1}, std::pair{2, 2}}) {
    const QRect r = g.CellRect(col, row);
    const QPoint text = r.topLeft() + QPoint(6, r.height() / 2);
    const QPoint back = r.topLeft() + QPoint(1, 1);
    EXPECT_EQ(disabled.pixelColor(text), enabled.pixelColor(text)) << col << "," << row;
    EXPECT_EQ(disabled.pixelColor(back), enabled.pixelColor(back)) << col << "," << row;
  }
  EXPECT_EQ(disabled.pixelColor(g.CellRect(2, 2).topLeft() + QPoint(6, 12)), QColor(Qt::black));
}

namespace {
struct FailingWait : kui::KvWaitIndicator {
  int closes = 0;
  void ShowWait(const QString&, const QString&) override { throw std::runtime_error("no wait window"); }
  void CloseWait() override { ++closes; }
};
}  // namespace

TEST(ReviewBusyGuard, AWaitWindowThatFailsToShowLeavesNothingDisabled) {
  QWidget window;
  FailingWait wait;
  EXPECT_THROW(kui::KvBusyGuard(&window, "Please wait...", QString(), &wait), std::runtime_error);
  EXPECT_TRUE(window.isEnabled());
  EXPECT_EQ(QApplication::overrideCursor(), nullptr);
  while (QApplication::overrideCursor()) QApplication::restoreOverrideCursor();  // for later tests

  // A window that was disabled before stays so.
  window.setEnabled(false);
  EXPECT_THROW(kui::KvBusyGuard(&window, "Please wait...", QString(), &wait), std::runtime_error);
  EXPECT_FALSE(window.isEnabled());
  while (QApplication::overrideCursor()) QApplication::restoreOverrideCursor();
}

TEST(ReviewMainWindow, EscapeFromAComboBoxClosesTheWindow) {
  kui::KvMainWindow w;
  auto* list = new QComboBox(&w);
  list->addItems({"[All]=0", "NORTH=1"});
  auto* typed = new QComboBox(&w);
  typed->setEditable(true);
  w.SetEscapeCloses(true);
  w.show();
  QApplication::processEvents();
  QTest::keyClick(list, Qt::Key_Escape);
  EXPECT_FALSE(w.isVisible());
  w.show();
  QTest::keyClick(typed->lineEdit(), Qt::Key_Escape);
  EXPECT_FALSE(w.isVisible());
}
