#include <gtest/gtest.h>

#include <QApplication>
#include <QImage>
#include <QContextMenuEvent>
#include <QLineEdit>
#include <QMenu>
#include <QPaintEvent>
#include <QPainter>
#include <QScrollBar>
#include <QTest>

#include <map>

#include "KuiColour.h"
#include "KvStringGrid.h"
#include "KvTestSupport.h"

using kui::KvGridDrawState;
using kui::KvStringGrid;

namespace {

// A shown, focused grid: keys and focus behave as for a person.
struct ShownGrid {
  KvStringGrid grid;
  ShownGrid(int cols, int rows) {
    grid.resize(400, 300);
    grid.SetColCount(cols);
    grid.SetRowCount(rows);
    grid.show();
    grid.activateWindow();
    EXPECT_TRUE(QTest::qWaitForWindowActive(&grid));
    grid.setFocus();
    QApplication::processEvents();
  }
};

QPoint Centre(const KvStringGrid& g, int col, int row) { return g.CellRect(col, row).center(); }

QImage ViewportShot(KvStringGrid& g) {
  QApplication::processEvents();
  return g.viewport()->grab().toImage();
}

}  // namespace

// Counts the paints of a widget and the region they covered.
struct Paints : QObject {
  int count = 0;
  QRegion region;
  bool eventFilter(QObject*, QEvent* e) override {
    if (e->type() == QEvent::Paint) {
      ++count;
      region += static_cast<QPaintEvent*>(e)->region();
    }
    return false;
  }
};

TEST(KvStringGrid, CellsSetInABatchPaintOnceAtItsEndAndOnlyWhereTheTextChanged) {
  ShownGrid shown(4, 6);
  KvStringGrid& g = shown.grid;
  const auto fill = [&g](const QString& text) {
    for (int r = 1; r < 6; ++r)
      for (int c = 1; c < 4; ++c) g.SetCell(c, r, text);
  };
  fill("x");
  QApplication::processEvents();
  Paints paints;
  g.viewport()->installEventFilter(&paints);

  g.BeginUpdate();
  g.BeginUpdate();  // batches nest
  fill(QString());
  fill("x");
  g.SetCell(2, 4, "y");
  EXPECT_EQ(g.Cell(2, 4), "y");  // the texts are there at once
  g.EndUpdate();
  QApplication::processEvents();
  EXPECT_EQ(paints.count, 0);  // nothing before the outermost batch ends
  g.EndUpdate();
  QApplication::processEvents();
  EXPECT_EQ(paints.count, 1);
  EXPECT_TRUE(paints.region.intersects(g.CellRect(2, 4)));
  EXPECT_FALSE(paints.region.intersects(g.CellRect(1, 1)));  // set twice, shows what it showed

  // Outside a batch the same text again paints nothing either.
  paints.count = 0;
  g.SetCell(2, 4, "y");
  QApplication::processEvents();
  EXPECT_EQ(paints.count, 0);
  g.EndUpdate();  // one too many does no harm
  g.SetCell(3, 2, "z");
  QApplication::processEvents();
  EXPECT_EQ(paints.count, 1);
}

TEST(KvStringGrid, HiddenColumnsAndRowsKeepTheirText) {
  KvStringGrid g;
  g.SetColCount(4);
  g.SetRowCount(3);
  g.SetColWidth(0, -1);
  g.SetColWidth(1, 0);
  g.SetRowHeight(2, -1);
  g.SetCell(0, 1, "00000001");
  g.SetCell(1, 1, "255");
  g.SetCell(3, 2, "hidden row");
  EXPECT_EQ(g.Cell(0, 1), "00000001");
  EXPECT_EQ(g.Cell(1, 1), "255");
  EXPECT_EQ(g.Cell(3, 2), "hidden row");
  EXPECT_TRUE(g.CellRect(0, 1).isEmpty());
  EXPECT_TRUE(g.CellRect(3, 2).isEmpty());
  EXPECT_EQ(g.RowTexts(1), (QStringList{"00000001", "255", "", ""}));
  // Column 2 starts where column 0 did: hidden columns take no room.
  EXPECT_EQ(g.CellRect(2, 0).left(), 0);
}

