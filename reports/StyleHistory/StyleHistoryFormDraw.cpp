// TFormStyleHistoryF: the two grids draw every cell themselves, and show
// the whole text of a cell too narrow for it as the cell's tip.
#include "StyleHistoryForm.h"

#include "DataModF.h"
#include "KvColour.h"
#include "KvStringGrid.h"

#include <QFontMetrics>
#include <QHelpEvent>
#include <QPainter>
#include <QToolTip>

namespace {

// Text stands this far in from both sides of its cell.
constexpr int kTextInset = 2;

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
  kui::KvStringGrid::DrawCellText(p, rect, text, look.align, kTextInset, kTextInset);
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
  if (row == TStyleGridClass::srSwatch && col > 0) {
    // The colour itself, named, in a text colour that reads on it.
    bool isNumber = false;
    const qint64 value = SGridStyle->Cell(col, row).toLongLong(&isNumber);
    const quint32 colour = isNumber ? static_cast<quint32>(value) & 0xFFFFFF : 0xFFFFFF;
    look.brush = kvColour(colour);
    look.pen = kvColour(DMDB ? DMDB->ContrastFontColour(colour) : 0);
  }
  const QString text = ShownText(*SGridStyle, col, row);
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

// ----- the whole text of a narrow cell -----------------------------------------------------

QString TFormStyleHistoryF::ShownText(const kui::KvStringGrid& grid, int col, int row) const {
  if (&grid == SGridStyle && row == TStyleGridClass::srSwatch && col > 0) return Colour(col);
  return grid.Cell(col, row);
}

QString TFormStyleHistoryF::CellTip(const kui::KvStringGrid& grid, int col, int row) const {
  const QRect rect = grid.CellRect(col, row);
  if (rect.isEmpty()) return {};
  const QString text = ShownText(grid, col, row);
  QFont font = grid.font();
  font.setBold(col < grid.FixedCols() || row < grid.FixedRows());  // as drawn
  const int room = rect.width() - 2 * kTextInset;
  return QFontMetrics(font).horizontalAdvance(text) > room ? text : QString();
}

bool TFormStyleHistoryF::eventFilter(QObject* watched, QEvent* event) {
  if (event->type() == QEvent::ToolTip) {
    for (kui::KvStringGrid* grid : {SGridStyle, SGridInfo}) {
      if (!grid || watched != grid->viewport()) continue;
      const auto* help = static_cast<QHelpEvent*>(event);
      int col = 0, row = 0;
      const QString tip = grid->CellAt(help->pos(), col, row) ? CellTip(*grid, col, row) : QString();
      if (tip.isEmpty())
        QToolTip::hideText();
      else
        QToolTip::showText(help->globalPos(), tip, grid->viewport(), grid->CellRect(col, row));
      return true;
    }
  }
  return TReportFrameForm::eventFilter(watched, event);
}
