// TForm1: the pick-list loaders, showing the window and loading one root PLU.
#include "StyleKeeperForm.h"

#include <QAbstractItemView>
#include <QApplication>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QLocale>
#include <QPixmap>
#include <QStackedWidget>
#include <QToolButton>

#include "ControlEventsClass.h"
#include "DMBRulesF.h"
#include "DisabledWindowClass.h"
#include "DataModF.h"
#include "Format.h"
#include "ImagePageF.h"
#include "InfoPageF.h"
#include "KvEdit.h"
#include "KvPicture.h"
#include "PickList.h"
#include "StyleKeeperControls.h"
#include "WaitClass.h"

namespace {

// The columns of a root PLU's first row that the window shows.
struct StyleRow {
  QString rootPLU, style, styleRef, description;
  bool ecom = false;
  Currency cost, retail, wholesale, sale;
  QString supplier, colour, season, brand, category, department, subDepartment, sizeScale, vat;
  QDateTime created;
};

StyleRow ReadStyleRow(kdb::Query& q) {
  const auto text = [&q](const char* column) { return q.FieldByName(column).AsString(); };
  StyleRow r;
  r.rootPLU = text("root_plu");
  r.style = text("style");
  r.styleRef = text("style_ref");
  r.description = text("description");
  r.ecom = q.FieldByName("ecom_flag").AsBoolean();
  r.cost = q.FieldByName("current_cost_price").AsCurrency();
  r.retail = q.FieldByName("retail_price").AsCurrency();
  r.wholesale = q.FieldByName("wholesale_price").AsCurrency();
  r.sale = q.FieldByName("saleprice").AsCurrency();
  r.supplier = text("supplier_name");
  r.colour = text("colour_name");
  r.season = text("season_name");
  r.brand = text("brandlabel_name");
  r.category = text("category_name");
  r.department = text("department_name");
  r.subDepartment = text("subdepartment_name");
  r.sizeScale = text("sizesscale_name");
  r.vat = text("vat_name");
  r.created = q.FieldByName("date_created").AsDateTime();
  return r;
}

// The value part of a chosen item as it stands bare in a statement.
QString SelectedId(const QComboBox* combo) { return kdb::sql::Int(kui::SelectedPickValue(combo)); }

}  // namespace

void TForm1::ConnectLoadHandlers() {
  OnSelect(ComboBoxCategories, "TForm1::ComboBoxCategoriesSelect", &TForm1::ComboBoxCategoriesSelect);
  OnSelect(ComboBoxDepartments, "TForm1::ComboBoxDepartmentsSelect", &TForm1::ComboBoxDepartmentsSelect);
  OnSelect(ComboBoxTaxRates, "TForm1::ComboBoxTaxRatesSelect", &TForm1::ComboBoxTaxRatesSelect);
  OnSelect(ComboBoxSizeRanges, "TForm1::ComboBoxSizeRangesSelect", &TForm1::ComboBoxSizeRangesSelect);
  OnSelect(ComboBoxCurrency, "TForm1::ComboBoxCurrencySelect", &TForm1::ComboBoxCurrencySelect);
  TControlEventsClass::Of(ComboBoxCategories).OnExit = [this] {
    Guard("TForm1::ComboBoxCategoriesExit", [this] { ComboBoxCategoriesExit(); });
  };
  TControlEventsClass::Of(ComboBoxDepartments).OnExit = [this] {
    Guard("TForm1::ComboBoxDepartmentsExit", [this] { ComboBoxDepartmentsExit(); });
  };

  // The root PLU box logs its own failures and shows nothing.
  connect(ComboBoxRootPLU, &QComboBox::activated, this, [this] { ComboBoxRootPLUSelect(); });
  // Typed keys reach the box itself, which hands them on to its line edit.
  const auto rootPLUKey = [this](QChar& key) {
    bool passes = true;
    Guard("TForm1::ComboBoxRootPLUKeyPress", [&] { passes = ComboBoxRootPLUKeyPress(key); }, false);
    if (!passes) key = QChar();
  };
  TControlEventsClass::Of(ComboBoxRootPLU).OnKeyPress = rootPLUKey;
  TControlEventsClass::Of(ComboBoxRootPLU->lineEdit()).OnKeyPress = rootPLUKey;
}