TEST(KvStringGrid, ShrinkingDropsCellsAndWritesBeyondColCountWaitForIt) {
  KvStringGrid g;
  g.SetColCount(3);
  g.SetRowCount(4);
  g.SetCell(1, 3, "gone");
  g.SetRowCount(3);
  g.SetRowCount(4);
  EXPECT_EQ(g.Cell(1, 3), "");  // no stale text after shrinking and growing

  g.SetCell(5, 1, "later");     // beyond the columns: kept, not shown
  EXPECT_EQ(g.RowTexts(1).size(), 3);
  g.SetColCount(6);
  EXPECT_EQ(g.Cell(5, 1), "later");
  g.SetCell(0, 9, "no row");   // beyond the rows: ignored
  g.SetRowCount(10);
  EXPECT_EQ(g.Cell(0, 9), "");
}

// A row set at once replaces the whole row: cells it does not reach read
// empty, a row beyond RowCount is ignored, an open editor on the row shows
// the new text.
TEST(KvStringGrid, SetRowCellsReplacesTheWholeRow) {
  ShownGrid s(4, 3);
  KvStringGrid& g = s.grid;
  g.SetCell(3, 1, "old");
  g.SetRowCells(1, {"a", "b"});
  EXPECT_EQ(g.RowTexts(1), (QStringList{"a", "b", "", ""}));
  g.SetRowCells(2, {"x", "y", "z", "w", "beyond"});  // kept past ColCount, as SetCell keeps it
  g.SetColCount(5);
  EXPECT_EQ(g.Cell(4, 2), "beyond");
  g.SetRowCells(3, {"no row"});
  g.SetRowCount(4);
  EXPECT_EQ(g.RowTexts(3), (QStringList{"", "", "", "", ""}));

  g.SetGridOptions(g.GridOptions() | KvStringGrid::goEditing);
  ASSERT_TRUE(g.SetCurrent(1, 1));
  g.SetEditorMode(true);
  ASSERT_TRUE(g.EditorMode());
  g.SetRowCells(1, {"c", "d"});
  EXPECT_EQ(g.InplaceEditor()->text(), "d");
  g.SetRowCells(1, {});
  EXPECT_EQ(g.InplaceEditor()->text(), "");
  EXPECT_EQ(g.Cell(0, 1), "");
}

TEST(KvStringGrid, InsertAndDeleteRowMoveTextsAndHeights) {
  KvStringGrid g;
  g.SetColCount(2);
  g.SetRowCount(4);
  for (int r = 0; r < 4; ++r) g.SetCell(1, r, QString::number(r));
  g.SetRowHeight(2, 40);
  g.DeleteRow(1);
  EXPECT_EQ(g.RowCount(), 3);
  EXPECT_EQ(g.ColTexts(1), (QStringList{"0", "2", "3"}));
  EXPECT_EQ(g.RowHeight(1), 40);
  g.InsertRow(1);
  EXPECT_EQ(g.ColTexts(1), (QStringList{"0", "", "2", "3"}));
  EXPECT_EQ(g.RowHeight(2), 40);
  EXPECT_EQ(g.RowHeight(1), g.DefaultRowHeight());
}

TEST(KvStringGrid, DefaultColWidthResetsSingleWidths) {
  KvStringGrid g;
  g.SetColCount(4);
  g.SetColWidth(2, 128);
  g.SetDefaultColWidth(70);
  EXPECT_EQ(g.ColWidth(2), 70);
  g.SetColWidth(0, -1);
  EXPECT_EQ(g.ColWidth(0), -1);
  EXPECT_EQ(g.ColWidth(1), 70);
}

