// TForm1: saving a style and colour (one root PLU, one PRODUCTS row per size
// of its scale), the checks before it, and the numbering of new root PLUs.
//
// A save is one transaction: every size row of the colour is written, or
// none is and the user is told. New root PLUs are numbered inside that
// transaction, after the numbering lock, so two programs saving new styles at
// the same moment get two different root PLUs.
#include "StyleKeeperForm.h"

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QStackedWidget>
#include <QToolButton>

#include <set>
#include <vector>

#include "DataModF.h"
#include "DisabledWindowClass.h"
#include "Format.h"
#include "KvEdit.h"
#include "ModeWords.h"
#include "PickList.h"
#include "WaitClass.h"

namespace {

constexpr const char* kWhere = "TForm1::d_SaveStyle";
constexpr int kRootPLULength = 8;
// Plain root PLUs tried after the highest ID before the save gives up.
constexpr int kPlainCandidates = 1000;

// One column of a PRODUCTS row and the text written to it.
struct ColumnText {
  QString column;
  QString text;
};

// What a save writes, read once from the window before the first row.
struct StyleValues {
  std::vector<ColumnText> always;  // STYLE .. SIZESSCALE_NAME, in the table's order
  bool ecom = false;
  std::vector<ColumnText> prices;  // VAT_ID .. WHOLESALE_PRICE
  Currency sale;
  QString seasonId, subDepartmentId, sizeScaleId, sizeScaleName;
};

struct SizeRow {
  QString id, name;
};

QString TrimBox(QLineEdit* box) {
  const QString trimmed = box->text().trimmed();
  // Writing an unchanged price box would count as a price change.
  if (trimmed != box->text()) box->setText(trimmed);
  return trimmed;
}

void AddPick(std::vector<ColumnText>& out, const QString& stem, const QComboBox* combo) {
  // Nothing chosen: the id is NULL (on both engines) and the name empty,
  // which the database layer stores as NULL as well.
  out.push_back({stem + "_ID", kui::SelectedPickValue(combo)});
  out.push_back({stem + "_NAME", kui::SelectedPickName(combo)});
}

std::vector<SizeRow> LoadScaleSizes(const QString& sizeScaleId) {
  kdb::Query* q = DMDB->DBQueryRemote3;
  const QString sql = "select id, name, \"offset\" from sizes where sizesscale_id = " +
                      kdb::sql::Int(sizeScaleId) + " order by \"offset\", id";
  if (!DMDB->RunQuery(sql, q)) throw kdb::DbError("The sizes of the size scale could not be read.");
  std::vector<SizeRow> sizes;
  for (q->First(); !q->Eof(); q->Next())
    sizes.push_back({q->FieldByName("id").AsString(), q->FieldByName("name").AsString()});
  return sizes;
}

void SetColumns(kdb::Table& t, const std::vector<ColumnText>& columns) {
  for (const ColumnText& c : columns) t.FieldByName(c.column).SetAsString(c.text);
}

// Writes the row of one size; false when an edited colour has no row for it.
bool WriteSizeRow(kdb::Table& t, const StyleValues& v, const QString& rootPLU, int offset,
                  const SizeRow& size, bool adding, bool withPrices, const QDateTime& saveTime) {
  const QString plu = rootPLU + kos::FormatFloat("00", offset);
  if (adding) {
    t.Insert();
    t.FieldByName("ROOT_PLU").SetAsString(rootPLU);
    t.FieldByName("PLU").SetAsString(plu);
    t.FieldByName("DATE_CREATED").SetAsDateTime(saveTime);
    t.FieldByName("DATE_LASTDEL").SetAsDateTime(saveTime);
  } else {
    // A size the scale gained after the colour was saved has no row to edit.
    if (!t.FindKey({plu})) return false;
    t.Edit();
  }
  SetColumns(t, v.always);
  t.FieldByName("ECOM_FLAG").SetAsBoolean(v.ecom);
  SetColumns(t, {{"SIZE_ID", size.id}, {"SIZE_NAME", size.name}, {"SIZE_OFFSET", QString::number(offset)}});
  if (withPrices) {
    SetColumns(t, v.prices);
    t.FieldByName("SALEPRICE").SetAsCurrency(v.sale);
  }
  t.Post();
  return true;
}

// What a save writes, read once from the window.
StyleValues ReadStyleValues(TForm1& f) {
  StyleValues v;
  v.always = {{"STYLE", f.EditSupplierStyle->text()},
              {"STYLE_REF", f.EditStyleRef->text()},
              {"DESCRIPTION", f.EditDescription->text()}};
  AddPick(v.always, "COLOUR", f.ComboBoxColours);
  v.always.push_back({"COLOUR_VALUE", f.ColourValueOf(kui::SelectedPickValue(f.ComboBoxColours))});
  const std::pair<const char*, QComboBox*> picks[] = {
      {"SUPPLIER", f.ComboBoxSuppliers},       {"BRANDLABEL", f.ComboBoxBrands},
      {"SEASON", f.ComboBoxSeasons},           {"CATEGORY", f.ComboBoxCategories},
      {"DEPARTMENT", f.ComboBoxDepartments},   {"SUBDEPARTMENT", f.ComboBoxProductGroups},
      {"SIZESSCALE", f.ComboBoxSizeRanges}};
  for (const auto& [stem, combo] : picks) AddPick(v.always, stem, combo);
  v.ecom = f.ComboBoxECommerce->currentText() != "NO";
  AddPick(v.prices, "VAT", f.ComboBoxTaxRates);
  v.prices.insert(v.prices.end(), {{"VAT_RATE", f.PanelVATRate->text()},
                                   {"CURRENT_COST_PRICE", f.EditCostPrice->text()},
                                   {"RETAIL_PRICE", f.EditRetailPrice->text()},
                                   {"WHOLESALE_PRICE", f.EditWSPrice->text()}});
  v.sale = f.SalePrice;
  v.seasonId = kui::SelectedPickValue(f.ComboBoxSeasons);
  v.subDepartmentId = kui::SelectedPickValue(f.ComboBoxProductGroups);
  v.sizeScaleId = kui::SelectedPickValue(f.ComboBoxSizeRanges);
  v.sizeScaleName = kui::SelectedPickName(f.ComboBoxSizeRanges);
  return v;
}

// A new root PLU, numbered inside the open transaction; "" when none is free.
QString NewRootPLU(kdb::Database& db, const StyleValues& v) {
  TForm1::LockProductsForNumbering(db);
  if (!DMDB->Setup->SFSeasonSubDeptPLU) return TForm1::NextPlainRootPLU(*DMDB->DBQueryRemote3);
  // No sub-department: the generator looks up a row that does not exist, so
  // its code falls back to "00".
  return DMDB->BRGetSeasonSubDeptRootPLU(v.seasonId, v.subDepartmentId.isEmpty() ? "0" : v.subDepartmentId);
}

}  // namespace