// ----- pick lists -------------------------------------------------------------------

int TForm1::FillPickList(QComboBox* combo, const QString& sql, const QString& defaultColumn) {
  return FillPickList(combo, sql, DMDB->DBQueryRemote1, "NAME", "ID", defaultColumn);
}

int TForm1::FillPickList(QComboBox* combo, const QString& sql, kdb::Query* query,
                         const char* nameColumn, const char* valueColumn,
                         const QString& defaultColumn) {
  if (const auto ahead = listsReadAhead_.find(sql); ahead != listsReadAhead_.end()) {
    const PickRows rows = std::move(ahead->second);
    listsReadAhead_.erase(ahead);
    kui::SetPickItems(combo, rows.items);
    return rows.defaultIndex;
  }
  if (listsPass_ == StartLists::OneTrip) {
    listStatements_ << sql;
    return -1;
  }
  PickRows rows;
  if (DMDB->RunQuery(sql, query)) {
    for (query->First(); !query->Eof(); query->Next()) {
      rows.items << query->FieldByName(nameColumn).AsString() + "=" +
                        query->FieldByName(valueColumn).AsString();
      // The default row of a list points at itself; the last one found wins.
      if (!defaultColumn.isEmpty() &&
          query->FieldByName(defaultColumn).AsInteger() == query->FieldByName("ID").AsInteger())
        rows.defaultIndex = static_cast<int>(rows.items.size()) - 1;
    }
  }
  if (listsPass_ == StartLists::ReadRows) {
    listsReadAhead_[sql] = std::move(rows);
    return -1;
  }
  kui::SetPickItems(combo, rows.items);
  return rows.defaultIndex;
}

void TForm1::RunStartLoaders(StartLists how) {
  struct Loader {
    const char* text;
    void (TForm1::*load)();
    bool needsBoxes;  // reads what a box filled before it shows
  };
  static const Loader loaders[] = {
      {"Please wait loading suppliers...", &TForm1::LoadSuppliers, false},
      {"Please wait loading colours...", &TForm1::LoadColours, false},
      {"Please wait loading seasons...", &TForm1::LoadSeasons, false},
      {"Please wait loading categories...", &TForm1::LoadCategories, false},
      {"Please wait loading departments...", &TForm1::LoadDepartments, true},
      {"Please wait loading sub-depatments...", &TForm1::LoadSubDepartmentList, true},
      {"Please wait loading brands...", &TForm1::LoadBrandLabelList, false},
      {"Please wait loading size ranges...", &TForm1::LoadSizeScaleList, false},
      {"Please wait loading vat rates...", &TForm1::LoadVatRateList, false},
      {"Please wait loading currencies...", &TForm1::LoadCurrencies, false},
  };
  TWaitClass wait;
  listsPass_ = how;
  listStatements_.clear();
  try {
    for (const Loader& l : loaders) {
      if (how != StartLists::Fill && l.needsBoxes) continue;
      if (how != StartLists::OneTrip) wait.Show(l.text);
      (this->*l.load)();
    }
  } catch (...) {
    listsPass_ = StartLists::Fill;
    throw;
  }
  listsPass_ = StartLists::Fill;
  if (how == StartLists::OneTrip) DMDB->DBDatabaseRemote->ReadAhead(listStatements_);
  // Rows read ahead serve the start only: a later reload reads anew.
  if (how == StartLists::Fill) listsReadAhead_.clear();
}

void TForm1::LoadSuppliers() {
  FillPickList(ComboBoxSuppliers,
               "SELECT ID, NAME FROM PARAMETERS WHERE TYPE='SUPPLIER'" + QString(" ORDER BY NAME"),
               QString());
  RememberedSupplierIndex = -1;
  if (listsPass_ == StartLists::Fill && !CommandLineSupplierID.isEmpty())
    RememberedSupplierIndex = kui::IndexOfPickValue(ComboBoxSuppliers, CommandLineSupplierID);
}

