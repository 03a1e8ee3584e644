#pragma once
// Colours of the suite are 24-bit values in blue-green-red order (0x00BBGGRR):
// so they are stored in the database (COLOUR_VALUE, PARAMETERS.RATE) and so the
// window layouts name them. This is the one place that turns them into QColor
// and back.
//
//   painter.fillRect(r, kui::BgrColour(0x00FFFF));            // yellow
//   quint32 v = kui::ToBgr(QColor(255, 0, 0));                 // 0x0000FF
//   QColor c = kui::BgrColourOr(grid.Cell(1, row), Qt::white); // a grid cell's colour
#include <QColor>
#include <QString>

class QWidget;

namespace kui {

// 0x00BBGGRR -> colour; the top byte is ignored.
QColor BgrColour(quint32 bgr);

// colour -> 0x00BBGGRR (alpha dropped).
quint32 ToBgr(const QColor& colour);

// The colour of an integer text (decimal, as the database's colour values are
// written), or `fallback` when the text is empty or not an integer.
QColor BgrColourOr(const QString& text, const QColor& fallback);

// Fills a widget's background with a colour (the palette's window colour).
void PaintBackground(QWidget* w, const QColor& colour);

}  // namespace kui