// ----- the Save button ------------------------------------------------------------------

void TForm1::ConnectSaveHandlers() { OnClick(SpButSave, "TForm1::SpButSaveClick", &TForm1::SpButSaveClick); }

void TForm1::SpButSaveClick() {
  if (Mode() == skmode::kView) return;
  if (!ValidateStyle()) return;
  ConvertPricesByCurrency();
  DMDB->GetTable("PRODUCTS", DMDB->DBTableR1);
  QWidget* sheet = PageCtrlSF->currentWidget();
  SkDisabledWindow disabled(this);
  if (d_SaveStyle()) {
    RootPLUToOpen = ComboBoxRootPLU->currentText();
    FormShow();
    PageCtrlSF->setCurrentWidget(sheet);
  }
}

void TForm1::ConvertPricesByCurrency() {
  if (ComboBoxCurrency->currentIndex() < 0) return;
  const std::optional<double> rateValue = kos::TextToFloat(kui::SelectedPickValue(ComboBoxCurrency));
  if (!rateValue) return;
  const float rate = static_cast<float>(*rateValue);
  if (rate == 0.0f) return;
  for (QLineEdit* box : {static_cast<QLineEdit*>(EditCostPrice), static_cast<QLineEdit*>(EditRetailPrice)}) {
    const std::optional<double> price = kos::TextToFloat(box->text());
    // Only the rate is held in single precision; the price keeps its digits.
    if (price) box->setText(kos::FormatFloat("0.00", *price / static_cast<double>(rate)));
  }
}