void TForm1::LoadCategories() {
  FillPickList(ComboBoxCategories,
               "SELECT ID, NAME FROM PARAMETERS WHERE TYPE='CATEGORY' ORDER BY NAME", QString());
}

void TForm1::LoadColours() {
  FillPickList(ComboBoxColours, "SELECT ID, NAME FROM PARAMETERS WHERE TYPE='COLOUR' ORDER BY NAME",
               QString());
}

void TForm1::LoadBrandLabelList() {
  DefaultBrandIndex = FillPickList(
      ComboBoxBrands, "SELECT ID, NAME, PARENT_ID FROM PARAMETERS WHERE TYPE='BRANDLABEL' ORDER BY NAME",
      "PARENT_ID");
}

void TForm1::LoadVatRateList() {
  DefaultVATIndex = FillPickList(
      ComboBoxTaxRates, "SELECT ID, NAME, PARENT_ID FROM PARAMETERS WHERE TYPE='VAT' ORDER BY NAME",
      "PARENT_ID");
}

void TForm1::LoadSeasons() {
  DefaultSeasonIndex = FillPickList(
      ComboBoxSeasons,
      "SELECT ID, NAME, PARENT_ID FROM PARAMETERS WHERE TYPE='SEASON'" + QString(" ORDER BY NAME"),
      "PARENT_ID");
}

void TForm1::LoadSizeScaleList() {
  DefaultSizeScaleIndex = FillPickList(
      ComboBoxSizeRanges, "SELECT ID, NAME, DEFAULT_ID FROM SIZESSCALE ORDER BY NAME", "DEFAULT_ID");
}

void TForm1::LoadCurrencies() {
  FillPickList(ComboBoxCurrency, "SELECT RATE, EXTRA FROM PARAMETERS WHERE TYPE='CURRENCY' ORDER BY EXTRA",
               DMDB->DBQueryRemote1, "EXTRA", "RATE", QString());
  RememberedCurrencyIndex = -1;
}

void TForm1::LoadDepartments() {
  kui::ClearPickItems(ComboBoxDepartments);
  kui::ClearPickItems(ComboBoxProductGroups);
  if (ComboBoxCategories->currentIndex() < 0) return;
  try {
    FillPickList(ComboBoxDepartments,
                 "SELECT ID, NAME FROM PARAMETERS WHERE TYPE='DEPARTMENT' " +
                     QString(" AND PARENT_ID =") + SelectedId(ComboBoxCategories) + " ORDER BY NAME",
                 DMDB->DBQueryRemote2, "NAME", "ID", QString());
  } catch (const std::exception& e) {
    DMDB->LogException(e, "TForm1::LoadDepartments");
  }
}

void TForm1::LoadSubDepartmentList() {
  kui::ClearPickItems(ComboBoxProductGroups);
  if (ComboBoxDepartments->currentIndex() < 0) return;
  try {
    FillPickList(ComboBoxProductGroups,
                 "SELECT ID, NAME FROM PARAMETERS WHERE TYPE='SUBDEPARTMENT' " +
                     QString(" AND PARENT_ID =") + SelectedId(ComboBoxDepartments) + " ORDER BY NAME",
                 DMDB->DBQueryRemote2, "NAME", "ID", QString());
  } catch (const std::exception& e) {
    DMDB->LogException(e, "TForm1::LoadSubDepartmentList");
  }
  // Sub-department names are long: the list drops wider than the box.
  ComboBoxProductGroups->view()->setMinimumWidth(ComboBoxProductGroups->width() + 100);
}

int TForm1::IndexOfName(const QComboBox* combo, const QString& text) {
  for (int i = 0; i < combo->count(); ++i)
    if (kui::PickNameAt(combo, i).compare(text, Qt::CaseInsensitive) == 0) return i;
  return -1;
}

