#pragma once
// The laid-out report: every page as a list of bands, each band with the
// texts, shapes and pictures it prints and their rectangles in millimetres
// from the paper's top-left corner. One list serves the preview, the printer,
// the PDF file and the tests, so what is checked is what is printed.
#include "ReportTypes.h"

#include <QImage>
#include <QRectF>
#include <QStringList>

#include <variant>
#include <vector>

class QPainter;

namespace kr {

struct RenderedLine {
  QString text;
  QRectF rect;  // the line's own text rectangle (its width is the text's width)
};

struct RenderedText {
  QString name;     // the label's name
  QString text;     // the whole caption as given
  QRectF rect;      // the label's rectangle
  std::vector<RenderedLine> lines;  // the lines printed, after word wrap
  Alignment alignment = Alignment::Left;
  QFont font;       // size as FontPixels96 reads it
  QColor colour = Qt::black;
  QColor background;  // invalid: transparent
  Frame frame;        // width in millimetres
  bool clipped = false;  // some text did not fit the rectangle and was cut

  QRectF TextRect() const;  // the union of the lines' rectangles
  QString PrintedText() const;  // the printed lines joined by "\n"
};

struct RenderedShape {
  ShapeKind kind = ShapeKind::Rectangle;
  QRectF rect;
  QColor pen = Qt::black;
  qreal penWidth = 0.25;  // millimetres
  QColor brush;           // invalid: not filled
};

struct RenderedImage {
  QRectF rect;
  QImage image;
};

using RenderedItem = std::variant<RenderedText, RenderedShape, RenderedImage>;

struct RenderedBand {
  BandType type = BandType::Detail;
  QString name;
  QRectF rect;
  QColor colour;  // invalid: transparent
  Frame frame;    // width in millimetres
  std::vector<RenderedItem> items;

  std::vector<const RenderedText*> Texts() const;
  const RenderedText* FindText(const QString& labelName) const;
};

struct RenderedPage {
  int number = 0;  // 1-based
  QSizeF size;     // the paper, as oriented
  QRectF printable;  // the paper less the margins
  Frame frame;     // the page frame, width in millimetres
  std::vector<RenderedBand> bands;

  int CountBands(BandType type) const;
  std::vector<const RenderedBand*> BandsOf(BandType type) const;
  // Every printed line of the page, top to bottom as laid out.
  QStringList Lines() const;
  // The first text whose printed lines contain the given text.
  const RenderedText* FindText(const QString& contains) const;
};

// Paints one page; the painter's device has the given resolution and its
// origin at the paper's top-left corner.
void PaintPage(QPainter& painter, const RenderedPage& page, qreal dpi);

// The page as a picture on white paper.
QImage PageImage(const RenderedPage& page, qreal dpi = 96);

}  // namespace kr
