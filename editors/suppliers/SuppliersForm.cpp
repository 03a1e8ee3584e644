// TForm1: the supplier's fields on their four pages, loading a supplier, the
// modes, and the mark-up and lead-time boxes.
#include "SuppliersForm.h"

#include <QCheckBox>
#include <QFrame>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QPlainTextEdit>
#include <QStackedWidget>
#include <QToolButton>

#include "DataModF.h"
#include "KuiColour.h"
#include "KuiGuard.h"
#include "KvEdit.h"
#include "SupplierEntryClass.h"

namespace {

// Typing limits: what the window takes, never more than the column holds
// (postcodes 20 characters, e-mail addresses 100).
constexpr int kText = 30;
constexpr int kPostcode = 20;
constexpr int kEmail = 100;
constexpr int kPagePanelHeight = 36;

using Rows = TSupplierAddressClass;

}  // namespace

TForm1::TForm1(QWidget* parent) : TCodeListFrameForm(Keeping::Caption, parent) {
  SetTitle(kTitle);
  SetListCaption(kTitle);
  SetEscapeCloses(true);  // the form sees the Escape key first and ends the program
  BuildFields();
  ShowPage(TabSheetAddressDetails);
  // The frame cleared its own part before these fields existed.
  ClearRecord();
  SetViewMode();
}

TForm1::~TForm1() = default;

// ----- the window ---------------------------------------------------------------------------

QWidget* TForm1::AddPage(const char* name, const QString& title, QGridLayout** rows) {
  auto* page = new QWidget(PageControl1);
  page->setObjectName(name);
  page->setFont(font());
  auto* grid = new QGridLayout(page);
  grid->setContentsMargins(0, 0, 0, 0);
  grid->setHorizontalSpacing(12);
  grid->setVerticalSpacing(6);
  grid->setColumnStretch(1, 1);
  auto* caption = new QLabel(title, page);
  caption->setObjectName(QString(name) + "Title");
  QFont bold = font();
  bold.setBold(true);
  caption->setFont(bold);
  grid->addWidget(caption, 0, 0, 1, 2);
  PageControl1->addWidget(page);
  *rows = grid;
  return page;
}

kui::KvEdit* TForm1::AddEdit(QGridLayout* rows, const char* name, const QString& caption, int kind,
                             const QString& column, int length) {
  QWidget* page = rows->parentWidget();
  auto* edit = new kui::KvEdit(page);
  edit->setObjectName(name);
  edit->SetCharCase(kui::KvEdit::CharCase::Upper);
  edit->SetMaxLength(length);
  edit->setFont(font());
  auto* label = new QLabel(caption, page);
  label->setFont(font());
  label->setBuddy(edit);
  const int row = rows->rowCount();
  rows->addWidget(label, row, 0);
  rows->addWidget(edit, row, 1);
  fields_.push_back({kind, column, QString(caption).remove(':'), edit, length});
  return edit;
}

QToolButton* TForm1::AddPagePanel(QWidget* parent, const char* name, const QString& caption, QWidget* page) {
  auto* panel = new QToolButton(parent);
  panel->setObjectName(name);
  panel->setText(caption);
  panel->setCheckable(true);
  panel->setAutoExclusive(true);
  panel->setFocusPolicy(Qt::NoFocus);
  panel->setCursor(Qt::PointingHandCursor);
  panel->setFont(font());
  panel->setMinimumHeight(kPagePanelHeight);
  panel->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Fixed);
  // Light-yellow panels; the one of the page shown stands out in white.
  panel->setStyleSheet(QString("QToolButton { background: %1; border: 1px solid #b0a878; padding: 4px; }"
                               "QToolButton:checked { background: white; font-weight: bold; }")
                           .arg(kui::BgrColour(kYellowColour).name()));
  pagePanels_.emplace_back(panel, page);
  return panel;
}