TEST(KvStringGrid, RefusedCellKeepsTheCurrentCell) {
  ShownGrid s(5, 5);
  KvStringGrid& g = s.grid;
  int asked = 0;
  g.OnSelectCell = [&](KvStringGrid& grid, int col, int row, bool& can) {
    ++asked;
    can = col < grid.ColCount() - 1 && row < grid.RowCount() - 1;  // totals refused
  };
  ASSERT_TRUE(g.SetCurrent(3, 1));
  EXPECT_FALSE(g.SetCol(4));
  EXPECT_EQ(g.Col(), 3);
  QTest::keyClick(&g, Qt::Key_Right);
  EXPECT_EQ(g.Col(), 3);
  QTest::mouseClick(g.viewport(), Qt::LeftButton, {}, Centre(g, 2, 4));
  EXPECT_EQ(g.Row(), 1);
  QTest::mouseClick(g.viewport(), Qt::LeftButton, {}, Centre(g, 2, 3));
  EXPECT_EQ(g.Col(), 2);
  EXPECT_EQ(g.Row(), 3);
  EXPECT_GE(asked, 4);
  // Fixed and outside cells are never current.
  EXPECT_FALSE(g.SetCurrent(0, 2));
  EXPECT_FALSE(g.SetCurrent(2, 9));
}

TEST(KvStringGrid, KeysTypedIntoTheEditorReachTheKeyHook) {
  ShownGrid s(5, 4);
  KvStringGrid& g = s.grid;
  g.SetOption(KvStringGrid::goEditing, true);
  QString seen;
  QStringList edits;
  g.OnKeyPress = [&](KvStringGrid& grid, QChar& key) {
    seen += key;
    if (key == QChar('\r')) {  // Enter writes the cell's number and moves right
      grid.SetCell(grid.Col(), grid.Row(), QString::number(grid.Cell(grid.Col(), grid.Row()).toInt()));
      grid.SetCol(grid.Col() + 1);
      key = QChar();
    } else if (key == QChar('.')) {
      if (grid.Cell(grid.Col(), grid.Row()).contains('.')) key = QChar();
    } else if (!key.isDigit() && key != QChar('\b')) {
      key = QChar();
    }
  };
  g.OnSetEditText = [&](KvStringGrid&, int col, int row, const QString& text) {
    edits << QString("%1,%2=%3").arg(col).arg(row).arg(text);
  };
  ASSERT_TRUE(g.SetCurrent(1, 1));
  QTest::keyClicks(&g, "1");  // opens the editor with the typed digit
  ASSERT_TRUE(g.EditorMode());
  QTest::keyClicks(g.InplaceEditor(), "a2.x5.");
  EXPECT_EQ(seen, "1a2.x5.");
  EXPECT_EQ(g.Cell(1, 1), "12.5");  // letters and the second point never reached the cell
  EXPECT_EQ(edits.last(), "1,1=12.5");
  QTest::keyClick(g.InplaceEditor(), Qt::Key_Backspace);
  EXPECT_EQ(g.Cell(1, 1), "12.");
  QTest::keyClick(g.InplaceEditor(), Qt::Key_Backspace);
  QTest::keyClick(g.InplaceEditor(), Qt::Key_Return);
  EXPECT_EQ(g.Cell(1, 1), "12");
  EXPECT_EQ(g.Col(), 2);
  EXPECT_FALSE(g.EditorMode());
}

