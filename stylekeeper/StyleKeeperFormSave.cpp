// TForm1: saving a style and colour (one root PLU, one PRODUCTS row per size
// of its scale), the checks before it, and the numbering of new root PLUs.
//
// A save is one transaction: every size row of the colour is written, or
// none is and the user is told. A new colour takes the numbering lock first;
// under it the style is checked for the colour once more (another program
// may have added it since the window checked) and the root PLU numbered, and
// the size rows go in one statement, so the lock is held for a few round
// trips only. An edit writes only the columns this window changed, and
// refuses, naming the field, when another session changed one of them since
// the window loaded the colour.
#include "StyleKeeperForm.h"

#include <QComboBox>
#include <QHash>
#include <QLabel>
#include <QLineEdit>
#include <QStackedWidget>
#include <QToolButton>

#include <map>
#include <set>
#include <vector>

#include "ColourSizeGridClass.h"
#include "DataModF.h"
#include "DisabledWindowClass.h"
#include "Format.h"
#include "KvEdit.h"
#include "KvEditBaseline.h"
#include "KvTransaction.h"
#include "ModeWords.h"
#include "PickList.h"
#include "StyleKeeperControls.h"
#include "WaitClass.h"

namespace {

constexpr const char* kWhere = "TForm1::d_SaveStyle";
constexpr int kRootPLULength = 8;
// Plain root PLUs tried after the highest ID before the save gives up.
constexpr int kPlainCandidates = 1000;

// A PRODUCTS column the save writes, with the name the person knows it by.
struct SavedColumn {
  const char* column;
  const char* caption;
};

// Written in every save, in the table's order ...
const SavedColumn kAlwaysColumns[] = {
    {"STYLE", "Supplier Style"},       {"STYLE_REF", "Style Ref"},
    {"DESCRIPTION", "Description"},    {"COLOUR_ID", "Colour"},
    {"COLOUR_NAME", "Colour"},         {"COLOUR_VALUE", "Colour"},
    {"SUPPLIER_ID", "Supplier"},       {"SUPPLIER_NAME", "Supplier"},
    {"BRANDLABEL_ID", "Brand"},        {"BRANDLABEL_NAME", "Brand"},
    {"SEASON_ID", "Season"},           {"SEASON_NAME", "Season"},
    {"CATEGORY_ID", "Category"},       {"CATEGORY_NAME", "Category"},
    {"DEPARTMENT_ID", "Department"},   {"DEPARTMENT_NAME", "Department"},
    {"SUBDEPARTMENT_ID", "Sub-Department"}, {"SUBDEPARTMENT_NAME", "Sub-Department"},
    {"ECOM_FLAG", "Website"},          {"SIZESSCALE_ID", "Size Scale"},
    {"SIZESSCALE_NAME", "Size Scale"}, {"SIZE_ID", "Size"},
    {"SIZE_NAME", "Size"},             {"SIZE_OFFSET", "Size"},
};
// ... and in a new colour, or an edit whose prices were touched.
const SavedColumn kPriceColumns[] = {
    {"VAT_ID", "VAT Rate"},          {"VAT_NAME", "VAT Rate"},
    {"VAT_RATE", "VAT Rate"},        {"CURRENT_COST_PRICE", "Cost Price"},
    {"RETAIL_PRICE", "Retail Price"}, {"WHOLESALE_PRICE", "Wholesale Price"},
    {"SALEPRICE", "Sale Price"},
};

using Values = kdb::EditBaseline::Values;

struct SizeRow {
  QString id, name;
};

// What a save writes, read once from the window before the first row.
struct StyleValues {
  Values always;  // STYLE .. SIZESSCALE_NAME; the size columns are per row
  Values prices;  // VAT_ID .. SALEPRICE
  QString colourId, seasonId, subDepartmentId, sizeScaleId, sizeScaleName;
};

QString TrimBox(QLineEdit* box) {
  const QString trimmed = box->text().trimmed();
  // Writing an unchanged price box would count as a price change.
  if (trimmed != box->text()) box->setText(trimmed);
  return trimmed;
}

void AddPick(Values& out, const QString& stem, const QComboBox* combo) {
  // Nothing chosen: the id is NULL (on both engines) and the name empty,
  // which the database layer stores as NULL as well.
  out.emplace_back(stem + "_ID", kui::SelectedPickValue(combo));
  out.emplace_back(stem + "_NAME", kui::SelectedPickName(combo));
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

// The columns of one size row: the style's, the size's, and the prices.
// The columns a style's row takes from its size: the only ones in which the
// rows of one colour differ (besides the PLU).
Values SizeValues(int offset, const SizeRow& size) {
  return {{"SIZE_ID", size.id}, {"SIZE_NAME", size.name}, {"SIZE_OFFSET", QString::number(offset)}};
}

Values RowValues(const StyleValues& v, int offset, const SizeRow& size, bool withPrices) {
  Values row = v.always;
  const Values sized = SizeValues(offset, size);
  row.insert(row.end(), sized.begin(), sized.end());
  if (withPrices) row.insert(row.end(), v.prices.begin(), v.prices.end());
  return row;
}

// What an edit may write: the columns a person can change in Edit. The
// colour's display value and the size's id, name and position follow the
// colour and the scale, which Edit cannot change; the colours and sizes
// editors keep them.
Values EditedValues(const Values& row) {
  Values out;
  for (const auto& entry : row)
    if (entry.first != "COLOUR_VALUE" && !entry.first.startsWith("SIZE_")) out.push_back(entry);
  return out;
}

// The table's fields of a row's columns, looked up once for all the rows.
std::vector<kdb::Field*> FieldsOf(kdb::Table& t, const Values& row) {
  std::vector<kdb::Field*> fields;
  for (const auto& entry : row) fields.push_back(&t.FieldByName(entry.first));
  return fields;
}

// The values that would change the stored row: one another session has
// written already is no change (and no conflict) either.
Values ChangesToStored(kdb::Table& t, const Values& values) {
  Values out;
  for (const auto& [column, value] : values) {
    kdb::Field& f = t.FieldByName(column);
    const QVariant stored =
        f.DataType() == kdb::FieldType::Money && !f.IsNull() ? QVariant::fromValue(f.AsCurrency()) : f.Value();
    if (!kdb::EditBaseline::Same(stored, value, f.DataType(), column)) out.emplace_back(column, value);
  }
  return out;
}

// What a save writes, read once from the window.
StyleValues ReadStyleValues(TForm1& f, const QString& colourValue) {
  StyleValues v;
  v.always = {{"STYLE", f.EditSupplierStyle->text()},
              {"STYLE_REF", f.EditStyleRef->text()},
              {"DESCRIPTION", f.EditDescription->text()}};
  AddPick(v.always, "COLOUR", f.ComboBoxColours);
  v.always.emplace_back("COLOUR_VALUE", colourValue);
  const std::pair<const char*, QComboBox*> picks[] = {
      {"SUPPLIER", f.ComboBoxSuppliers},     {"BRANDLABEL", f.ComboBoxBrands},
      {"SEASON", f.ComboBoxSeasons},         {"CATEGORY", f.ComboBoxCategories},
      {"DEPARTMENT", f.ComboBoxDepartments}, {"SUBDEPARTMENT", f.ComboBoxProductGroups}};
  for (const auto& [stem, combo] : picks) AddPick(v.always, stem, combo);
  v.always.emplace_back("ECOM_FLAG", f.ComboBoxECommerce->currentText() != "NO");
  AddPick(v.always, "SIZESSCALE", f.ComboBoxSizeRanges);
  AddPick(v.prices, "VAT", f.ComboBoxTaxRates);
  v.prices.insert(v.prices.end(), {{"VAT_RATE", f.PanelVATRate->text()},
                                   {"CURRENT_COST_PRICE", f.EditCostPrice->text()},
                                   {"RETAIL_PRICE", f.EditRetailPrice->text()},
                                   {"WHOLESALE_PRICE", f.EditWSPrice->text()},
                                   {"SALEPRICE", QVariant::fromValue(f.SalePrice)}});
  v.colourId = kui::SelectedPickValue(f.ComboBoxColours);
  v.seasonId = kui::SelectedPickValue(f.ComboBoxSeasons);
  v.subDepartmentId = kui::SelectedPickValue(f.ComboBoxProductGroups);
  v.sizeScaleId = kui::SelectedPickValue(f.ComboBoxSizeRanges);
  v.sizeScaleName = kui::SelectedPickName(f.ComboBoxSizeRanges);
  return v;
}

// A new root PLU, numbered inside the open transaction after the numbering
// lock; "" when none is free.
QString NewRootPLU(const StyleValues& v) {
  if (!DMDB->Setup->SFSeasonSubDeptPLU) return TForm1::NextPlainRootPLU(*DMDB->DBQueryRemote3);
  // No sub-department: the generator looks up a row that does not exist, so
  // its code falls back to "00".
  return DMDB->BRGetSeasonSubDeptRootPLU(v.seasonId, v.subDepartmentId.isEmpty() ? "0" : v.subDepartmentId);
}

// Whether a style has a colour: found through the style's few rows. The
// colour's own index holds every style of that colour (thousands of rows for
// a common one), and SQLite takes it when the database has no statistics
// yet; the unary plus keeps the colour out of the index choice on both
// engines, so the check never walks a colour's rows under the numbering lock.
// The statement with the style and colour as given (%1, %2 in one pass).
QString StyleColourSQL(const QString& style, const QString& colour) {
  return QStringLiteral("select style from products where style = %1 and +colour_id = %2 LIMIT 1").arg(style, colour);
}

QString StyleColourSQLOf(const QString& style, const QString& colourId) {
  return StyleColourSQL(kdb::sql::Quote(style), kdb::sql::Int(colourId));
}

// The style-has-colour check as the save makes it, under the numbering lock:
// a failed look-up fails the save instead of reading as "not there". The
// values are bound, so the colours of a run share one prepared statement.
bool StyleHasColourNow(const QString& style, const QString& colourId) {
  kdb::Query& q = *DMDB->DBQueryRemote1;
  q.Close();
  q.SQL = StyleColourSQL("$1", "$2");
  kdb::sql::Int(colourId);  // refuses what is no whole number
  q.Params = {style, colourId.toLongLong()};
  q.ExecSQL();
  return q.RecordCount() > 0;
}

QString HasColourMessage(const QString& style, const QString& colour) {
  return "Style: " + style + " already has Colour: " + colour + "\n\nPlease select another colour.";
}

}  // namespace

// A run of saves of one style (the alternate colours): the look-ups its
// colours share, made once, and the run's unit of work. The run is one
// transaction under the numbering lock; each colour's save is a unit nested
// in it (a savepoint), so a colour that fails goes back to where it began
// and the colours before it stay. Before a message is shown the unit ends
// (commits what it holds), so no lock waits on the person reading it; the
// next colour opens a new one.
struct TForm1::SaveBatch {
  std::optional<std::vector<SizeRow>> sizes;
  QHash<QString, QString> colourValues;  // colour id -> display colour
  QString lastSaved;                     // the root PLU of the last colour committed

