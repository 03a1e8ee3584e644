#include <gtest/gtest.h>

#include <QApplication>
#include <QImage>
#include <QLineEdit>
#include <QTest>

#include <stdexcept>

#include "KuiColour.h"
#include "KvBusyGuard.h"
#include "KvStringGrid.h"

using kui::KvStringGrid;

TEST(ReviewProbe, DisabledLook) {
  KvStringGrid g;
  g.resize(300, 200);
  g.SetColCount(3);
  g.SetRowCount(3);
  g.SetCell(1, 1, QString(40, QChar(0x2588)));
  g.SetCell(2, 2, QString(40, QChar(0x2588)));
  g.show();
  QApplication::processEvents();
  QImage on = g.viewport()->grab().toImage();
  g.setEnabled(false);
  QApplication::processEvents();
  QImage off = g.viewport()->grab().toImage();
  const QPoint p = g.CellRect(2, 2).topLeft() + QPoint(6, g.CellRect(2, 2).height() / 2);
  qDebug() << on.pixelColor(p) << off.pixelColor(p);
  const QPoint q = g.CellRect(1, 1).topLeft() + QPoint(6, g.CellRect(1, 1).height() / 2);
  qDebug() << on.pixelColor(q) << off.pixelColor(q);
  EXPECT_EQ(on, off);
}