void TForm1::BuildFields() {
  QFrame* top = AddShape();
  AddField(top, "Name:", EditName);

  QFrame* pages = AddShape();
  PageControl1 = new QStackedWidget(this);
  PageControl1->setObjectName("PageControl1");
  QGridLayout* rows = nullptr;

  TabSheetAddressDetails = AddPage("TabSheetAddressDetails", "Address Details", &rows);
  EditHouseNoName = AddEdit(rows, "EditHouseNoName", "House No or Name:", Rows::Main, "HOUSE_NO_NAME", kText);
  EditStreet = AddEdit(rows, "EditStreet", "Street Name:", Rows::Main, "STREET", kText);
  EditArea = AddEdit(rows, "EditArea", "Area:", Rows::Main, "AREA", kText);
  EditTownCity = AddEdit(rows, "EditTownCity", "Town or City:", Rows::Main, "TOWN_CITY", kText);
  EditCounty = AddEdit(rows, "EditCounty", "County:", Rows::Main, "COUNTY", kText);
  EditPostcode = AddEdit(rows, "EditPostcode", "Postcode:", Rows::Main, "POSTCODE", kPostcode);
  EditTel = AddEdit(rows, "EditTel", "Telephone:", Rows::Main, "TELEPHONE", kText);
  EditFax = AddEdit(rows, "EditFax", "Fax:", Rows::Main, "FAX", kText);
  EditEmail = AddEdit(rows, "EditEmail", "Email:", Rows::Main, "EMAIL", kEmail);
  EditWebsite = AddEdit(rows, "EditWebsite", "Web-site:", Rows::Main, "WEBSITE", kText);

  TabSheetAgentDetails = AddPage("TabSheetAgentDetails", "Agent Details", &rows);
  EditAgentFirstName = AddEdit(rows, "EditAgentFirstName", "First Name:", Rows::Agent, "AGENT_FIRST_NAME", kText);
  EditAgentSurname = AddEdit(rows, "EditAgentSurname", "Surname:", Rows::Agent, "AGENT_SURNAME", kText);
  EditAgentTelephone = AddEdit(rows, "EditAgentTelephone", "Telephone:", Rows::Agent, "AGENT_TELEPHONE", kText);
  EditAgentFax = AddEdit(rows, "EditAgentFax", "Fax:", Rows::Agent, "AGENT_FAX", kText);
  EditAgentEmail = AddEdit(rows, "EditAgentEmail", "Email:", Rows::Agent, "AGENT_EMAIL", kEmail);
  CheckBoxAllowPayments = new QCheckBox("Allow concession payments", TabSheetAgentDetails);
  CheckBoxAllowPayments->setObjectName("CheckBoxAllowPayments");
  CheckBoxAllowPayments->setFont(font());
  rows->addWidget(CheckBoxAllowPayments, rows->rowCount(), 1);

  TabSheetTerms = AddPage("TabSheetTerms", "Terms & Conditions", &rows);
  EditMarkup = AddEdit(rows, "EditMarkup", "Mark up:", Rows::Main, "MARKUP", TSupplierEntryClass::kMarkupLength);
  EditLeadTime = AddEdit(rows, "EditLeadTime", "Lead Time:", Rows::Main, "LEADTIME",
                         TSupplierEntryClass::kLeadTimeLength);
  EditLeadTime->SetFilter(kui::KvEdit::Filter::Digits);  // a paste of anything else is refused whole
  EditLeadTime->installEventFilter(this);
  for (kui::KvEdit* e : {EditMarkup, EditLeadTime}) e->setFixedWidth(160);
  MemoTerms = new QPlainTextEdit(TabSheetTerms);
  MemoTerms->setObjectName("MemoTerms");
  MemoTerms->setFont(font());
  auto* termsCaption = new QLabel("Terms && Conditions:", TabSheetTerms);  // "&&" shows as one
  termsCaption->setFont(font());
  termsCaption->setBuddy(MemoTerms);
  const int memoRow = rows->rowCount();
  rows->addWidget(termsCaption, memoRow, 0, Qt::AlignTop);
  rows->addWidget(MemoTerms, memoRow, 1);
  rows->setRowStretch(memoRow, 1);
  fields_.push_back({Rows::Main, "TERMS", "Terms & Conditions", MemoTerms, 0});

  TabSheetRetAddress = AddPage("TabSheetRetAddress", "Return Address", &rows);
  EditRetHouseNo = AddEdit(rows, "EditRetHouseNo", "House No or Name:", Rows::Return, "HOUSE_NO_NAME", kText);
  EditRetStreet = AddEdit(rows, "EditRetStreet", "Street Name:", Rows::Return, "STREET", kText);
  EditRetArea = AddEdit(rows, "EditRetArea", "Area:", Rows::Return, "AREA", kText);
  EditRetTownCity = AddEdit(rows, "EditRetTownCity", "Town or City:", Rows::Return, "TOWN_CITY", kText);
  EditRetCounty = AddEdit(rows, "EditRetCounty", "County:", Rows::Return, "COUNTY", kText);
  EditRetPostcode = AddEdit(rows, "EditRetPostcode", "Postcode:", Rows::Return, "POSTCODE", kPostcode);
  EditRetTel = AddEdit(rows, "EditRetTel", "Telephone:", Rows::Return, "TELEPHONE", kText);
  EditRetFax = AddEdit(rows, "EditRetFax", "Fax:", Rows::Return, "FAX", kText);
  EditRetEmail = AddEdit(rows, "EditRetEmail", "Email:", Rows::Return, "EMAIL", kText);
  EditRetWebsite = AddEdit(rows, "EditRetWebsite", "Web-site:", Rows::Return, "WEBSITE", kText);
  // Short pages keep their fields at the top.
  for (QWidget* page : {TabSheetAddressDetails, TabSheetAgentDetails, TabSheetRetAddress}) {
    auto* grid = static_cast<QGridLayout*>(page->layout());
    grid->setRowStretch(grid->rowCount(), 1);
  }
  AddField(pages, QString(), PageControl1);

  auto* panels = new QWidget(this);
  auto* panelRow = new QHBoxLayout(panels);
  panelRow->setContentsMargins(0, 0, 0, 0);
  panelRow->setSpacing(6);
  PanelSupAddress = AddPagePanel(panels, "PanelSupAddress", "Main Address", TabSheetAddressDetails);
  PanelSupRetAddress = AddPagePanel(panels, "PanelSupRetAddress", "Return Address", TabSheetRetAddress);
  PanelSupAgent = AddPagePanel(panels, "PanelSupAgent", "Agent", TabSheetAgentDetails);
  PanelSupTerms = AddPagePanel(panels, "PanelSupTerms", "Terms", TabSheetTerms);
  for (const auto& [panel, page] : pagePanels_) panelRow->addWidget(panel);
  AddField(pages, QString(), panels);

  const auto bind = [this](QToolButton* panel, const char* name, void (TForm1::*handler)()) {
    connect(panel, &QToolButton::clicked, this,
            [this, name, handler] { kui::Guarded(Where(name), [&] { (this->*handler)(); }); });
  };
  bind(PanelSupAddress, "PanelSupAddressClick", &TForm1::PanelSupAddressClick);
  bind(PanelSupRetAddress, "PanelSupRetAddressClick", &TForm1::PanelSupRetAddressClick);
  bind(PanelSupAgent, "PanelSupAgentClick", &TForm1::PanelSupAgentClick);
  bind(PanelSupTerms, "PanelSupTermsClick", &TForm1::PanelSupTermsClick);
  connect(EditMarkup, &QLineEdit::textChanged, this,
          [this] { kui::Guarded(Where("EditMarkupChange"), [&] { EditMarkupChange(); }); });
}