  // Opens the run's unit unless it is open; throws when the lock cannot be had.
  void Begin(kdb::Database& db) {
    if (!unit_) unit_.emplace(db, kdb::Transaction::Partial, kdb::TableLock{"PRODUCTS"});
  }
  // A colour saved in the open unit, shown once the unit is committed.
  void Written(const QString& rootPLU, const QString& colour) {
    pending_.emplace_back(rootPLU, colour);
  }
  // Ends the open unit. The colours it holds are the window's root PLUs once
  // committed; a commit that fails is logged and told, naming them.
  void Settle(TForm1& form) {
    if (!unit_) return;
    std::vector<std::pair<QString, QString>> written;
    written.swap(pending_);
    try {
      unit_->Commit();
      unit_.reset();
    } catch (const std::exception& e) {
      unit_.reset();
      DMDB->LogException(e, "TForm1::SaveColours");
      if (written.empty()) return;
      QStringList colours;
      for (const auto& w : written) colours << w.second;
      DMDB->ShowMessage("ERROR: The colours " + colours.join(", ") + " were not saved.\n\n" +
                        TDMDB::ExceptionMessage(e) + "\n\nPlease try again.");
      return;
    }
    for (const auto& w : written) form.AddRootPLUItem(w.first);
    if (!written.empty()) lastSaved = written.back().first;
  }