// ----- validation ------------------------------------------------------------------------

bool TForm1::StyleHasColour(const QString& style, const QString& colourId) {
  kdb::Query* q = DMDB->DBQueryRemote1;
  const QString sql = "select style from products where style = " + kdb::sql::Quote(style) +
                      " and colour_id = " + kdb::sql::Int(colourId) + " LIMIT 1";
  return DMDB->RunQuery(sql, q) && q->RecordCount() > 0;
}

bool TForm1::ValidateStyle() {
  const auto refuse = [](const QString& message, QWidget* focus) {
    DMDB->ShowMessage(message);
    focus->setFocus();
    return false;
  };
  if (ComboBoxSuppliers->currentIndex() < 0) return refuse("Please select a supplier.", ComboBoxSuppliers);
  if (TrimBox(EditSupplierStyle).isEmpty()) return refuse("Please enter a supplier style.", EditSupplierStyle);
  TrimBox(EditStyleRef);
  if (TrimBox(EditDescription).isEmpty()) return refuse("Please enter a description.", EditDescription);
  const std::pair<QComboBox*, const char*> picks[] = {
      {ComboBoxColours, "Please select a colour."},     {ComboBoxSeasons, "Please select a season."},
      {ComboBoxCategories, "Please select a category!"}, {ComboBoxDepartments, "Please select a department."},
      {ComboBoxBrands, "Please select a brand label."}, {ComboBoxSizeRanges, "Please select a sizes scale."},
      {ComboBoxTaxRates, "Please select a VAT rate."}};
  for (const auto& [combo, message] : picks)
    if (combo->currentIndex() < 0) return refuse(message, combo);
  if (TrimBox(EditCostPrice).isEmpty()) return refuse("Please enter a cost price.", EditCostPrice);
  if (TrimBox(EditRetailPrice).isEmpty()) return refuse("Please enter a retail price.", EditRetailPrice);
  if (TrimBox(EditWSPrice).isEmpty()) EditWSPrice->setText("0.00");
  CalcMarkup();

  const QString style = EditSupplierStyle->text();
  const QString colour = kui::SelectedPickName(ComboBoxColours);
  const QString mode = Mode();
  // One root PLU per style and colour.
  if (mode == skmode::kAdd && StyleHasColour(style, kui::SelectedPickValue(ComboBoxColours)))
    return refuse("Style: " + style + " already has Colour: " + colour + "\n\nPlease select another colour.",
                  ComboBoxColours);
  if (mode == skmode::kEdit && PricesTouched &&
      !DMDB->ShowConfirm("Style: " + style + ", " + colour + "\n\n" + "The cost and retail prices will be set to\n" +
                         "Cost: " + EditCostPrice->text() + ", " + "Retail: " + EditRetailPrice->text() + "\n" +
                         "for all sizes.\n\nAre you sure?"))
    return false;
  EditSupplierStyleExit();
  return true;
}

// ----- numbering -----------------------------------------------------------------------------

void TForm1::LockProductsForNumbering(kdb::Database& db) {
  // SQLite's BEGIN IMMEDIATE holds the database's write lock already. On the
  // server this mode admits readers but only one numbering saver (and no
  // writer of PRODUCTS) until the transaction ends; the next one waits.
  if (db.IsPostgres()) db.Execute("LOCK TABLE PRODUCTS IN SHARE ROW EXCLUSIVE MODE");
}