TEST(KvStringGrid, KeyHookCanChangeAndKeyDownCanSwallow) {
  ShownGrid s(4, 4);
  KvStringGrid& g = s.grid;
  g.SetOption(KvStringGrid::goEditing, true);
  g.OnKeyPress = [](KvStringGrid&, QChar& key) { key = key.toUpper(); };
  int downs = 0;
  g.OnKeyDown = [&](KvStringGrid& grid, int& key, Qt::KeyboardModifiers) {
    ++downs;
    if (key == Qt::Key_Down) {  // moves two rows itself
      grid.SetRow(grid.Row() + 2);
      key = 0;
    }
  };
  QTest::keyClicks(&g, "ab");
  EXPECT_EQ(g.Cell(1, 1), "AB");
  QTest::keyClick(g.InplaceEditor(), Qt::Key_Escape);  // back to the text before editing
  EXPECT_EQ(g.Cell(1, 1), "");
  EXPECT_FALSE(g.EditorMode());
  QTest::keyClick(&g, Qt::Key_Down);
  EXPECT_EQ(g.Row(), 3);
  EXPECT_EQ(downs, 4);
}

TEST(KvStringGrid, FixedRowsAndColsStayWhileScrolling) {
  ShownGrid s(30, 1000);
  KvStringGrid& g = s.grid;
  g.SetFixedRows(2);
  g.SetFixedCols(1);
  g.SetFixedColour(QColor(0x11, 0x22, 0x33));
  g.SetCell(0, 600, "label 600");
  g.SetTopRow(600);
  g.SetLeftCol(20);
  EXPECT_EQ(g.TopRow(), 600);
  EXPECT_EQ(g.LeftCol(), 20);
  EXPECT_EQ(g.CellRect(5, 0).top(), 0);
  EXPECT_EQ(g.CellRect(0, 600).left(), 0);
  EXPECT_EQ(g.CellRect(0, 600).top(), g.CellRect(0, 1).bottom() + 2);
  int col = -1, row = -1;
  ASSERT_TRUE(g.CellAt(QPoint(5, 5), col, row));
  EXPECT_EQ(row, 0);
  EXPECT_EQ(col, 0);
  ASSERT_TRUE(g.CellAt(g.CellRect(20, 600).center(), col, row));
  EXPECT_EQ(col, 20);
  EXPECT_EQ(row, 600);
  // What is drawn: the header strip in the fixed colour, the data in white.
  const QImage img = g.viewport()->grab().toImage();
  EXPECT_EQ(img.pixelColor(g.CellRect(21, 1).center()), QColor(0x11, 0x22, 0x33));
  EXPECT_EQ(img.pixelColor(g.CellRect(0, 605).topLeft() + QPoint(60, 2)), QColor(0x11, 0x22, 0x33));
  EXPECT_EQ(img.pixelColor(g.CellRect(21, 605).center()), QColor(Qt::white));
}

TEST(KvStringGrid, RowSelectSelectsTheWholeRow) {
  ShownGrid s(5, 6);
  KvStringGrid& g = s.grid;
  g.SetOption(KvStringGrid::goRowSelect, true);
  int clicks = 0;
  g.OnClick = [&](KvStringGrid&) { ++clicks; };
  std::map<std::pair<int, int>, KvGridDrawState> states;
  g.OnDrawCell = [&](KvStringGrid&, QPainter&, int col, int row, const QRect&, KvGridDrawState st) {
    states[{col, row}] = st;
  };
  g.SetRow(3);
  EXPECT_EQ(clicks, 0);  // moves made by code are no clicks
  QTest::keyClick(&g, Qt::Key_Down);
  EXPECT_EQ(g.Row(), 4);
  EXPECT_EQ(clicks, 1);
  g.viewport()->grab();
  auto at = [&](int col, int row) { return states[std::make_pair(col, row)]; };
  for (int c = 1; c < 5; ++c) EXPECT_TRUE(at(c, 4).selected) << c;
  EXPECT_FALSE(at(2, 3).selected);
  EXPECT_FALSE(at(0, 4).selected);  // fixed cells never are
  EXPECT_TRUE(at(0, 4).fixed);
  EXPECT_TRUE(at(1, 4).focused);
  QTest::mouseClick(g.viewport(), Qt::LeftButton, {}, Centre(g, 3, 2));
  EXPECT_EQ(g.Row(), 2);
  EXPECT_EQ(clicks, 2);
}