 private:
  std::optional<kdb::Transaction> unit_;
  std::vector<std::pair<QString, QString>> pending_;  // root PLU, colour name
};

// ----- the Save button ------------------------------------------------------------------

void TForm1::ConnectSaveHandlers() { OnClick(SpButSave, "TForm1::SpButSaveClick", &TForm1::SpButSaveClick); }

void TForm1::SpButSaveClick() {
  if (Mode() == skmode::kView) return;
  if (!ValidateStyle()) return;
  ConvertPricesByCurrency();
  DMDB->GetTable("PRODUCTS", DMDB->DBTableR1);
  QWidget* sheet = PageCtrlSF->currentWidget();
  const bool editing = Mode() == skmode::kEdit;
  SkDisabledWindow disabled(this);
  // One wait window for the save and the reload: the steps' own texts show
  // in it.
  TWaitClass wait;
  wait.Show("Please wait...");
  if (d_SaveStyle()) {
    // An edit shows the colour it saved, whatever was typed into the box
    // meanwhile; a new colour's root PLU is the box's text.
    RootPLUToOpen = editing ? LoadedRootPLU() : ComboBoxRootPLU->currentText();
    FormShow(Shown::Already);
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
    if (price) skui::SetTextWhole(box, kos::FormatFloat("0.00", *price / static_cast<double>(rate)));
  }
}

// ----- several colours at once ------------------------------------------------------------

void TForm1::SaveColours(const QStringList& colours, std::optional<SkDisabledWindow>& disabled) {
  const QString style = EditSupplierStyle->text();
  // The colours the style has, and the display colours of those to add,
  // each in one look-up.
  std::set<QString> owned;
  kdb::Query* q = DMDB->DBQueryRemote1;
  if (DMDB->RunQuery("select distinct colour_id from products where style = " + kdb::sql::Quote(style), q))
    for (q->First(); !q->Eof(); q->Next()) owned.insert(q->Fields(0).AsString());
  SaveBatch batch;
  QStringList ids;
  for (const QString& item : colours) ids << kdb::sql::Int(kui::PickValue(item));
  if (!ids.isEmpty() &&
      DMDB->RunQuery("SELECT ID, RATE FROM PARAMETERS WHERE TYPE='COLOUR' AND ID IN (" + ids.join(", ") + ")", q))
    for (q->First(); !q->Eof(); q->Next())
      batch.colourValues.insert(q->FieldByName("ID").AsString(),
                                QString::number(static_cast<qint64>(q->FieldByName("RATE").AsFloat())));
  // However the run ends, the root PLU box and the colour shown next are the
  // last colour saved: the box's text is set once, not once per colour.
  struct BatchScope {
    TForm1& form;
    const SaveBatch& batch;
    ~BatchScope() {
      form.saveBatch_ = nullptr;
      if (batch.lastSaved.isEmpty()) return;
      form.ComboBoxRootPLU->setEditText(batch.lastSaved);
      form.RootPLUToOpen = batch.lastSaved;
    }
  } scope{*this, batch};
  saveBatch_ = &batch;

  QStringList toSave;
  for (const QString& item : colours)
    if (!owned.count(kui::PickValue(item))) toSave << item;
  if (toSave.isEmpty()) return;
  const auto pick = [this](const QString& item) {
    kui::SetPickItems(ComboBoxColours, {item});
    ComboBoxColours->setCurrentIndex(0);
    SetModeWord(skmode::kAdd);
  };
  // The other fields are the same for every colour: one check serves all.
  pick(toSave.first());
  if (!ValidateStyle()) return;
  ConvertPricesByCurrency();
  DMDB->GetTable("PRODUCTS", DMDB->DBTableR1);
  if (!disabled) disabled.emplace(this);
  try {
    for (const QString& item : toSave) {
      pick(item);
      d_SaveStyle();
    }
  } catch (...) {
    // The colours saved before the failure stay, as any run's do.
    batch.Settle(*this);
    throw;
  }
  batch.Settle(*this);
}

// ----- validation ------------------------------------------------------------------------

bool TForm1::StyleHasColour(const QString& style, const QString& colourId) {
  kdb::Query* q = DMDB->DBQueryRemote1;
  return DMDB->RunQuery(StyleColourSQLOf(style, colourId), q) && q->RecordCount() > 0;
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
  // One root PLU per style and colour (checked again under the numbering
  // lock when the rows are written).
  if (mode == skmode::kAdd && StyleHasColour(style, kui::SelectedPickValue(ComboBoxColours)))
    return refuse(HasColourMessage(style, colour), ComboBoxColours);
  if (mode == skmode::kEdit && PricesTouched &&
      !DMDB->ShowConfirm("Style: " + style + ", " + colour + "\n\n" + "The cost and retail prices will be set to\n" +
                         "Cost: " + EditCostPrice->text() + ", " + "Retail: " + EditRetailPrice->text() + "\n" +
                         "for all sizes.\n\nAre you sure?"))
    return false;
  // The save disables the window as soon as the checks pass: switching every
  // control off and on once more for this one look-up would cost more than
  // the look-up (no click or key is taken while it runs either way).
  TakeSupplierStyle(WindowState::SaveToFollow);
  return true;
}

// ----- numbering -----------------------------------------------------------------------------

void TForm1::LockProductsForNumbering(kdb::Database& db) {
  // SQLite's BEGIN IMMEDIATE holds the database's write lock already. On the
  // server no other numbering saver (and no writer of PRODUCTS) gets past
  // this until the unit ends; readers go on. The wait is the table lock's,
  // longer than a row lock's.
  db.LockTable("PRODUCTS");
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
  query.SQL = "SELECT DISTINCT ROOT_PLU FROM PRODUCTS WHERE ROOT_PLU >= $1 AND ROOT_PLU <= $2";
  query.Params = {plain(first), plain(last)};
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
  if (saveBatch_ && saveBatch_->colourValues.contains(colourId)) return saveBatch_->colourValues.value(colourId);
  kdb::Query* q = DMDB->DBQueryRemote3;
  const QString sql = "SELECT RATE FROM PARAMETERS WHERE TYPE='COLOUR' AND ID=" + kdb::sql::Int(colourId);
  // A run of colours may have its unit open: a failed look-up must not spoil it.
  if (!DMDB->RunLookUp(sql, q) || q->RecordCount() == 0) return QStringLiteral("0");
  return QString::number(static_cast<qint64>(q->FieldByName("RATE").AsFloat()));
}

// ----- the baseline of an edit -------------------------------------------------------------------

void TForm1::CaptureStyleBaseline(const QString& rootPLU) {
  StyleBaselines.clear();
  QStringList columns;
  for (const SavedColumn& c : kAlwaysColumns) columns << c.column;
  for (const SavedColumn& c : kPriceColumns) columns << c.column;
  kdb::Query* q = DMDB->DBQueryRemote3;
  const QString sql = "select plu, " + columns.join(", ") + " from products where root_plu = " +
                      kdb::sql::Quote(rootPLU);
  if (!DMDB->RunQuery(sql, q)) return;  // an edit then counts every shown value as changed
  const kdb::EditBaseline::Fields fields(*q, columns);
  kdb::Field& plu = q->FieldByName("plu");
  for (q->First(); !q->Eof(); q->Next()) StyleBaselines[plu.AsString()].Capture(fields);
}

namespace {

// The name the person knows a saved column by.
QString CaptionOf(const QString& column) {
  for (const SavedColumn& c : kAlwaysColumns)
    if (column.compare(c.column, Qt::CaseInsensitive) == 0) return c.caption;
  for (const SavedColumn& c : kPriceColumns)
    if (column.compare(c.column, Qt::CaseInsensitive) == 0) return c.caption;
  return column;
}

}  // namespace

// ----- writing ---------------------------------------------------------------------------------

bool TForm1::d_SaveStyle() {
  const QDateTime saveTime = QDateTime::currentDateTime();
  TWaitClass wait;
  wait.Show("Please wait...");
  const bool adding = Mode() == skmode::kAdd;
  // A run of colours ends its open unit before a message, which waits on
  // the person: no lock is held meanwhile.
  const auto tell = [this](const QString& message) {
    if (saveBatch_) saveBatch_->Settle(*this);
    DMDB->ShowMessage(message);
  };

  const StyleValues v = ReadStyleValues(*this, ColourValueOf(kui::SelectedPickValue(ComboBoxColours)));

  kdb::Table& table = *DMDB->DBTableR1;
  if (!table.Active()) DMDB->GetTable("PRODUCTS", &table);

  wait.Show("Loading sizes...");
  if (saveBatch_ && !saveBatch_->sizes) saveBatch_->sizes = LoadScaleSizes(v.sizeScaleId);
  const std::vector<SizeRow> sizes = saveBatch_ ? *saveBatch_->sizes : LoadScaleSizes(v.sizeScaleId);
  if (sizes.empty()) {
    wait.Close();
    tell("The size scale " + v.sizeScaleName + " has no sizes.\n\nThe style was not saved.");
    return false;
  }

  const QString style = EditSupplierStyle->text();
  kdb::Database& db = *DMDB->DBDatabaseRemote;
  // An edit moves each row's baseline on to what it wrote: a save that
  // rolls back must leave them as loaded.
  const std::map<QString, kdb::EditBaseline> loaded = StyleBaselines;
  QString rootPLU;
  try {
    // A new colour numbers under the numbering lock, taken with the unit
    // (and waited for longer than a row lock); every row or none. In a run
    // of colours the unit is a savepoint of the run's, which holds the lock.
    if (saveBatch_) saveBatch_->Begin(db);
    kdb::Transaction tx(db, kdb::Transaction::AllOrNothing,
                        adding ? kdb::TableLock{"PRODUCTS"} : kdb::TableLock{});
    if (adding) {
      if (StyleHasColourNow(style, v.colourId)) {
        tx.Rollback();
        wait.Close();
        tell(HasColourMessage(style, kui::SelectedPickName(ComboBoxColours)));
        // Once the window is enabled again and has its focus back.
        QMetaObject::invokeMethod(ComboBoxColours, [box = ComboBoxColours] { box->setFocus(); },
                                  Qt::QueuedConnection);
        return false;
      }
      rootPLU = NewRootPLU(v);
      if (rootPLU.isEmpty()) {
        tx.Rollback();
        wait.Close();
        tell("ERROR: Could not create a unique RootPLU.\n\nPlease contact support\n\nLast RootPLU: " + rootPLU);
        return false;
      }
      PricesTouched = true;
      kdb::Field& rootField = table.FieldByName("ROOT_PLU");
      kdb::Field& pluField = table.FieldByName("PLU");
      kdb::Field& createdField = table.FieldByName("DATE_CREATED");
      kdb::Field& lastDelField = table.FieldByName("DATE_LASTDEL");
      const Values first = RowValues(v, 0, sizes.front(), true);
      const std::vector<kdb::Field*> fields = FieldsOf(table, first);
      const std::vector<kdb::Field*> sizeFields = FieldsOf(table, SizeValues(0, sizes.front()));
      // The sizes' post records reach the log in one write, in row order.
      const TDMDB::LogRecord posts(*DMDB);
      table.InsertRows(static_cast<int>(sizes.size()), [&](int i) {
        const SizeRow& size = sizes[size_t(i)];
        if (i % 2 == 0) wait.Show("Saving size: " + size.name);
        pluField.SetAsString(TColourSizeGridClass::PLU(rootPLU, i));
        if (i == 0) {
          rootField.SetAsString(rootPLU);
          createdField.SetAsDateTime(saveTime);
          lastDelField.SetAsDateTime(saveTime);
          for (size_t c = 0; c < first.size(); ++c) fields[c]->SetValue(first[c].second);
          return;
        }
        // Every other row starts as the one before it: only its PLU and
        // its size's columns differ.
        const Values sized = SizeValues(i, size);
        for (size_t c = 0; c < sized.size(); ++c) sizeFields[c]->SetValue(sized[c].second);
      });
    } else {
      rootPLU = LoadedRootPLU();
      int found = 0;
      for (int i = 0; i < static_cast<int>(sizes.size()); ++i) {
        if (i % 2 == 0) wait.Show("Saving size: " + sizes[size_t(i)].name);
        const QString plu = TColourSizeGridClass::PLU(rootPLU, i);
        // A size the scale gained after the colour was saved has no row to edit.
        if (!table.FindKey({plu})) continue;
        ++found;
        table.Edit();  // the row read again under its lock
        const Values changes = ChangesToStored(table, EditedValues(RowValues(v, i, sizes[size_t(i)], PricesTouched)));
        if (StyleBaselines[plu].Apply(table, changes) == 0)
          table.Cancel();
        else
          table.Post();
      }
      if (found == 0) throw kdb::DbError("No size of root PLU " + rootPLU + " was found to write.");
    }
    tx.Commit();
  } catch (const std::exception& e) {
    table.Cancel();
    DMDB->LogException(e, kWhere);
    wait.Close();
    if (const auto* conflict = dynamic_cast<const kdb::EditConflict*>(&e))
      tell("ERROR: The style was not saved.\n\n" +
           TDMDB::ExceptionMessage(kdb::EditConflict(conflict->Field(), CaptionOf(conflict->Field()))));
    else
      tell("ERROR: The style was not saved.\n\n" + TDMDB::ExceptionMessage(e) +
           "\n\nNothing was written; please try again.");
    StyleBaselines = loaded;
    return false;
  }

  if (adding) {
    if (saveBatch_) {
      saveBatch_->Written(rootPLU, kui::SelectedPickName(ComboBoxColours));  // the run shows it at its end
    } else {
      AddRootPLUItem(rootPLU);
      ComboBoxRootPLU->setEditText(rootPLU);
    }
    // The next new style starts with this one's supplier.
    RememberedSupplierIndex = ComboBoxSuppliers->currentIndex();
  }
  wait.Close();
  return true;
}