QString TForm1::NextPlainRootPLU(kdb::Query& query) {
  // The highest ID, not the last row in PLU order: root PLUs of the season
  // prefix hold letters and sort after every plain one.
  query.Close();
  query.SQL = "SELECT MAX(ID) AS LAST_ID FROM PRODUCTS";
  query.ExecSQL();
  const qint64 first = query.FieldByName("LAST_ID").AsInteger() + 1;
  const auto plain = [](qint64 n) { return QString::number(n).rightJustified(kRootPLULength, '0'); };
  const qint64 last = first + kPlainCandidates - 1;
  if (plain(first).size() > kRootPLULength) return QString();
  // Root PLUs of the "000" prefix can look like plain ones: skip those taken.
  query.Close();
  query.SQL = "SELECT DISTINCT ROOT_PLU FROM PRODUCTS WHERE ROOT_PLU >= " + kdb::sql::Quote(plain(first)) +
              " AND ROOT_PLU <= " + kdb::sql::Quote(plain(last));
  query.ExecSQL();
  std::set<QString> taken;
  for (query.First(); !query.Eof(); query.Next()) taken.insert(query.FieldByName("ROOT_PLU").AsString());
  for (qint64 n = first; n <= last; ++n) {
    const QString candidate = plain(n);
    if (candidate.size() > kRootPLULength) break;
    if (!taken.count(candidate)) return candidate;
  }
  return QString();
}

QString TForm1::ColourValueOf(const QString& colourId) {
  kdb::Query* q = DMDB->DBQueryRemote3;
  const QString sql = "SELECT RATE FROM PARAMETERS WHERE TYPE='COLOUR' AND ID=" + kdb::sql::Int(colourId);
  if (!DMDB->RunQuery(sql, q) || q->RecordCount() == 0) return QStringLiteral("0");
  return QString::number(static_cast<qint64>(q->FieldByName("RATE").AsFloat()));
}

// ----- writing ---------------------------------------------------------------------------------

bool TForm1::d_SaveStyle() {
  const QDateTime saveTime = QDateTime::currentDateTime();
  TWaitClass wait;
  wait.Show("Please wait...");
  const bool adding = Mode() == skmode::kAdd;

  const StyleValues v = ReadStyleValues(*this);

  kdb::Table& table = *DMDB->DBTableR1;
  if (!table.Active()) DMDB->GetTable("PRODUCTS", &table);

  wait.Show("Loading sizes...");
  const std::vector<SizeRow> sizes = LoadScaleSizes(v.sizeScaleId);
  if (sizes.empty()) {
    wait.Close();
    DMDB->ShowMessage("The size scale " + v.sizeScaleName + " has no sizes.\n\nThe style was not saved.");
    return false;
  }

  kdb::Database& db = *DMDB->DBDatabaseRemote;
  QString rootPLU;
  try {
    db.StartTransaction();
    if (adding) {
      rootPLU = NewRootPLU(db, v);
      if (rootPLU.isEmpty()) {
        db.Rollback();
        wait.Close();
        DMDB->ShowMessage("ERROR: Could not create a unique RootPLU.\n\nPlease contact support\n\nLast RootPLU: " +
                          rootPLU);
        return false;
      }
      PricesTouched = true;
    } else {
      rootPLU = LoadedRootPLU();
    }
    int written = 0;
    for (int i = 0; i < static_cast<int>(sizes.size()); ++i) {
      if (i % 2 == 0) wait.Show("Saving size: " + sizes[size_t(i)].name);
      if (WriteSizeRow(table, v, rootPLU, i, sizes[size_t(i)], adding, PricesTouched, saveTime)) ++written;
    }
    if (written == 0) throw kdb::DbError("No size of root PLU " + rootPLU + " was found to write.");
    db.Commit();
  } catch (const std::exception& e) {
    table.Cancel();
    db.Rollback();
    DMDB->LogException(e, kWhere);
    wait.Close();
    DMDB->ShowMessage("ERROR: The style was not saved.\n\n" + TDMDB::ExceptionMessage(e) +
                      "\n\nNothing was written; please try again.");
    return false;
  }

  if (adding) {
    if (ComboBoxRootPLU->findText(rootPLU, Qt::MatchExactly) < 0) ComboBoxRootPLU->addItem(rootPLU);
    ComboBoxRootPLU->setEditText(rootPLU);
    // The next new style starts with this one's supplier.
    RememberedSupplierIndex = ComboBoxSuppliers->currentIndex();
  }
  wait.Close();
  return true;
}
