#pragma once
// Small value types shared by the report objects: band kinds, alignment,
// frames, fonts and the conversion from design pixels to paper millimetres.
#include <QColor>
#include <QFont>
#include <QString>

namespace kr {

// The kinds of band, in the order they appear on a page.
enum class BandType { PageHeader, Title, ColumnHeader, Detail, Summary, PageFooter };

enum class Alignment { Left, Center, Right };

enum class ShapeKind { Rectangle, HorizontalLine, VerticalLine, Ellipse };

// What a system-data field prints.
enum class SysDataKind { DateTime, Date, Time, ReportTitle, PageNumber };

// Lines drawn on chosen sides of a band, a label or the page.
struct Frame {
  bool Left = false;
  bool Top = false;
  bool Right = false;
  bool Bottom = false;
  QColor Colour = Qt::black;
  qreal Width = 1;  // design pixels

  bool Any() const { return Left || Top || Right || Bottom; }
  static Frame All(const QColor& colour = Qt::black) { return {true, true, true, true, colour, 1}; }
  static Frame Under(const QColor& colour = Qt::black) { return {false, false, false, true, colour, 1}; }
};

// A font whose size is given in pixels at 96 dpi, as the print forms are drawn.
QFont PixelFont(const QString& family, int pixels, bool bold = false);
// A font whose size is given in points.
QFont PointFont(const QString& family, qreal points, bool bold = false);

// The font's size in pixels at 96 dpi, whichever way it was given.
qreal FontPixels96(const QFont& font);

// Report geometry is given in design pixels: pixels of a 96 dpi screen at the
// report's zoom. A report laid out at zoom 120 therefore prints at 100/120 of
// its on-screen size, exactly as it looked in the designer.
inline qreal DesignPixelsToMm(qreal px, int zoom) { return px * 25.4 / 96.0 * 100.0 / zoom; }

}  // namespace kr
