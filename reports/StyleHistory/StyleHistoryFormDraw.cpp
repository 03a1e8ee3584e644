// TFormStyleHistoryF: the two grids draw every cell themselves.
#include "StyleHistoryForm.h"

#include "DataModF.h"
#include "KvColour.h"
#include "KvStringGrid.h"

#include <QPainter>

namespace {

// The brush, font and text of one cell, before the grid's own choices.
struct CellLook {
  QColor brush = Qt::white;
  QColor pen = Qt::black;
  bool bold = false;
  Qt::Alignment align = Qt::AlignLeft;
};

void Paint(QPainter& p, const QRect& rect, const kui::KvStringGrid& grid, const QString& text, CellLook look,
           kui::KvGridDrawState state) {
  // A selected or focused cell is grey whatever else it shows.
  if (state.selected || state.focused) look.brush = kvColour(TFormStyleHistoryF::kSelectedCellColour);
  p.fillRect(rect, look.brush);
  QFont font = grid.font();
  font.setBold(look.bold);
  p.setFont(font);
  p.setPen(look.pen);
  kui::KvStringGrid::DrawCellText(p, rect, text, look.align, 2, 2);
}

CellLook FixedOrPlain(kui::KvGridDrawState state) {
  CellLook look;
  if (state.fixed) {
    look.brush = kvColour(TFormStyleHistoryF::kFixedCellColour);
    look.bold = true;
  }
  return look;
}

}  // namespace

quint32 TFormStyleHistoryF::QuantityColour(qint64 value) {
  if (value > 0) return kPositiveColour;
  if (value < 0) return kNegativeColour;
  return 0xFFFFFF;
}

void TFormStyleHistoryF::SGridStyleDrawCell(QPainter& p, int col, int row, const QRect& rect,
                                            kui::KvGridDrawState state) {
  CellLook look = FixedOrPlain(state);
  QString text = SGridStyle->Cell(col, row);
  if (row == TStyleGridClass::srSwatch && col > 0) {
    // The colour itself, named, in a text colour that reads on it.
    bool isNumber = false;
    const qint64 value = text.toLongLong(&isNumber);
    const quint32 colour = isNumber ? static_cast<quint32>(value) & 0xFFFFFF : 0xFFFFFF;
    look.brush = kvColour(colour);
    look.pen = kvColour(DMDB ? DMDB->ContrastFontColour(colour) : 0);
    text = Colour(col);
  }
  if (col > 0 && row >= TStyleGridClass::srCostPrice && row <= TStyleGridClass::srMarkup)
    look.align = Qt::AlignRight;
  Paint(p, rect, *SGridStyle, text, look, state);
}

void TFormStyleHistoryF::SGridInfoDrawCell(QPainter& p, int col, int row, const QRect& rect,
                                           kui::KvGridDrawState state) {
  CellLook look = FixedOrPlain(state);
  const QString text = SGridInfo->Cell(col, row);
  if (!state.fixed && !text.isEmpty()) look.brush = kvColour(QuantityColour(text.toLongLong()));
  if (col > 0) look.align = Qt::AlignRight;
  Paint(p, rect, *SGridInfo, text, look, state);
}
