#include "KvStringGrid.h"

#include "KvKeys.h"

#include <QApplication>
#include <QContextMenuEvent>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMenu>
#include <QPainter>
#include <QPointer>
#include <QScrollBar>
#include <QTimer>

#include <algorithm>
#include <map>

#include "KuiGuard.h"

namespace kui {
namespace {

constexpr int kResizeGrip = 3;  // pixels either side of a border that start a resize

std::map<const QMenu*, QPointer<KvStringGrid>>& PopupOwners() {
  static std::map<const QMenu*, QPointer<KvStringGrid>> owners;
  return owners;
}

// The character a key event types, with the control characters the hooks
// expect for Enter, Backspace and Escape; a null QChar for keys that type none.
QChar KeyChar(const QKeyEvent* e, int key) {
  switch (key) {
    case Qt::Key_Return:
    case Qt::Key_Enter:
      return QChar('\r');
    case Qt::Key_Backspace:
      return QChar('\b');
    case Qt::Key_Escape:
      return QChar(27);
    default:
      break;
  }
  // Delete comes with the character 0x7F on X11: it edits, it types nothing.
  if (IsEditingKey(*e)) return {};
  if (e->modifiers() & (Qt::ControlModifier | Qt::AltModifier)) return {};
  const QString t = e->text();
  if (t.isEmpty() || !t.at(0).isPrint()) return {};
  return t.at(0);
}

}  // namespace

KvStringGrid::KvStringGrid(QWidget* parent) : QAbstractScrollArea(parent) {
  setFocusPolicy(Qt::StrongFocus);
  viewport()->setMouseTracking(true);
  viewport()->setAutoFillBackground(false);
  viewport()->setAttribute(Qt::WA_OpaquePaintEvent);

  editor_ = new QLineEdit(viewport());
  editor_->setFrame(false);
  editor_->hide();
  editor_->setProperty("kvCellEditor", true);  // the focus colour leaves it alone
  editor_->installEventFilter(this);
  connect(editor_, &QLineEdit::textChanged, this, &KvStringGrid::EditorTextChanged);
}

KvStringGrid::~KvStringGrid() {
  auto& owners = PopupOwners();
  for (auto it = owners.begin(); it != owners.end();) {
    if (it->second == this || it->second.isNull()) it = owners.erase(it);
    else ++it;
  }
}

template <class F>
void KvStringGrid::Fire(const char* event, F&& call) {
  try {
    call();
  } catch (...) {
    const QString owner = objectName().isEmpty() ? QStringLiteral("KvStringGrid") : objectName();
    ReportCurrentException(owner + "::" + QLatin1String(event));
  }
}

// --- size ---------------------------------------------------------------------

void KvStringGrid::SetColCount(int n) {
  n = std::max(0, n);
  if (n < cols_.Count()) {
    for (auto& r : cells_)
      if (static_cast<int>(r.size()) > n) r.resize(n);
  }
  cols_.SetCount(n);
  ClampCurrent();
  GeometryChanged();
}

void KvStringGrid::SetRowCount(int n) {
  n = std::max(0, n);
  if (n < static_cast<int>(cells_.size())) cells_.resize(n);
  rows_.SetCount(n);
  ClampCurrent();
  GeometryChanged();
}

// As in the class library, new fixed counts put the current cell on the first
// data cell.
void KvStringGrid::SetFixedCols(int n) {
  fixedCols_ = std::max(0, n);
  ToFirstDataCell();
}

void KvStringGrid::SetFixedRows(int n) {
  fixedRows_ = std::max(0, n);
  ToFirstDataCell();
}

void KvStringGrid::ToFirstDataCell() {
  if (editing_) HideEditor();
  col_ = fixedCols_;
  row_ = fixedRows_;
  ClampCurrent();
  GeometryChanged();
}

void KvStringGrid::SetDefaultColWidth(int w) {
  cols_.SetDefaultSize(w);
  GeometryChanged();
}

void KvStringGrid::SetDefaultRowHeight(int h) {
  rows_.SetDefaultSize(h);
  GeometryChanged();
}

void KvStringGrid::SetColWidth(int col, int width) {
  cols_.SetSize(col, width);
  GeometryChanged();
}

void KvStringGrid::SetRowHeight(int row, int height) {
  rows_.SetSize(row, height);
  GeometryChanged();
}

// --- cells --------------------------------------------------------------------

QString KvStringGrid::Cell(int col, int row) const {
  if (row < 0 || col < 0 || row >= static_cast<int>(cells_.size())) return {};
  const auto& r = cells_[row];
  return col < static_cast<int>(r.size()) ? r[col] : QString();
}

void KvStringGrid::SetCell(int col, int row, const QString& text) {
  if (row < 0 || col < 0 || row >= RowCount()) return;
  if (row >= static_cast<int>(cells_.size())) {
    if (text.isEmpty()) return;
    cells_.resize(row + 1);
  }
  auto& r = cells_[row];
  if (col >= static_cast<int>(r.size())) {
    if (text.isEmpty()) return;
    r.resize(std::max(col + 1, ColCount()));
  }
  const bool editorCell = editing_ && col == col_ && row == row_;
  // The same text again changes nothing on screen (a grid filled anew sets
  // most of its cells to what they hold).
  if (!editorCell && r[col] == text) return;
  if (updating_ > 0 && !editorCell) {
    shownBefore_.try_emplace({col, row}, r[col]);
    r[col] = text;
    return;
  }
  r[col] = text;
  if (editorCell) ShowInEditor(text);
  UpdateCell(col, row);
}

void KvStringGrid::ShowInEditor(const QString& text) {
  // The editor shows its cell's new text without taking it for typing.
  if (editor_->text() == text) return;
  loadingEditor_ = true;
  editor_->setText(text);
  loadingEditor_ = false;
}

void KvStringGrid::EndUpdate() {
  if (updating_ == 0 || --updating_ > 0) return;
  std::map<std::pair<int, int>, QString> cells;
  cells.swap(shownBefore_);
  for (const auto& [cell, before] : cells)
    if (Cell(cell.first, cell.second) != before) UpdateCell(cell.first, cell.second);
}

QStringList KvStringGrid::RowTexts(int row) const {
  QStringList out;
  for (int c = 0; c < ColCount(); ++c) out << Cell(c, row);
  return out;
}

void KvStringGrid::SetRowTexts(int row, const QStringList& texts) {
  for (int c = 0; c < texts.size(); ++c) SetCell(c, row, texts[c]);
}

void KvStringGrid::SetRowCells(int row, std::vector<QString> cells) {
  if (row < 0 || row >= RowCount()) return;
  if (row >= static_cast<int>(cells_.size())) {
    if (cells.empty()) return;
    cells_.resize(row + 1);
  }
  cells_[row] = std::move(cells);
  if (editing_ && row == row_) ShowInEditor(Cell(col_, row_));
  UpdateRow(row);
}

QStringList KvStringGrid::ColTexts(int col) const {
  QStringList out;
  for (int r = 0; r < RowCount(); ++r) out << Cell(col, r);
  return out;
}

void KvStringGrid::ClearCol(int col) {
  for (auto& r : cells_)
    if (col >= 0 && col < static_cast<int>(r.size())) r[col].clear();
  viewport()->update();
}

void KvStringGrid::ClearRow(int row) {
  if (row >= 0 && row < static_cast<int>(cells_.size())) cells_[row].clear();
  viewport()->update();
}

void KvStringGrid::ClearCells() {
  cells_.clear();
  if (editing_) HideEditor();
  viewport()->update();
}

void KvStringGrid::InsertRow(int row) {
  if (row < 0 || row > RowCount()) return;
  if (row < static_cast<int>(cells_.size())) cells_.insert(cells_.begin() + row, std::vector<QString>());
  rows_.SetCount(RowCount() + 1);
  rows_.Shift(row, 1);
  GeometryChanged();
}

void KvStringGrid::DeleteRow(int row) {
  if (row < 0 || row >= RowCount()) return;
  if (editing_ && row == row_) HideEditor();
  if (row < static_cast<int>(cells_.size())) cells_.erase(cells_.begin() + row);
  rows_.Shift(row, -1);
  rows_.SetCount(RowCount() - 1);
  ClampCurrent();
  GeometryChanged();
}

// --- current cell ------------------------------------------------------------------

bool KvStringGrid::IsDataCell(int col, int row) const {
  return col >= fixedCols_ && col < ColCount() && row >= fixedRows_ && row < RowCount();
}

void KvStringGrid::ClampCurrent() {
  const int col = std::max(fixedCols_, std::min(col_, ColCount() - 1));
  const int row = std::max(fixedRows_, std::min(row_, RowCount() - 1));
  if (col != col_ || row != row_) {
    if (editing_) HideEditor();
    col_ = col;
    row_ = row;
  }
}

bool KvStringGrid::MoveTo(int col, int row, bool byUser) {
  if (!IsDataCell(col, row)) return false;
  if (col == col_ && row == row_) {
    EnsureVisible(col, row);
    return true;
  }
  bool can = true;
  if (OnSelectCell) Fire("OnSelectCell", [&] { OnSelectCell(*this, col, row, can); });
  if (!can) return false;
  const bool reopen = editing_ && HasOption(goAlwaysShowEditor);
  if (editing_) HideEditor();
  col_ = col;
  row_ = row;
  EnsureVisible(col, row);
  viewport()->update();
  if (reopen || (HasOption(goAlwaysShowEditor) && HasFocusInside())) ShowEditor(true);
  if (byUser && OnClick) Fire("OnClick", [&] { OnClick(*this); });
  return true;
}

// --- options and look ------------------------------------------------------------------

void KvStringGrid::SetGridOptions(Options options) {
  options_ = options;
  if (editing_ && !HasOption(goEditing)) HideEditor();
  viewport()->update();
}

void KvStringGrid::SetOption(Option o, bool on) {
  SetGridOptions(on ? (options_ | o) : (options_ & ~static_cast<Options>(o)));
}

void KvStringGrid::SetColour(const QColor& c) {
  colour_ = c;
  viewport()->update();
}

void KvStringGrid::SetFixedColour(const QColor& c) {
  fixedColour_ = c;
  viewport()->update();
}

void KvStringGrid::SetGridLineColour(const QColor& c) {
  lineColour_ = c;
  viewport()->update();
}

void KvStringGrid::SetDefaultDrawing(bool on) {
  defaultDrawing_ = on;
  viewport()->update();
}

// --- geometry ------------------------------------------------------------------------

int KvStringGrid::ViewX(int col) const {
  return col < fixedCols_ ? cols_.Pos(col) : cols_.Pos(col) - horizontalScrollBar()->value();
}

int KvStringGrid::ViewY(int row) const {
  return row < fixedRows_ ? rows_.Pos(row) : rows_.Pos(row) - verticalScrollBar()->value();
}

QRect KvStringGrid::CellRect(int col, int row) const {
  if (col < 0 || row < 0 || col >= ColCount() || row >= RowCount()) return {};
  if (!cols_.Visible(col) || !rows_.Visible(row)) return {};
  return QRect(ViewX(col), ViewY(row), cols_.Size(col), rows_.Size(row));
}

bool KvStringGrid::CellVisible(int col, int row) const {
  const QRect r = CellRect(col, row);
  if (r.isEmpty()) return false;
  const QRect view = viewport()->rect();
  const int left = col < fixedCols_ ? 0 : FixedWidth();
  const int top = row < fixedRows_ ? 0 : FixedHeight();
  return r.left() >= left && r.top() >= top && r.right() <= view.right() &&
         r.bottom() <= view.bottom();
}

bool KvStringGrid::CellAt(const QPoint& p, int& col, int& row) const {
  const int fw = FixedWidth(), fh = FixedHeight();
  col = p.x() < fw ? cols_.IndexAt(p.x()) : cols_.IndexAt(p.x() + horizontalScrollBar()->value());
  row = p.y() < fh ? rows_.IndexAt(p.y()) : rows_.IndexAt(p.y() + verticalScrollBar()->value());
  if (p.x() >= fw && col < fixedCols_) col = -1;
  if (p.y() >= fh && row < fixedRows_) row = -1;
  return col >= 0 && row >= 0;
}

int KvStringGrid::TopRow() const {
  const int r = rows_.IndexAt(FixedHeight() + verticalScrollBar()->value());
  return r < 0 ? fixedRows_ : std::max(r, fixedRows_);
}

void KvStringGrid::SetTopRow(int row) {
  UpdateScrollBars();
  verticalScrollBar()->setValue(rows_.Pos(std::max(row, fixedRows_)) - FixedHeight());
}

int KvStringGrid::LeftCol() const {
  const int c = cols_.IndexAt(FixedWidth() + horizontalScrollBar()->value());
  return c < 0 ? fixedCols_ : std::max(c, fixedCols_);
}

void KvStringGrid::SetLeftCol(int col) {
  UpdateScrollBars();
  horizontalScrollBar()->setValue(cols_.Pos(std::max(col, fixedCols_)) - FixedWidth());
}

int KvStringGrid::VisibleRowCount() const {
  int n = 0;
  const int bottom = viewport()->height();
  for (int r = TopRow(); r < RowCount(); ++r) {
    if (!rows_.Visible(r)) continue;
    if (ViewY(r) + rows_.Size(r) > bottom) break;
    ++n;
  }
  return n;
}

void KvStringGrid::EnsureVisible(int col, int row) {
  UpdateScrollBars();
  if (row >= fixedRows_ && row < RowCount()) {
    const int top = rows_.Pos(row) - FixedHeight();
    const int avail = viewport()->height() - FixedHeight();
    const int bottom = top + rows_.Extent(row);
    auto* v = verticalScrollBar();
    if (top < v->value()) v->setValue(top);
    else if (bottom > v->value() + avail) v->setValue(std::min(top, bottom - avail));
  }
  if (col >= fixedCols_ && col < ColCount() && !HasOption(goRowSelect)) {
    const int left = cols_.Pos(col) - FixedWidth();
    const int avail = viewport()->width() - FixedWidth();
    const int right = left + cols_.Extent(col);
    auto* h = horizontalScrollBar();
    if (left < h->value()) h->setValue(left);
    else if (right > h->value() + avail) h->setValue(std::min(left, right - avail));
  }
}

QSize KvStringGrid::sizeHint() const {
  const int w = std::min(cols_.Pos(ColCount()), 800) + 2 * frameWidth();
  const int h = std::min(rows_.Pos(RowCount()), 600) + 2 * frameWidth();
  return {std::max(w, 100), std::max(h, 60)};
}

void KvStringGrid::GeometryChanged() {
  viewport()->update();
  if (layoutPending_) return;
  layoutPending_ = true;
  // Many size changes in a row (a fill adding rows one by one) cost one update.
  QTimer::singleShot(0, this, [this] { UpdateScrollBars(); });
}

void KvStringGrid::UpdateScrollBars() {
  layoutPending_ = false;
  const QSize view = viewport()->size();
  const int contentW = cols_.Pos(ColCount()) - FixedWidth();
  const int contentH = rows_.Pos(RowCount()) - FixedHeight();
  const int availW = std::max(0, view.width() - FixedWidth());
  const int availH = std::max(0, view.height() - FixedHeight());
  auto* h = horizontalScrollBar();
  h->setRange(0, std::max(0, contentW - availW));
  h->setPageStep(std::max(1, availW));
  h->setSingleStep(std::max(1, DefaultColWidth()));
  auto* v = verticalScrollBar();
  v->setRange(0, std::max(0, contentH - availH));
  v->setPageStep(std::max(1, availH));
  v->setSingleStep(std::max(1, DefaultRowHeight() + 1));
  if (editing_) PlaceEditor();
}

void KvStringGrid::UpdateCell(int col, int row) {
  if (!isVisible()) return;
  if (row >= fixedRows_ && (row < paintedFirstRow_ || row > paintedLastRow_)) return;
  // The whole row: draw hooks often colour one cell from another of its row.
  const QRect r = CellRect(col, row);
  if (r.isEmpty()) return;
  viewport()->update(QRect(0, r.top(), viewport()->width(), r.height() + 1));
}

void KvStringGrid::UpdateRow(int row) {
  if (!isVisible() || !rows_.Visible(row)) return;
  if (row >= fixedRows_ && (row < paintedFirstRow_ || row > paintedLastRow_)) return;
  viewport()->update(QRect(0, ViewY(row), viewport()->width(), rows_.Size(row) + 1));
}

void KvStringGrid::resizeEvent(QResizeEvent* e) {
  QAbstractScrollArea::resizeEvent(e);
  UpdateScrollBars();
}

void KvStringGrid::showEvent(QShowEvent* e) {
  QAbstractScrollArea::showEvent(e);
  UpdateScrollBars();
}

void KvStringGrid::scrollContentsBy(int, int) {
  viewport()->update();
  if (editing_) {
    if (CellVisible(col_, row_)) PlaceEditor();
    else HideEditor();
  }
  if (OnTopLeftChanged) Fire("OnTopLeftChanged", [&] { OnTopLeftChanged(*this); });
}

// --- painting ------------------------------------------------------------------------

void KvStringGrid::DrawCellText(QPainter& p, const QRect& rect, const QString& text,
                                Qt::Alignment horizontal, int insetLeft, int insetRight) {
  if (text.isEmpty()) return;
  const QRect r = rect.adjusted(insetLeft, 0, -insetRight, 0);
  p.drawText(r, static_cast<int>(horizontal | Qt::AlignVCenter | Qt::TextSingleLine), text);
}

void KvStringGrid::PaintCell(QPainter& p, int col, int row, const QRect& rect) {
  KvGridDrawState state;
  state.fixed = col < fixedCols_ || row < fixedRows_;
  if (!state.fixed && row == row_) {
    state.selected = HasOption(goRowSelect) || col == col_;
    state.focused = col == col_ && HasFocusInside();
  }
  // A disabled grid is only read-only: it keeps the colours it has enabled
  // (the palette of a disabled widget would grey its text and selection).
  const QPalette& pal = palette();
  const QPalette::ColorGroup group = isEnabled() ? pal.currentColorGroup() : QPalette::Active;
  QColor back = state.fixed ? fixedColour_ : colour_;
  QColor fore = pal.color(group, QPalette::Text);
  if (state.selected && !state.fixed) {
    back = pal.color(group, QPalette::Highlight);
    fore = pal.color(group, QPalette::HighlightedText);
  }
  p.save();
  p.setClipRect(rect, Qt::IntersectClip);
  p.setFont(font());
  if (defaultDrawing_) {
    p.fillRect(rect, back);
    p.setPen(fore);
    DrawCellText(p, rect, Cell(col, row));
    if (state.focused && !editing_) {
      p.setPen(QPen(fore, 1, Qt::DotLine));
      p.drawRect(rect.adjusted(0, 0, -1, -1));
    }
  }
  if (OnDrawCell) {
    p.setBrush(back);
    p.setPen(fore);
    Fire("OnDrawCell", [&] { OnDrawCell(*this, p, col, row, rect, state); });
  }
  p.restore();

  const bool vert = HasOption(state.fixed ? goFixedVertLine : goVertLine);
  const bool horz = HasOption(state.fixed ? goFixedHorzLine : goHorzLine);
  const QColor line = state.fixed ? lineColour_.darker(130) : lineColour_;
  p.fillRect(QRect(rect.right() + 1, rect.top(), 1, rect.height() + 1), vert ? line : colour_);
  p.fillRect(QRect(rect.left(), rect.bottom() + 1, rect.width() + 1, 1), horz ? line : colour_);
}

void KvStringGrid::PaintPart(QPainter& p, const QRect& clip, int firstCol, int lastCol,
                             int firstRow, int lastRow) {
  if (clip.isEmpty() || firstCol < 0 || firstRow < 0) return;
  p.save();
  p.setClipRect(clip);
  for (int r = firstRow; r <= lastRow && r < RowCount(); ++r) {
    if (!rows_.Visible(r)) continue;
    const int y = ViewY(r);
    if (y > clip.bottom()) break;
    for (int c = firstCol; c <= lastCol && c < ColCount(); ++c) {
      if (!cols_.Visible(c)) continue;
      const int x = ViewX(c);
      if (x > clip.right()) break;
      PaintCell(p, c, r, QRect(x, y, cols_.Size(c), rows_.Size(r)));
    }
  }
  p.restore();
}

void KvStringGrid::paintEvent(QPaintEvent*) {
  QPainter p(viewport());
  const QRect view = viewport()->rect();
  p.fillRect(view, colour_);
  const int fw = std::min(FixedWidth(), view.width());
  const int fh = std::min(FixedHeight(), view.height());
  const int firstCol = std::max(fixedCols_, LeftCol());
  const int firstRow = std::max(fixedRows_, TopRow());
  const int lastCol = ColCount() - 1, lastRow = RowCount() - 1;
  const QRect scrollArea(fw, fh, view.width() - fw, view.height() - fh);

  PaintPart(p, scrollArea, firstCol, lastCol, firstRow, lastRow);
  PaintPart(p, QRect(fw, 0, view.width() - fw, fh), firstCol, lastCol, 0, fixedRows_ - 1);
  PaintPart(p, QRect(0, fh, fw, view.height() - fh), 0, fixedCols_ - 1, firstRow, lastRow);
  PaintPart(p, QRect(0, 0, fw, fh), 0, fixedCols_ - 1, 0, fixedRows_ - 1);

  paintedFirstRow_ = firstRow;
  const int lastShown = rows_.IndexAt(FixedHeight() + verticalScrollBar()->value() + view.height());
  paintedLastRow_ = lastShown < 0 ? lastRow : lastShown;
}

// --- editor -----------------------------------------------------------------------

bool KvStringGrid::HasFocusInside() const { return hasFocus() || editor_->hasFocus(); }

void KvStringGrid::SetEditorMode(bool on) {
  if (on && !editing_) ShowEditor(true);
  else if (!on && editing_) HideEditor();
}

void KvStringGrid::ShowEditor(bool selectAll) {
  if (editing_ || !HasOption(goEditing) || !isEnabled() || !IsDataCell(col_, row_)) return;
  if (!cols_.Visible(col_) || !rows_.Visible(row_)) return;
  EnsureVisible(col_, row_);
  editOriginal_ = Cell(col_, row_);
  loadingEditor_ = true;
  editor_->setFont(font());
  editor_->setText(editOriginal_);
  loadingEditor_ = false;
  editing_ = true;
  PlaceEditor();
  editor_->show();
  if (isVisible()) editor_->setFocus();
  if (selectAll) editor_->selectAll();
  else editor_->end(false);
  viewport()->update();
}

void KvStringGrid::HideEditor() {
  if (!editing_) return;
  editing_ = false;
  const bool hadFocus = editor_->hasFocus();
  editor_->hide();
  if (hadFocus) setFocus();
  viewport()->update();
}

void KvStringGrid::PlaceEditor() {
  const QRect r = CellRect(col_, row_);
  if (!r.isEmpty()) editor_->setGeometry(r);
}

void KvStringGrid::EditorTextChanged(const QString& text) {
  if (loadingEditor_ || !editing_) return;
  const int col = col_, row = row_;
  loadingEditor_ = true;
  SetCell(col, row, text);
  loadingEditor_ = false;
  if (OnSetEditText) Fire("OnSetEditText", [&] { OnSetEditText(*this, col, row, text); });
}

// --- keys ------------------------------------------------------------------------------

int KvStringGrid::NextVisible(const KvGridAxis& axis, int from, int step, int first) const {
  for (int i = from + step; i >= first && i < axis.Count(); i += step)
    if (axis.Visible(i)) return i;
  return -1;
}

bool KvStringGrid::Navigate(int key, Qt::KeyboardModifiers mods) {
  const bool ctrl = mods & Qt::ControlModifier;
  const int page = std::max(1, VisibleRowCount());
  int col = col_, row = row_;
  auto rowStep = [&](int steps, int dir) {
    for (int i = 0; i < steps; ++i) {
      const int next = NextVisible(rows_, row, dir, fixedRows_);
      if (next < 0) break;
      row = next;
    }
  };
  auto colStep = [&](int dir) {
    const int next = NextVisible(cols_, col, dir, fixedCols_);
    if (next >= 0) col = next;
  };
  switch (key) {
    case Qt::Key_Up: rowStep(1, -1); break;
    case Qt::Key_Down: rowStep(1, 1); break;
    case Qt::Key_PageUp: rowStep(page, -1); break;
    case Qt::Key_PageDown: rowStep(page, 1); break;
    case Qt::Key_Left:
      if (HasOption(goRowSelect)) {
        horizontalScrollBar()->triggerAction(QAbstractSlider::SliderSingleStepSub);
        return true;
      }
      colStep(-1);
      break;
    case Qt::Key_Right:
      if (HasOption(goRowSelect)) {
        horizontalScrollBar()->triggerAction(QAbstractSlider::SliderSingleStepAdd);
        return true;
      }
      colStep(1);
      break;
    case Qt::Key_Home:
      if (ctrl || HasOption(goRowSelect)) rowStep(RowCount(), -1);
      else col = std::max(fixedCols_, NextVisible(cols_, fixedCols_ - 1, 1, fixedCols_));
      break;
    case Qt::Key_End:
      if (ctrl || HasOption(goRowSelect)) rowStep(RowCount(), 1);
      else col = std::max(col, NextVisible(cols_, ColCount(), -1, fixedCols_));
      break;
    case Qt::Key_Tab:
    case Qt::Key_Backtab: {
      const int dir = key == Qt::Key_Tab && !(mods & Qt::ShiftModifier) ? 1 : -1;
      const int next = NextVisible(cols_, col, dir, fixedCols_);
      if (next >= 0) col = next;
      else {
        const int r = NextVisible(rows_, row, dir, fixedRows_);
        if (r < 0) break;
        row = r;
        col = dir > 0 ? NextVisible(cols_, fixedCols_ - 1, 1, fixedCols_)
                      : NextVisible(cols_, ColCount(), -1, fixedCols_);
      }
      break;
    }
    default:
      return false;
  }
  MoveTo(col, row, true);
  return true;
}

bool KvStringGrid::HandleKey(QKeyEvent* e, bool fromEditor) {
  int key = e->key();
  const Qt::KeyboardModifiers mods = e->modifiers();
  if (OnKeyDown) Fire("OnKeyDown", [&] { OnKeyDown(*this, key, mods); });
  if (key == 0) return true;

  const bool tab = key == Qt::Key_Tab || key == Qt::Key_Backtab;
  if (tab && !HasOption(goTabs)) return false;
  const bool editorKey = key == Qt::Key_Left || key == Qt::Key_Right || key == Qt::Key_Home ||
                         key == Qt::Key_End;
  if (!(fromEditor && editorKey) && Navigate(key, mods)) return true;
  if (key == Qt::Key_F2 && !editing_) {
    ShowEditor(false);
    return editing_;
  }

  const QChar typed = KeyChar(e, key);
  if (typed.isNull()) return false;
  QChar ch = typed;
  if (OnKeyPress) Fire("OnKeyPress", [&] { OnKeyPress(*this, ch); });
  if (ch.isNull()) return true;
  if (fromEditor && !editing_) return true;  // the hook moved on and closed the editor

  if (ch == QChar('\r')) {
    if (!HasOption(goEditing)) return false;
    if (!HasOption(goAlwaysShowEditor)) {
      if (editing_) HideEditor();
      else ShowEditor(true);
    }
    return true;
  }
  if (ch == QChar(27)) {
    if (!editing_) return false;
    loadingEditor_ = true;
    editor_->setText(editOriginal_);
    loadingEditor_ = false;
    SetCell(col_, row_, editOriginal_);
    if (!HasOption(goAlwaysShowEditor)) HideEditor();
    return true;
  }
  if (ch == QChar('\b')) return fromEditor ? false : true;
  if (!editing_) {
    ShowEditor(true);
    if (!editing_) return false;
  } else if (fromEditor && ch == typed) {
    return false;  // the editor types it itself
  }
  editor_->insert(QString(ch));
  return true;
}

void KvStringGrid::keyPressEvent(QKeyEvent* e) {
  if (HandleKey(e, false)) e->accept();
  else QAbstractScrollArea::keyPressEvent(e);
}

bool KvStringGrid::event(QEvent* e) {
  // Tab stays in the grid with goTabs; the base class would move the focus.
  if (e->type() == QEvent::KeyPress && HasOption(goTabs)) {
    auto* k = static_cast<QKeyEvent*>(e);
    if (k->key() == Qt::Key_Tab || k->key() == Qt::Key_Backtab) {
      keyPressEvent(k);
      return true;
    }
  }
  return QAbstractScrollArea::event(e);
}

bool KvStringGrid::eventFilter(QObject* watched, QEvent* e) {
  if (watched == editor_) {
    if (e->type() == QEvent::KeyPress) return HandleKey(static_cast<QKeyEvent*>(e), true);
    if (e->type() == QEvent::ShortcutOverride) {
      // Escape and Enter belong to the editor while it is open.
      const int key = static_cast<QKeyEvent*>(e)->key();
      if (key == Qt::Key_Escape || key == Qt::Key_Return || key == Qt::Key_Enter) e->accept();
    }
    if (e->type() == QEvent::FocusIn || e->type() == QEvent::FocusOut) viewport()->update();
  }
  return QAbstractScrollArea::eventFilter(watched, e);
}

// --- mouse -----------------------------------------------------------------------------

bool KvStringGrid::ResizeHit(const QPoint& pos, Resize& hit) const {
  if (HasOption(goColSizing) && pos.y() < FixedHeight()) {
    for (int c = 0; c < ColCount(); ++c) {
      if (!cols_.Visible(c)) continue;
      const int edge = ViewX(c) + cols_.Size(c);
      if (std::abs(pos.x() - edge) <= kResizeGrip && (c < fixedCols_ || edge > FixedWidth())) {
        hit = {false, true, c, pos.x(), cols_.Size(c)};
        return true;
      }
    }
  }
  if (HasOption(goRowSizing) && pos.x() < FixedWidth()) {
    int row = -1, col = -1;
    if (CellAt(pos, col, row)) {
      for (int r : {row - 1, row}) {
        if (r < 0 || !rows_.Visible(r)) continue;
        const int edge = ViewY(r) + rows_.Size(r);
        if (std::abs(pos.y() - edge) <= kResizeGrip) {
          hit = {false, false, r, pos.y(), rows_.Size(r)};
          return true;
        }
      }
    }
  }
  return false;
}

void KvStringGrid::mousePressEvent(QMouseEvent* e) {
  pressedOnGrid_ = false;
  if (e->button() != Qt::LeftButton) return QAbstractScrollArea::mousePressEvent(e);
  setFocus(Qt::MouseFocusReason);
  Resize hit;
  if (ResizeHit(e->position().toPoint(), hit)) {
    resize_ = hit;
    resize_.active = true;
    return;
  }
  pressedOnGrid_ = true;
  int col = -1, row = -1;
  if (CellAt(e->position().toPoint(), col, row) && IsDataCell(col, row)) {
    if (HasOption(goRowSelect)) col = col_;
    MoveTo(col, row, false);
  }
}

void KvStringGrid::mouseMoveEvent(QMouseEvent* e) {
  const QPoint pos = e->position().toPoint();
  if (resize_.active) {
    const int delta = (resize_.columns ? pos.x() : pos.y()) - resize_.startPos;
    const int size = std::max(1, resize_.startSize + delta);
    if (resize_.columns) SetColWidth(resize_.index, size);
    else SetRowHeight(resize_.index, size);
    return;
  }
  Resize hit;
  if (ResizeHit(pos, hit)) viewport()->setCursor(hit.columns ? Qt::SplitHCursor : Qt::SplitVCursor);
  else viewport()->unsetCursor();
}

void KvStringGrid::mouseReleaseEvent(QMouseEvent* e) {
  if (resize_.active) {
    resize_.active = false;
    UpdateScrollBars();
    return;
  }
  if (e->button() == Qt::LeftButton && pressedOnGrid_ && OnClick)
    Fire("OnClick", [&] { OnClick(*this); });
  pressedOnGrid_ = false;
}

void KvStringGrid::mouseDoubleClickEvent(QMouseEvent* e) {
  if (e->button() != Qt::LeftButton) return;
  if (OnDblClick) Fire("OnDblClick", [&] { OnDblClick(*this); });
  else if (HasOption(goEditing)) ShowEditor(true);
}

void KvStringGrid::contextMenuEvent(QContextMenuEvent* e) {
  if (!menu_) return QAbstractScrollArea::contextMenuEvent(e);
  PopupOwners()[menu_] = this;
  menu_->popup(e->globalPos());
  e->accept();
}

KvStringGrid* KvStringGrid::PopupComponent(const QMenu* menu) {
  const auto it = PopupOwners().find(menu);
  return it == PopupOwners().end() ? nullptr : it->second.data();
}

// --- focus and state ------------------------------------------------------------------------

void KvStringGrid::focusInEvent(QFocusEvent* e) {
  QAbstractScrollArea::focusInEvent(e);
  viewport()->update();
  if (HasOption(goAlwaysShowEditor) && !editing_) ShowEditor(true);
}

void KvStringGrid::focusOutEvent(QFocusEvent* e) {
  QAbstractScrollArea::focusOutEvent(e);
  viewport()->update();
}

void KvStringGrid::changeEvent(QEvent* e) {
  if (e->type() == QEvent::EnabledChange && !isEnabled() && editing_) HideEditor();
  QAbstractScrollArea::changeEvent(e);
}

}  // namespace kui
