#include "SearchResultsForm.h"

#include "Format.h"
#include "KvColour.h"
#include "KvDb.h"
#include "KvStringGrid.h"
#include "MessageFrame.h"
#include "WaitClass.h"

#include <QElapsedTimer>
#include <QHash>
#include <QHBoxLayout>
#include <QLabel>
#include <QPainter>
#include <QPushButton>
#include <QVBoxLayout>

#include <algorithm>
#include <array>
#include <bit>
#include <vector>

TFormSearchResults* FormSearchResults = nullptr;

namespace {

enum class Shown { Text, Float, Money };

struct ResultColumn {
  const char* header;
  const char* field;
  Shown shown;
};

constexpr std::array<ResultColumn, TFormSearchResults::kColumns> kResultColumns{{
    {"Root PLU", "ROOT_PLU", Shown::Text},
    {"Supplier", "SUPPLIER_NAME", Shown::Text},
    {"Style", "STYLE", Shown::Text},
    {"Style Ref", "STYLE_REF", Shown::Text},
    {"Description", "DESCRIPTION", Shown::Text},
    {"Colour", "colour_name", Shown::Text},
    {"Season", "SEASON_NAME", Shown::Text},
    {"Category", "CATEGORY_NAME", Shown::Text},
    {"Department", "DEPARTMENT_NAME", Shown::Text},
    {"Sub-Dept", "SUBDEPARTMENT_NAME", Shown::Text},
    {"Brand", "BRANDLABEL_NAME", Shown::Text},
    {"Sizes", "SIZESSCALE_NAME", Shown::Text},
    {"VAT", "VAT_RATE", Shown::Float},
    {"Cost", "CURRENT_COST_PRICE", Shown::Money},
    {"Retail", "RETAIL_PRICE", Shown::Money},
}};

constexpr int kProgressEvery = 10;  // rows between two running texts
constexpr int kPumpMs = 50;         // least time between two repaints of the wait window

// The text of one column's values. Prices and rates repeat across a result,
// so their formatted texts are kept (up to a bound) and shared between rows.
class ColumnText {
 public:
  ColumnText(kdb::Field& field, Shown shown) : field_(&field), shown_(shown) {}

  QString Next() {
    switch (shown_) {
      case Shown::Float: {
        const double v = field_->AsFloat();
        return Cached(std::bit_cast<qint64>(v),
                      [v] { return kos::FormatFloat(QStringLiteral("0.00"), v); });
      }
      case Shown::Money: {
        const Currency v = field_->AsCurrency();
        return Cached(v.Raw(), [v] { return kos::FormatFloat(QStringLiteral("0.00"), v); });
      }
      case Shown::Text: break;
    }
    return field_->AsString();
  }

 private:
  static constexpr qsizetype kMaxKept = 4096;
  kdb::Field* field_;
  Shown shown_;
  QHash<qint64, QString> kept_;

  template <class Format>
  QString Cached(qint64 key, Format format) {
    const auto it = kept_.constFind(key);
    if (it != kept_.constEnd()) return *it;
    QString text = format();
    if (kept_.size() < kMaxKept) kept_.insert(key, text);
    return text;
  }
};

// The wait window of a long fill. The running text changes every few rows;
// showing each change (pumping events, repainting) would cost more than the
// fill, so a change is shown only when kPumpMs have passed since the last.
class ThrottledWait : public kui::KvWaitIndicator {
 public:
  void ShowWait(const QString& message, const QString& info) override {
    if (clock_.isValid() && clock_.elapsed() < kPumpMs) return;
    wait_.Show(message, info);
    clock_.start();
  }
  void CloseWait() override { wait_.Close(); }

 private:
  TWaitClass wait_;
  QElapsedTimer clock_;
};

// Closes the wait window when the fill ends, by an exception too.
struct CloseWaitAtEnd {
  kui::KvWaitIndicator& wait;
  ~CloseWaitAtEnd() { wait.CloseWait(); }
};

QPushButton* Button(QWidget* parent, const char* name, const char* caption) {
  auto* b = new QPushButton(caption, parent);
  b->setObjectName(name);
  b->setFixedSize(150, 50);
  b->setFont(kvVerdana(13, true));
  b->setAutoDefault(false);
  return b;
}

}  // namespace