TEST(KvStringGrid, EnterAndEscapeGoOnToTheWindowWithoutEditing) {
  ShownGrid s(3, 3);
  int dbl = 0;
  s.grid.OnDblClick = [&](KvStringGrid&) { ++dbl; };
  QKeyEvent esc(QEvent::KeyPress, Qt::Key_Escape, Qt::NoModifier);
  QApplication::sendEvent(&s.grid, &esc);
  EXPECT_FALSE(esc.isAccepted());
  QTest::mouseDClick(s.grid.viewport(), Qt::LeftButton, {}, Centre(s.grid, 1, 1));
  EXPECT_EQ(dbl, 1);
  EXPECT_FALSE(s.grid.EditorMode());
}

TEST(KvStringGrid, DisabledGridIsReadOnly) {
  ShownGrid s(3, 3);
  s.grid.SetOption(KvStringGrid::goEditing, true);
  s.grid.setEnabled(false);
  QTest::keyClicks(&s.grid, "7");
  EXPECT_EQ(s.grid.Cell(1, 1), "");
  s.grid.SetEditorMode(true);
  EXPECT_FALSE(s.grid.EditorMode());
}

TEST(KvStringGrid, ScreenshotWithFixedPartsAndOwnerDrawnCells) {
  KvStringGrid g;
  g.resize(620, 230);
  g.SetColCount(9);
  g.SetRowCount(6);
  g.SetFixedCols(3);
  g.SetFixedRows(1);
  g.SetFixedColour(kui::BgrColour(0xE2FBFC));
  g.SetColWidth(0, -1);
  g.SetColWidth(1, -1);
  g.SetColWidth(2, 128);
  g.SetColWidth(8, 88);
  const QStringList sizes{"S", "M", "L", "XL", "XXL"};
  const QList<quint32> colours{0x0000FF, 0x00FF00, 0xFF0000, 0x00FFFF};
  const QStringList names{"RED", "GREEN", "BLUE", "YELLOW"};
  for (int i = 0; i < sizes.size(); ++i) g.SetCell(3 + i, 0, sizes[i]);
  g.SetCell(8, 0, "TOTALS");
  for (int r = 0; r < 4; ++r) {
    g.SetCell(0, r + 1, QString("0000000%1").arg(r + 1));
    g.SetCell(1, r + 1, QString::number(colours[r]));
    g.SetCell(2, r + 1, names[r]);
    int total = 0;
    for (int c = 3; c < 8; ++c) {
      const int q = (r * 5 + c) % 7 - 1;
      total += q;
      g.SetCell(c, r + 1, QString::number(q));
    }
    g.SetCell(8, r + 1, QString::number(total));
  }
  g.SetCell(2, 5, "TOTALS");
  for (int c = 3; c < 9; ++c) {
    int sum = 0;
    for (int r = 1; r < 5; ++r) sum += g.Cell(c, r).toInt();
    g.SetCell(c, 5, QString::number(sum));
  }
  g.OnDrawCell = [](KvStringGrid& grid, QPainter& p, int col, int row, const QRect& r,
                    KvGridDrawState st) {
    QColor back = st.fixed ? grid.FixedColour() : QColor(Qt::white);
    if (col == 2 && row > 0) back = kui::BgrColourOr(grid.Cell(1, row), Qt::white);
    if (col > 2 && row > 0 && !grid.Cell(col, row).isEmpty()) {
      const int v = grid.Cell(col, row).toInt();
      back = v > 0 ? kui::BgrColour(0xC0DCC0) : v < 0 ? kui::BgrColour(0x0000FF) : Qt::white;
    }
    if (st.selected || st.focused) back = kui::BgrColour(0xC0C0C0);
    p.fillRect(r, back);
    QFont f = p.font();
    f.setBold(row == 0);
    p.setFont(f);
    const int luma = (back.red() * 299 + back.green() * 587 + back.blue() * 114) / 1000;
    p.setPen(luma < 128 ? Qt::white : Qt::black);
    KvStringGrid::DrawCellText(p, r, grid.Cell(col, row), col > 2 ? Qt::AlignRight : Qt::AlignLeft,
                               1, 2);
  };
  g.SetCurrent(4, 2);
  g.show();
  QApplication::processEvents();
  const QString file = kvtest::SaveScreenshot(&g, "StringGrid");
  const QImage img = g.viewport()->grab().toImage();
  // The colour name is painted in its own colour, a negative quantity in red.
  EXPECT_EQ(img.pixelColor(g.CellRect(2, 1).topLeft() + QPoint(100, 3)), QColor(255, 0, 0));
  int negCol = -1, negRow = -1;
  for (int r = 1; r < 5 && negCol < 0; ++r)
    for (int c = 3; c < 8; ++c)
      if (g.Cell(c, r).toInt() < 0 && !(c == 4 && r == 2)) { negCol = c; negRow = r; break; }
  ASSERT_GE(negCol, 0);
  EXPECT_EQ(img.pixelColor(g.CellRect(negCol, negRow).topLeft() + QPoint(2, 2)), QColor(255, 0, 0));
  if (!qEnvironmentVariableIsEmpty("KV_SCREENS_DIR")) {
    EXPECT_FALSE(file.isEmpty());
  }
}