bool TForm1::eventFilter(QObject* watched, QEvent* event) {
  if (watched == EditLeadTime && event->type() == QEvent::KeyPress) {
    const QString text = static_cast<QKeyEvent*>(event)->text();
    // Keys that type nothing (arrows, Delete, Home ...) are not key presses
    // of a character and always reach the box.
    if (text.size() == 1) {
      QChar key = text.at(0);
      if (key.isPrint() || key == QChar(8) || key == QChar(13)) {
        EditLeadTimeKeyPress(key);
        if (key.isNull()) return true;
      }
    }
  }
  return TCodeListFrameForm::eventFilter(watched, event);
}

// ----- pages ---------------------------------------------------------------------------------

void TForm1::ShowPage(QWidget* page) {
  PageControl1->setCurrentWidget(page);
  for (const auto& [panel, shows] : pagePanels_) panel->setChecked(shows == page);
}

QWidget* TForm1::ShownPage() const { return PageControl1->currentWidget(); }

void TForm1::PanelSupAddressClick() { ShowPage(TabSheetAddressDetails); }
void TForm1::PanelSupRetAddressClick() { ShowPage(TabSheetRetAddress); }
void TForm1::PanelSupAgentClick() { ShowPage(TabSheetAgentDetails); }
void TForm1::PanelSupTermsClick() { ShowPage(TabSheetTerms); }

// ----- the record ----------------------------------------------------------------------------