TFormSearchResults::TFormSearchResults(QWidget* parent) : kui::KvDialog(parent, Border::None) {
  setObjectName("FormSearchResults");
  setWindowTitle("Search Results");
  SetMaximised(true);
  resize(1024, 700);  // until the window manager maximises it
  kui::PaintBackground(this, kvColour(kFormColour));

  BuildGrid();
  auto* column = new QVBoxLayout(this);
  column->setContentsMargins(0, 0, 0, 0);
  column->setSpacing(8);
  column->addWidget(BuildTitle());
  auto* middle = new QHBoxLayout;
  middle->setContentsMargins(12, 0, 12, 0);
  middle->addWidget(SGridRes);
  column->addLayout(middle, 1);
  column->addWidget(BuildBottom());

  ClearResults();
}

TFormSearchResults::~TFormSearchResults() {
  if (FormSearchResults == this) FormSearchResults = nullptr;
}

QWidget* TFormSearchResults::BuildTitle() {
  PanelTitle = new QLabel("Search Results", this);
  PanelTitle->setObjectName("PanelTitle");
  PanelTitle->setFont(kvVerdana(27, true));
  PanelTitle->setAlignment(Qt::AlignCenter);
  PanelTitle->setFixedHeight(68);
  kui::PaintBackground(PanelTitle, kvColour(0xFFFFFF));
  return PanelTitle;
}

void TFormSearchResults::BuildGrid() {
  SGridRes = new kui::KvStringGrid(this);
  SGridRes->setObjectName("SGridRes");
  SGridRes->SetFixedCols(0);
  SGridRes->SetFixedRows(1);
  SGridRes->SetDefaultColWidth(61);
  SGridRes->SetDefaultRowHeight(40);
  SGridRes->setFont(kvVerdana(9));
  SGridRes->SetGridOptions(SGridRes->GridOptions() | kui::KvStringGrid::goRowSelect |
                           kui::KvStringGrid::goColSizing | kui::KvStringGrid::goRowSizing);
  SGridRes->OnDblClick = [this](kui::KvStringGrid&) { SGridResDblClick(); };
  SGridRes->OnDrawCell = [this](kui::KvStringGrid&, QPainter& p, int col, int row,
                                const QRect& rect, kui::KvGridDrawState state) {
    SGridResDrawCell(p, col, row, rect, state);
  };
}

QWidget* TFormSearchResults::BuildBottom() {
  auto* bottom = new QWidget(this);
  PanelFound = new QLabel(bottom);
  PanelFound->setObjectName("PanelFound");
  PanelFound->setFont(kvVerdana(19, true));
  PanelFound->setFixedSize(260, 50);
  PanelFound->setAlignment(Qt::AlignCenter);
  kui::PaintBackground(PanelFound, kvColour(0xFFFFFF));
  BitBtnNewSearch = Button(bottom, "BitBtnNewSearch", "Clear");
  BitBtnOK = Button(bottom, "BitBtnOK", "OK");
  BitBtnOK->setDefault(true);
  BitBtnCancel = Button(bottom, "BitBtnCancel", "Cancel");
  connect(BitBtnOK, &QPushButton::clicked, this, [this] { BitBtnOKClick(); });
  connect(BitBtnCancel, &QPushButton::clicked, this, [this] { SetModalResult(mrCancel); });
  connect(BitBtnNewSearch, &QPushButton::clicked, this, [this] { BitBtnNewSearchClick(); });

  auto* row = new QHBoxLayout(bottom);
  row->setContentsMargins(12, 4, 12, 12);
  row->setSpacing(12);
  row->addWidget(PanelFound);
  row->addStretch();
  row->addWidget(BitBtnNewSearch);
  row->addWidget(BitBtnOK);
  row->addWidget(BitBtnCancel);
  return bottom;
}