TEST(KvStringGrid, KeyboardSkipsHiddenColumnsAndRows) {
  ShownGrid s(5, 5);
  KvStringGrid& g = s.grid;
  g.SetColWidth(2, -1);
  g.SetRowHeight(2, -1);
  QTest::keyClick(&g, Qt::Key_Right);
  EXPECT_EQ(g.Col(), 3);
  QTest::keyClick(&g, Qt::Key_Down);
  EXPECT_EQ(g.Row(), 3);
  QTest::keyClick(&g, Qt::Key_Left);
  EXPECT_EQ(g.Col(), 1);
}

TEST(KvStringGrid, SharedPopupMenuKnowsItsGrid) {
  QMenu menu;
  menu.addAction("Export...");
  KvStringGrid a, b;
  a.SetContextMenu(&menu);
  b.SetContextMenu(&menu);
  EXPECT_EQ(KvStringGrid::PopupComponent(&menu), nullptr);
  QContextMenuEvent e(QContextMenuEvent::Mouse, QPoint(5, 5), QPoint(5, 5));
  QApplication::sendEvent(b.viewport(), &e);
  EXPECT_EQ(KvStringGrid::PopupComponent(&menu), &b);
  menu.hide();
}

// The quantity pages show their figures in a disabled (read-only) grid: the
// text and the current cell must look as they do when the grid is enabled.
TEST(KvStringGrid, ADisabledGridDrawsLikeAnEnabledOne) {
  KvStringGrid g;
  g.resize(300, 200);
  g.SetColCount(3);
  g.SetRowCount(3);
  const QString block(40, QChar(0x2588));  // a full block: its pixels are the text colour
  g.SetCell(1, 1, block);                   // the current cell
  g.SetCell(2, 2, block);                   // a plain cell
  g.show();
  const QImage enabled = ViewportShot(g);
  g.setEnabled(false);
  const QImage disabled = ViewportShot(g);
  for (const auto& [col, row] : {std::pair{1, 1}, std::pair{2, 2}}) {
    const QRect r = g.CellRect(col, row);
    const QPoint text = r.topLeft() + QPoint(6, r.height() / 2);
    const QPoint back = r.topLeft() + QPoint(1, 1);
    EXPECT_EQ(disabled.pixelColor(text), enabled.pixelColor(text)) << col << "," << row;
    EXPECT_EQ(disabled.pixelColor(back), enabled.pixelColor(back)) << col << "," << row;
  }
  EXPECT_EQ(disabled.pixelColor(g.CellRect(2, 2).topLeft() + QPoint(6, 12)), QColor(Qt::black));
}