int TForm1::IndexOfID(const QComboBox* combo, int id) {
  for (int i = 0; i < combo->count(); ++i)
    if (kui::PickValueAt(combo, i).toInt() == id) return i;  // toInt gives 0 for no number
  return -1;
}

void TForm1::ComboBoxCategoriesSelect() { LoadDepartments(); }

void TForm1::ComboBoxCategoriesExit() { LoadDepartments(); }

void TForm1::ComboBoxDepartmentsSelect() { LoadSubDepartmentList(); }

void TForm1::ComboBoxDepartmentsExit() { LoadSubDepartmentList(); }

void TForm1::ComboBoxTaxRatesSelect() {
  kdb::Query* q = DMDB->DBQueryRemote2;
  const QString sql = "SELECT RATE FROM PARAMETERS WHERE TYPE ='VAT'" + QString(" AND NAME=") +
                      kdb::sql::Quote(kui::SelectedPickName(ComboBoxTaxRates));
  const bool found = DMDB->RunQuery(sql, q) && q->RecordCount() > 0;
  PanelVATRate->setText(found ? q->FieldByName("RATE").AsString() : QStringLiteral("0"));
  CalcMarkup();
  PricesTouched = true;
}

void TForm1::ComboBoxSizeRangesSelect() {
  kdb::Query* q = DMDB->DBQueryRemote2;
  const QString sql = "SELECT COUNTER FROM SIZESSCALE WHERE " + QString(" NAME=") +
                      kdb::sql::Quote(kui::SelectedPickName(ComboBoxSizeRanges));
  const bool found = DMDB->RunQuery(sql, q) && q->RecordCount() > 0;
  PanelSizes->setText(found ? q->FieldByName("COUNTER").AsString() : QString());
}

void TForm1::ComboBoxCurrencySelect() { RememberedCurrencyIndex = ComboBoxCurrency->currentIndex(); }

// ----- showing the window --------------------------------------------------------------

void TForm1::FormShow(Shown shown) {
  TWaitClass wait;
  wait.Show("Please wait...");
  ClearStyleForm();
  // With no style to open, the buttons that need one are not shown only to
  // be hidden again below (which lays the style page out anew each time).
  SetViewMode(!RootPLUToOpen.isEmpty());
  if (!RootPLUToOpen.isEmpty()) {
    wait.Show("Please wait searching for style details...");
    kdb::Query* q = DMDB->DBQueryRemote1;
    const bool read = DMDB->RunQuery(StyleByRootPLUSQL(RootPLUToOpen), q);
    if (read && q->RecordCount() > 0) {
      // The wait window stays up while the details load (their own texts
      // show in it), instead of closing and opening again.
      SkDisabledWindow disabled(this);
      LoadStyleDetails(shown);
      ComboBoxRootPLU->lineEdit()->selectAll();
      return;
    }
    wait.Close();
    // A root PLU that is not there shows the empty window; one that could
    // not be looked up is no such thing.
    if (!read) DMDB->ShowMessage(StyleNotReadMessage());
  }
  HideStyleButtons();
  // The command-line supplier opens one new style, once.
  if (!CommandLineSupplierID.isEmpty() && CommandLineSupplierID.toInt() != 0) {
    SpButAddClick();
    CommandLineSupplierID.clear();
  }
  ShownTime = QDateTime::currentDateTime();
}

void TForm1::AddRootPLUItem(const QString& rootPLU) {
  // The box gathers every root PLU of the run: a set answers "is it there"
  // without going through the list.
  if (rootPLUItems_.contains(rootPLU)) return;
  rootPLUItems_.insert(rootPLU);
  ComboBoxRootPLU->addItem(rootPLU);
}

// ----- the root PLU box -------------------------------------------------------------------

