// The wholesale pack page: layout, wiring and handlers, with the TForm1
// entry points of those handlers. The pack grid is a colour-by-size grid
// painted, selected and typed into as the stock grids are.
#include "PackPageF.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QToolButton>
#include <QVBoxLayout>

#include "ColourSizeViewClass.h"
#include "DMBRulesF.h"
#include "DataModF.h"
#include "KvBusyGuard.h"
#include "KvEdit.h"
#include "KvStringGrid.h"
#include "ListPageF.h"
#include "NavigationBarF.h"
#include "PageSaveClass.h"
#include "StyleKeeperControls.h"
#include "StyleKeeperForm.h"

namespace {

using SG = TColourSizeGridClass;

constexpr char kApplyWhere[] = "TForm1::SpButPackApplyClick";
constexpr int kPackCodeLength = 10;

}  // namespace

// ----- TForm1 entry points ------------------------------------------------------------------

void TForm1::SpButTabPackageClick() { PackPage->Open(); }
void TForm1::LoadPack() { PackPage->LoadPack(); }
void TForm1::LoadPackLines() { PackPage->LoadPackLines(); }
void TForm1::SpButPackApplyClick() { PackPage->Apply(); }

// ----- TPackPage ----------------------------------------------------------------------------

TPackPage::TPackPage(TForm1& form) : TFormPart(form, "TabShPack", "Package") {
  QHBoxLayout* top = TListPage::TopRow(Sheet, PanelPackStyle, "PanelPackStyle");
  EditPackCode = skui::MakeReadOnly(Sheet, "EditPackCode");
  EditPackCode->setMaxLength(kPackCodeLength);
  EditPackCode->setFixedWidth(120);
  const int stretch = top->count() - 1;
  top->insertWidget(stretch, EditPackCode);
  top->insertWidget(stretch, skui::MakeLabel(Sheet, nullptr, "Code:"));
  top->insertSpacing(stretch, 16);
  SpButPackApply = skui::MakeButton(Sheet, "SpButPackApply", "Apply", 90);
  top->addWidget(SpButPackApply);
  SheetLayout()->addLayout(top);

  SGridPack = new kui::KvStringGrid(Sheet);
  SGridPack->setObjectName("SGridPack");
  SheetLayout()->addWidget(SGridPack, 1);
  // Painted, selected and typed into as the stock grids are.
  View().Layout({}, {});
  SGridPack->OnDrawCell = [&form](kui::KvStringGrid& g, QPainter& p, int c, int r, const QRect& rect,
                                  kui::KvGridDrawState s) { form.StringGridStockDrawCell(g, p, c, r, rect, s); };
  SGridPack->OnKeyPress = [&form](kui::KvStringGrid& g, QChar& key) {
    form.Guard("TForm1::StringGridStockKeyPress", [&] { form.StringGridStockKeyPress(g, key); });
  };
  SGridPack->OnSelectCell = [&form](kui::KvStringGrid& g, int c, int r, bool& can) {
    form.StringGridStockSelectCell(g, c, r, can);
  };

  OnClick(SpButPackApply, kApplyWhere, [&form] { form.SpButPackApplyClick(); });
}

TColourSizeViewClass& TPackPage::View() const { return TColourSizeViewClass::Of(SGridPack); }

void TPackPage::Open() {
  // Without a style on screen the first one is shown.
  if (Form.SpButTabStock->isHidden()) Form.NavigationBar->SpButNavFirst->click();
  PanelPackStyle->setText(Form.EditSupplierStyle->text());
  Form.LoadPack();
  ShowSheet();
}

void TPackPage::LoadPack() {
  const QString style = PanelPackStyle->text();
  EditPackCode->clear();
  kdb::Query& code = TListPage::Read(TWSPackClass::PackCodeSQL(style), DMDB->DBQueryRemote1,
                         "The pack of style " + style + " could not be read.");
  if (code.RecordCount() > 0) EditPackCode->setText(code.FieldByName("barcode").AsString());
  Form.BuildColourSizeGrid(SGridPack);
  Form.LoadPackLines();
  Form.SumQuantityGrid(SGridPack);
}

void TPackPage::LoadPackLines() {
  const QString style = Form.EditSupplierStyle->text();
  kdb::Query& q = TListPage::Read(TWSPackClass::PackLinesSQL(style), DMDB->DBQueryRemote1,
                      "The pack lines of style " + style + " could not be read.");
  loaded_.lines = TWSPackClass::ReadLines(q);
  TWSPackClass::PlaceLines(loaded_.lines, View().Model);
  loaded_.texts.clear();
  for (const SG::SizeCell& cell : View().Model.SizeCellsByColumn()) loaded_.texts.insert(cell.plu, cell.text);
}

void TPackPage::Apply() {
  SGridPack->SetEditorMode(false);
  const QString style = PanelPackStyle->text();
  // No pack is made for no style.
  if (style.isEmpty()) {
    DMDB->ShowMessage("Please select a style.");
    return;
  }
  const std::vector<SG::SizeCell> cells = View().Model.SizeCellsByColumn();
  TPageSaveClass::Outcome outcome;
  bool packRefused = false;
  {
    kui::KvBusyGuard busy(&Form, "Saving pakage...");
    TPageSaveClass save(*DMDB->DBDatabaseRemote, kApplyWhere);
    save.LockTables = {"WSPACKLINES"};
    QString packCode;
    TWSPackClass::Lines stored;
    const auto prepare = [&] {
      // The rules module logs why the pack could not be had.
      packRefused = !DMBRules->SaveWSPack(style, packCode);
      if (packRefused) throw kdb::DbError("The pack of style " + style + " could not be saved.");
      stored = TWSPackClass::ReadLines(TListPage::Read(TWSPackClass::PackLinesSQL(style), DMDB->DBQueryRemote2,
                                           "The pack lines of style " + style + " could not be read."));
    };
    const auto line = [](const TWSPackClass::Lines& lines, const QString& plu) {
      return lines.contains(plu) ? std::optional<TWSPackClass::Line>(lines.value(plu)) : std::nullopt;
    };
    outcome = save.Run(static_cast<int>(cells.size()), [&](int i) {
      const SG::SizeCell& cell = cells[size_t(i)];
      const TWSPackClass::Write w = TWSPackClass::Decide(cell.plu, cell.text, loaded_.texts.value(cell.plu),
                                                         line(loaded_.lines, cell.plu), line(stored, cell.plu),
                                                         packCode);
      if (!w.write) return;
      const QString root = View().Model.Cell(SG::kRootPLUCol, cell.row);
      // The rules module logs why a line could not be written.
      if (!DMBRules->SaveWSPackLine(cell.plu, root, w.qty, packCode))
        throw kdb::DbError("The pack line of PLU " + cell.plu + " could not be written.");
    }, prepare);
  }
  if (packRefused) {
    DMDB->ShowMessage("Error: Unable to save package\r\n.");
    return;
  }
  if (!outcome.Saved()) {
    DMDB->ShowMessage(TPageSaveClass::FailureText("The wholesale package lines", outcome));
    return;
  }
  // What is stored now, another program's lines included, is what the next
  // Apply is checked against.
  LoadPack();
  DMDB->ShowMessage("Wholesale package saved.");
}