QString TForm1::ListSQL() const { return "SELECT ID, NAME FROM PARAMETERS WHERE TYPE='SUPPLIER' ORDER BY NAME"; }

QString TForm1::TextOf(const QWidget* box) {
  if (const auto* memo = qobject_cast<const QPlainTextEdit*>(box)) return memo->toPlainText();
  return static_cast<const kui::KvEdit*>(box)->text();
}

void TForm1::ShowText(const Field& field, const QString& text) {
  if (auto* memo = qobject_cast<QPlainTextEdit*>(field.box)) {
    memo->setPlainText(text);
    return;
  }
  auto* edit = static_cast<kui::KvEdit*>(field.box);
  ShowFieldText(edit, text, field.length);
  edit->setCursorPosition(0);  // a text wider than its box shows its beginning
}

void TForm1::ClearFields() {
  addresses_.Clear();
  loadedTexts_.clear();
  loadedAllow_ = true;
  savedName_.clear();
  for (const Field& f : fields_) ShowText(f, QString());
  // A new supplier allows concession payments unless the box is cleared.
  CheckBoxAllowPayments->setChecked(true);
}

void TForm1::LoadRecord() {
  const QString id = kdb::sql::Int(CurrentID());
  kdb::Query* q = DMDB->DBQueryRemote1;
  if (!DMDB->RunQuery("SELECT NAME, RATE FROM PARAMETERS WHERE ID = " + id + " AND TYPE='SUPPLIER'", q))
    throw kdb::DbError("The supplier could not be read.");
  if (q->RecordCount() == 0) throw kdb::DbError("The supplier is no longer there.");
  ShowName(q->FieldByName("NAME").AsString());
  Baseline.Capture(*q, {"NAME", "RATE"});
  Baseline.SetCaption("NAME", "Name");
  Baseline.SetCaption("RATE", CheckBoxAllowPayments->text());
  // Ticked when the rate as a whole number is not 0.
  loadedAllow_ = static_cast<qint64>(q->FieldByName("RATE").AsFloat()) != 0;
  CheckBoxAllowPayments->setChecked(loadedAllow_);

  addresses_.Load(*q, id.toLongLong());
  static const QString kPrefix[Rows::kKinds] = {QString(), "Agent ", "Return "};
  for (const Field& f : fields_) {
    const QVariant stored = addresses_.Value(f.kind, f.column);
    ShowText(f, f.column == "MARKUP" ? TSupplierEntryClass::MarkupText(stored) : stored.toString());
    loadedTexts_.insert(f.box, TextOf(f.box));
    addresses_.SetCaption(f.kind, f.column, kPrefix[f.kind] + f.caption);
  }
}

// ----- modes -----------------------------------------------------------------------------------

void TForm1::SetFieldsEditing(bool editing) {
  for (const Field& f : fields_) {
    if (auto* memo = qobject_cast<QPlainTextEdit*>(f.box))
      memo->setReadOnly(!editing);
    else
      static_cast<kui::KvEdit*>(f.box)->setReadOnly(!editing);
  }
  CheckBoxAllowPayments->setEnabled(editing);
}

void TForm1::AfterAddStarted() { ShowPage(TabSheetAddressDetails); }

void TForm1::AfterEditStarted() { ShowPage(TabSheetAddressDetails); }

// ----- the number boxes ------------------------------------------------------------------------

void TForm1::EditMarkupChange() { FilterDecimalText(EditMarkup, kMarkupPoints); }

void TForm1::FilterDecimalText(kui::KvEdit* edit, const QString& message) {
  if (filtering_) return;
  const TSupplierEntryClass::Filtered f = TSupplierEntryClass::FilterDecimalText(edit->text(), edit->MaxLength());
  // Told before the text changes, as the point is removed after the message.
  for (int i = 0; i < f.extraPoints; ++i) DMDB->MsgBox(message, 0);  // the plain message box: not logged
  if (f.text == edit->text()) return;
  const int caret = edit->cursorPosition();
  filtering_ = true;
  edit->setText(f.text);  // also clears the box's undo
  edit->setCursorPosition(qMin(caret, static_cast<int>(f.text.size())));
  filtering_ = false;
}

void TForm1::EditLeadTimeKeyPress(QChar& key) {
  if (!TSupplierEntryClass::LeadTimeKey(key)) key = QChar();
}