namespace {

bool IsAsciiLetterOrDigit(QChar c) {
  return (c >= QChar('0') && c <= QChar('9')) || (c >= QChar('A') && c <= QChar('Z')) ||
         (c >= QChar('a') && c <= QChar('z'));
}

// The root PLU a text in the box names: digits alone are a plain root PLU,
// padded to eight ("42" is 00000042); letters and digits are one of the
// season prefix, as typed in capitals. Throws for any other text.
QString RootPLUOfText(const QString& text) {
  if (text.isEmpty()) return text;
  bool digits = true, alnum = true;
  for (const QChar c : text) {
    digits = digits && c >= QChar('0') && c <= QChar('9');
    alnum = alnum && IsAsciiLetterOrDigit(c);
  }
  if (digits) {
    const std::optional<double> number = kos::TextToFloat(text);
    if (number) return kos::FormatFloat("00000000", *number);
  }
  if (alnum) return text.toUpper();
  throw kdb::DbError("'" + text + "' is not a valid root PLU");
}

}  // namespace

bool TForm1::ComboBoxRootPLUKeyPress(QChar key) {
  if (key == QChar('\r') || key == QChar('\n')) {
    ComboBoxRootPLUSelect();
    return false;
  }
  return key == QChar('\b') || IsAsciiLetterOrDigit(key);
}

void TForm1::ComboBoxRootPLUSelect() {
  try {
    QString text = ComboBoxRootPLU->currentText();
    if (!text.isEmpty()) {
      text = RootPLUOfText(text);
      ComboBoxRootPLU->setEditText(text);
    }
    kdb::Query* q = DMDB->DBQueryRemote1;
    const QString sql = "SELECT ROOT_PLU FROM PRODUCTS WHERE ROOT_PLU=" + kdb::sql::Quote(text);
    if (!DMDB->RunQuery(sql, q)) {
      DMDB->ShowMessage(StyleNotReadMessage());
    } else if (q->RecordCount() > 0) {
      RootPLUToOpen = q->FieldByName("ROOT_PLU").AsString();
      FormShow();
    } else {
      DMDB->ShowMessage("Unable to find Style Details with Root PLU: " + text);
    }
  } catch (const std::exception& e) {
    DMDB->LogException(e, "TForm1::ComboBoxRootPLUSelect");
    setEnabled(true);
  }
}

QString TForm1::StyleNotReadMessage() {
  return QStringLiteral("ERROR: The style could not be read from the database.\n\nPlease try again.");
}

// ----- loading one root PLU -------------------------------------------------------------------

QString TForm1::StyleByRootPLUSQL(const QString& rootPLU) {
  return "select root_plu, style, style_ref, description, ecom_flag," +
         QString("current_cost_price, retail_price, supplier_name, colour_name, season_name, ") +
         "brandlabel_name, category_name, department_name, subdepartment_name," +
         "sizesscale_name, vat_name, date_created, wholesale_price, saleprice" + " from products" +
         " where root_plu = " + kdb::sql::Quote(rootPLU);
}

void TForm1::LoadPriceBox(QLineEdit* box, Currency value) {
  skui::SetTextWhole(box, kos::FormatFloat("0.00", value));
}