void TFormSearchResults::SetupGrid() {
  SGridRes->SetColCount(kColumns);
  SGridRes->SetRowCount(2);
  SGridRes->ClearCells();
  for (int c = 0; c < kColumns; ++c)
    SGridRes->SetCell(c, 0, QLatin1String(kResultColumns[static_cast<size_t>(c)].header));
}

void TFormSearchResults::ClearResults() {
  SetupGrid();
  SetFound("0");
  CurrentRootPLU.clear();
  RootPLUs.clear();
}

void TFormSearchResults::SetFound(const QString& text) { PanelFound->setText("Found: " + text); }

void TFormSearchResults::LoadResults(kdb::DataSet& query) {
  ThrottledWait own;
  kui::KvWaitIndicator& wait = WaitIndicator ? *WaitIndicator : own;
  CloseWaitAtEnd closeWait{wait};

  ClearResults();
  const int count = query.RecordCount();
  if (count > 0) {
    std::vector<ColumnText> columns;
    columns.reserve(kColumns);
    for (const ResultColumn& c : kResultColumns)
      columns.emplace_back(query.FieldByName(QLatin1String(c.field)), c.shown);
    SGridRes->SetRowCount(count + 1);
    RootPLUs.reserve(count);
    const QString ofCount = " of " + QString::number(count);
    int i = 0;
    for (query.First(); !query.Eof() && i < count; query.Next(), ++i) {
      if (i % kProgressEvery == 0)
        wait.UpdateWait("Loading Result : " + QString::number(i + 1) + ofCount, QString());
      for (int c = 0; c < kColumns; ++c)
        SGridRes->SetCell(c, i + 1, columns[static_cast<size_t>(c)].Next());
      RootPLUs << SGridRes->Cell(0, i + 1);
    }
  }
  SetFound(QString::number(count));
}

bool TFormSearchResults::HasResults() const {
  return !CurrentRootPLU.isEmpty() && !RootPLUs.isEmpty();
}

QString TFormSearchResults::Navigate(int direction) {
  if (RootPLUs.isEmpty()) return CurrentRootPLU;  // nothing to move in
  const int last = static_cast<int>(RootPLUs.size()) - 1;
  int index = CurrentIndex;
  switch (direction) {
    case navFirst: index = 0; break;
    case navLast: index = last; break;
    case navPrior: index = CurrentIndex - 1; break;
    case navNext: index = CurrentIndex + 1; break;
    default: break;
  }
  CurrentIndex = std::clamp(index, 0, last);
  CurrentRootPLU = RootPLUs[CurrentIndex];
  return CurrentRootPLU;
}

void TFormSearchResults::showEvent(QShowEvent* event) {
  kui::KvDialog::showEvent(event);
  FormShow();
}

void TFormSearchResults::FormShow() {
  if (HasResults()) SGridRes->SetRow(CurrentIndex + 1);
  SGridRes->setFocus();
}

void TFormSearchResults::SGridResDblClick() { BitBtnOK->click(); }

void TFormSearchResults::SGridResDrawCell(QPainter& p, int col, int row, const QRect& rect,
                                          const kui::KvGridDrawState& state) {
  quint32 brush = row % 2 ? kOddRowColour : kEvenRowColour;
  QColor pen = Qt::black;
  bool bold = false;
  if (state.fixed) {
    brush = kHeaderColour;
    pen = Qt::white;
    bold = true;
  } else if (state.selected) {
    brush = kSelectedColour;
  }
  p.fillRect(rect, kvColour(brush));
  QFont font = p.font();
  font.setBold(bold);
  p.setFont(font);
  p.setPen(pen);
  kui::KvStringGrid::DrawCellText(p, rect, SGridRes->Cell(col, row));
}

void TFormSearchResults::BitBtnOKClick() {
  const int row = SGridRes->Row();
  if (row < 0 || row >= SGridRes->RowCount()) return;
  CurrentRootPLU = SGridRes->Cell(0, row);
  CurrentIndex = row - 1;
  SetModalResult(mrOk);
}

void TFormSearchResults::BitBtnNewSearchClick() {
  ClearResults();
  SetModalResult(mrCancel);
}
