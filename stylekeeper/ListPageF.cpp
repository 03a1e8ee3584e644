#include "ListPageF.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QToolButton>
#include <QVBoxLayout>

#include "DataModF.h"
#include "KvBusyGuard.h"
#include "KvStringGrid.h"
#include "ListGridClass.h"
#include "StyleKeeperControls.h"
#include "StyleKeeperForm.h"

kdb::Query& TListPage::Read(const QString& sql, kdb::Query* query, const QString& failure) {
  if (!DMDB->RunQuery(sql, query)) throw kdb::DbError(failure);
  return *query;
}

QHBoxLayout* TListPage::TopRow(QWidget* sheet, QLabel*& stylePanel, const char* panelName) {
  auto* top = new QHBoxLayout;
  stylePanel = skui::MakePanel(sheet, panelName, QString());
  stylePanel->setMinimumWidth(200);
  top->addWidget(skui::MakeLabel(sheet, nullptr, "Style:"));
  top->addWidget(stylePanel);
  top->addStretch(1);
  return top;
}

TListPage::TListPage(TForm1& form, const char* sheetName, const QString& title, const char* panelName,
                     const char* gridName, int fixedCols, const char* applyName)
    : TFormPart(form, sheetName, title) {
  Top = TopRow(Sheet, StylePanel, panelName);
  ApplyButton = skui::MakeButton(Sheet, applyName, "Apply", 90);
  Top->addWidget(ApplyButton);
  SheetLayout()->addLayout(Top);
  Grid = new kui::KvStringGrid(Sheet);
  Grid->setObjectName(gridName);
  TListGridClass::Look(*Grid, fixedCols);
  SheetLayout()->addWidget(Grid, 1);
}

void TListPage::ResetGrid(const Column* columns, int count) {
  Rows.clear();
  Grid->ClearCells();
  Grid->SetColCount(count);
  Grid->SetRowCount(1);
  for (int col = 0; col < count; ++col) {
    Grid->SetCell(col, 0, columns[col].header);
    Grid->SetColWidth(col, columns[col].width);
  }
}

void TListPage::KeepRow(const QStringList& texts, TPageSaveClass::KeptRow kept) {
  const int row = Grid->RowCount();
  Grid->SetRowCount(row + 1);
  Grid->SetRowTexts(row, texts);
  kept.texts = Grid->RowTexts(row);
  Rows.push_back(std::move(kept));
}

void TListPage::ShowAt(int col) {
  ShowSheet();
  Grid->SetCurrent(col, 1);
}

bool TListPage::SaveRows(const Save& save, const RowWrite& row, const std::function<void()>& prepare) {
  Grid->SetEditorMode(false);
  TPageSaveClass::Outcome outcome;
  {
    kui::KvBusyGuard busy(&Form, save.waitText);
    kdb::Table& table = *DMDB->DBTableR1;
    if (!DMDB->GetTable(save.table, &table)) throw kdb::DbError("The table " + save.table + " could not be opened.");
    const TDMDB::LogRecord posts(*DMDB);  // the rows' post records in one write
    TPageSaveClass unit(*DMDB->DBDatabaseRemote, save.where);
    unit.LockTables = save.lockTables;
    outcome = unit.RunKeeping(Rows, static_cast<int>(Rows.size()), [&](int i) { row(i, table, busy); }, prepare);
    // What the grid shows now is what is stored.
    if (outcome.Saved())
      for (size_t i = 0; i < Rows.size(); ++i) Rows[i].texts = Grid->RowTexts(int(i) + 1);
  }
  DMDB->ShowMessage(outcome.Saved() ? save.savedText : TPageSaveClass::FailureText(save.what, outcome));
  return outcome.Saved();
}

bool TListPage::SaveKeyedRows(const Save& save, const QString& lookUpSql, const QString& keyColumn,
                              const std::function<void(int, kdb::Table&, kui::KvBusyGuard&,
                                                       const QHash<QString, qint64>&)>& row) {
  QHash<QString, qint64> ids;
  return SaveRows(
      save, [&](int i, kdb::Table& table, kui::KvBusyGuard& busy) { row(i, table, busy, ids); },
      [&] {
        ids = TPageSaveClass::FirstIdByKey(Read(lookUpSql, DMDB->DBQueryRemote2, save.what + " could not be read."),
                                              keyColumn);
      });
}

std::optional<qint64> TListPage::IdOf(const QHash<QString, qint64>& ids, const QString& key) {
  return ids.contains(key) ? std::optional<qint64>(ids.value(key)) : std::nullopt;
}

void TListPage::EditChangedColumns(int i, kdb::Table& table, const std::vector<Editable>& columns) {
  const int row = i + 1;
  TPageSaveClass::KeptRow& kept = Rows[size_t(i)];
  TPageSaveClass::Values shown;
  for (const Editable& e : columns) {
    QString text = Grid->Cell(e.col, row);
    if (!kept.Changed(e.col, text)) continue;
    const QVariant value = e.value(text);
    Grid->SetCell(e.col, row, text);
    shown.emplace_back(e.field, value);
  }
  if (!shown.empty()) TPageSaveClass::EditRow(table, kept.key, kept.base, shown, "PLU " + kept.key.toString());
}
