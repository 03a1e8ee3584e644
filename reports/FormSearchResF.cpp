#include "FormSearchResF.h"

#include "AdvancedSearchForm.h"
#include "DataModF.h"
#include "Format.h"
#include "KvBusyGuard.h"
#include "KvColour.h"
#include "KvDb.h"
#include "KVFieldListClass.h"
#include "KvStringGrid.h"
#include "MessageFrame.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QStringList>
#include <QVBoxLayout>

#include <array>

namespace kvrep {

namespace {

struct ResultColumn {
  const char* header;
  const char* field;
  int width;
  bool money;
};

constexpr std::array<ResultColumn, TFormSearchResults::kColumns> kResultColumns{{
    {"Root PLU", "root_plu", 64, false},
    {"Style", "style", 104, false},
    {"Style Ref", "style_ref", 80, false},
    {"Description", "description", 104, false},
    {"Colour", "colour_name", 104, false},
    {"Season", "season_name", 80, false},
    {"Category", "category_name", 80, false},
    {"Department", "department_name", 80, false},
    {"Brand", "brandlabel_name", 104, false},
    {"VAT Rate", "vat_rate", 64, false},
    {"Cost Price", "current_cost_price", 64, true},
}};

constexpr int kTitleHeight = 48;
constexpr int kTitlePixels = 29;

QPushButton* Button(QWidget* parent, const char* name, const char* caption) {
  auto* b = new QPushButton(caption, parent);
  b->setObjectName(name);
  b->setMinimumSize(120, 40);
  b->setFont(kvVerdana(15, true));
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

  PanelTop = new QLabel("Search Results", this);
  PanelTop->setObjectName("PanelTop");
  PanelTop->setFont(kvVerdana(kTitlePixels, true));
  PanelTop->setIndent(12);
  PanelTop->setFixedHeight(kTitleHeight);
  kui::PaintBackground(PanelTop, Qt::white);

  BuildGrid();
  auto* column = new QVBoxLayout(this);
  column->setContentsMargins(0, 0, 0, 0);
  column->setSpacing(8);
  column->addWidget(PanelTop);
  auto* middle = new QHBoxLayout;
  middle->setContentsMargins(12, 0, 12, 0);
  middle->addWidget(SGrid);
  column->addLayout(middle, 1);
  column->addWidget(BuildButtons());
  SQLText.clear();
}

TFormSearchResults::~TFormSearchResults() = default;

void TFormSearchResults::BuildGrid() {
  SGrid = new kui::KvStringGrid(this);
  SGrid->setObjectName("SGrid");
  SGrid->SetFixedCols(0);
  SGrid->SetFixedRows(1);
  SGrid->SetFixedColour(kvColour(kFixedColour));
  SGrid->setFont(kvVerdana(kFontPixels));
  SGrid->SetGridOptions(kui::KvStringGrid::kDefaultOptions | kui::KvStringGrid::goRowSelect |
                        kui::KvStringGrid::goColSizing);
  // A double click chooses the row like OK.
  SGrid->OnDblClick = [this](kui::KvStringGrid&) { BitBtnOK->click(); };
}

QWidget* TFormSearchResults::BuildButtons() {
  auto* bottom = new QWidget(this);
  BitBtnOK = Button(bottom, "BitBtnOK", "OK");
  BitBtnOK->setDefault(true);
  BitBtnCancel = Button(bottom, "BitBtnCancel", "Cancel");
  connect(BitBtnOK, &QPushButton::clicked, this, [this] { SetModalResult(mrOk); });
  connect(BitBtnCancel, &QPushButton::clicked, this, [this] { SetModalResult(mrCancel); });
  auto* row = new QHBoxLayout(bottom);
  row->setContentsMargins(12, 4, 12, 12);
  row->setSpacing(12);
  row->addStretch();
  row->addWidget(BitBtnOK);
  row->addWidget(BitBtnCancel);
  return bottom;
}

bool TFormSearchResults::Execute() {
  ResetGrid();
  if (!AskCriteria()) return false;
  if (!RunQuery()) return false;
  return kui::KvDialog::Execute();
}

void TFormSearchResults::ResetGrid() {
  SGrid->SetColCount(kColumns);
  SGrid->SetRowCount(2);
  SGrid->ClearCells();
  SGrid->SetDefaultColWidth(kDefaultColWidth);
  for (int c = 0; c < kColumns; ++c) {
    const ResultColumn& rc = kResultColumns[static_cast<size_t>(c)];
    SGrid->SetCell(c, 0, QLatin1String(rc.header));
    SGrid->SetColWidth(c, rc.width);
  }
  SGrid->SetCurrent(0, 1);
}

QString TFormSearchResults::SearchSQL(const QString& conditions) {
  // Each column under its own name as an alias: SQLite reports the table's
  // spelling (capitals) for a plain column of a sorted result, and the grid
  // finds its fields by their exact lower-case names.
  QStringList columns;
  for (const ResultColumn& c : kResultColumns) columns << QString("%1 as %1").arg(QLatin1String(c.field));
  // One row per style: the first products row of each. Grouping by style
  // alone would leave the other columns to chance (and PostgreSQL refuses it).
  return "select " + columns.join(", ") +
         " from products where id in (select min(id) from products where style is not null" + conditions +
         " group by style) order by style";
}

bool TFormSearchResults::AskCriteria() {
  try {
    TFormAdvancedSearch criteria(nullptr, TFormAdvancedSearch::TUse::History);
    if (criteria.Execute()) {
      // The statement has its own WHERE: every condition is joined with " and ".
      criteria.SetWhereStarted(true);
      SQLText = SearchSQL(criteria.GetWhereClause());
    }
  } catch (const std::exception& e) {
    if (DMDB) DMDB->LogException(e, "TFormSearchResults::AskCriteria");
  }
  return !SQLText.isEmpty();
}

bool TFormSearchResults::RunQuery() {
  bool found = false;
  bool failed = false;
  {
    kui::KvBusyGuard wait(nullptr, "Searching for products...");
    if (!DMDB->RunQuery(SQLText, DMDB->DBQueryRemote1)) {
      failed = true;
    } else if (!DMDB->DBQueryRemote1->IsEmpty()) {
      wait.SetMessage("Loading results...");
      FillGrid();
      found = true;
    }
  }
  // A search that failed is no empty result: the user is told why.
  if (failed)
    DMDB->ShowMessage("The search could not be run:\n" + DMDB->LastError);
  else if (!found)
    DMDB->ShowMessage("No matching styles found.");
  return found;
}

void TFormSearchResults::FillGrid() {
  kdb::Query& query = *DMDB->DBQueryRemote1;
  KVDBFieldListClass fields;
  fields.Fields = &query;
  SGrid->SetRowCount(query.RecordCount() + 1);
  int row = 1;
  for (query.First(); !query.Eof(); query.Next(), ++row) {
    for (int c = 0; c < kColumns; ++c) {
      const ResultColumn& rc = kResultColumns[static_cast<size_t>(c)];
      kdb::Field* field = fields.FieldByName(QLatin1String(rc.field));
      if (!field) throw kdb::DbError(QString("The search gave no column ") + rc.field + ".");
      SGrid->SetCell(
          c, row,
          rc.money ? kos::FormatFloat(QStringLiteral("0.00"), field->AsCurrency()) : field->AsString());
    }
  }
}

void TFormSearchResults::showEvent(QShowEvent* event) {
  kui::KvDialog::showEvent(event);
  FormShow();
}

void TFormSearchResults::FormShow() { SGrid->setFocus(); }

QString TFormSearchResults::GetSelected(int col) const { return SGrid->Cell(col, SGrid->Row()); }

}  // namespace kvrep