void TForm1::LoadStyleDetails(Shown shown) {
  TWaitClass wait;
  wait.Show("Please wait loading style details...");
  PageCtrlSF->setCurrentWidget(TabShStyleDetails);
  kdb::Query* q = DMDB->DBQueryRemote1;
  q->First();
  // The row is read whole first: the list reloads below run queries of their own.
  const StyleRow row = ReadStyleRow(*q);

  EditSupplierStyle->setText(row.style);
  EditStyleRef->setText(row.styleRef);
  EditDescription->setText(row.description);
  AddRootPLUItem(row.rootPLU);
  ComboBoxRootPLU->setEditText(row.rootPLU);
  ComboBoxECommerce->setCurrentIndex(row.ecom ? 1 : 0);
  LabelRootPLU->setText(row.rootPLU);
  LoadPriceBox(EditCostPrice, row.cost);
  LoadPriceBox(EditRetailPrice, row.retail);
  LoadPriceBox(EditWSPrice, row.wholesale);
  SalePrice = row.sale;

  ComboBoxSuppliers->setCurrentIndex(IndexOfName(ComboBoxSuppliers, row.supplier));
  ComboBoxColours->setCurrentIndex(IndexOfName(ComboBoxColours, row.colour));
  ComboBoxSeasons->setCurrentIndex(IndexOfName(ComboBoxSeasons, row.season));
  ComboBoxBrands->setCurrentIndex(IndexOfName(ComboBoxBrands, row.brand));
  ComboBoxCategories->setCurrentIndex(IndexOfName(ComboBoxCategories, row.category));
  LoadDepartments();
  ComboBoxDepartments->setCurrentIndex(IndexOfName(ComboBoxDepartments, row.department));
  LoadSubDepartmentList();
  ComboBoxProductGroups->setCurrentIndex(IndexOfName(ComboBoxProductGroups, row.subDepartment));
  ComboBoxSizeRanges->setCurrentIndex(IndexOfName(ComboBoxSizeRanges, row.sizeScale));
  ComboBoxSizeRangesSelect();
  ComboBoxTaxRates->setCurrentIndex(IndexOfName(ComboBoxTaxRates, row.vat));
  ComboBoxTaxRatesSelect();
  // The details show while the rest loads. When they are on screen already
  // (a reload after a save), painting here would only paint the window twice:
  // the enabling at the end repaints it whole.
  if (shown == Shown::Other) QApplication::processEvents();

  CaptureStyleBaseline(row.rootPLU);
  ShowProductAge(row.created);
  wait.Show("Please wait loading style colours..");
  LoadColourList();
  LoadPictures(row.rootPLU);
  // Every caller holds the window disabled around this (SkDisabledWindow),
  // and its end gives the window back as it found it: enabled, or still
  // disabled for the operation around it (a save) until that ends. Enabling
  // it here as well would switch every control twice more per reload.
}

void TForm1::LoadPictures(const QString& rootPLU) {
  const QString name = rootPLU.isEmpty() ? QString() : TDMBRules::GetImgFileName(rootPLU);
  // A missing, broken or unreadable file simply leaves the style without a
  // picture.
  const QImage picture =
      DMDB->Setup->LOUseImages && !name.isEmpty() ? kui::LoadPicture(ImagesFolder + name) : QImage();
  const bool shown = !picture.isNull();
  // The image page is made for a picture; one not made yet shows none.
  TImagePage* page = shown ? ImagePage.Get() : ImagePage.IfMade();
  for (QLabel* image : {page ? page->ImageLarge : nullptr, ImageSmall}) {
    if (!image) continue;
    if (shown)
      image->setPixmap(QPixmap::fromImage(
          picture.scaled(image->size(), Qt::KeepAspectRatio, Qt::SmoothTransformation)));
    else
      image->clear();
    image->setVisible(shown);
  }
}

// ----- the product's age ------------------------------------------------------------------------

QString TForm1::ProductAgeText(const QDateTime& created, const QDateTime& now) {
  if (!created.isValid() || !now.isValid() || created > now) throw kdb::DbError("Invalid date");
  const QDate from = created.date();
  const QDate to = now.date();
  int months = (to.year() - from.year()) * 12 + (to.month() - from.month());
  if (months > 0 && created.addMonths(months) > now) --months;
  const QDateTime m = created.addMonths(months);
  const qint64 days = m.secsTo(now) / 86400;
  const qint64 weeks = days / 7;
  QString text;
  if (months > 0) text += QString::number(months) + " months ";
  if (weeks > 0) text += QString::number(weeks) + " weeks";
  if (months == 0 && weeks == 0) text = QString::number(days) + " days";
  return text.trimmed();
}

void TForm1::ShowProductAge(const QDateTime& created) {
  try {
    InfoPage->EditProdAge->setText(ProductAgeText(created, QDateTime::currentDateTime()));
  } catch (...) {
    InfoPage->EditProdAge->clear();
  }
  InfoPage->EditProdCreated->setText(created.isValid() ? QLocale::system().toString(created.date(), QLocale::ShortFormat)
                                             : QString());
}
