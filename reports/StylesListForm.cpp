#include "StylesListForm.h"

#include "AdvancedSearchForm.h"
#include "DataModF.h"
#include "KvBusyGuard.h"
#include "KvCheckListBox.h"
#include "KvColour.h"
#include "KvEdit.h"
#include "KvFocusColour.h"
#include "KuiGuard.h"
#include "Kvutilsclass.h"
#include "MessageFrame.h"

#include <QApplication>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

TFormStylesList* FormStylesList = nullptr;

namespace {

constexpr int kWidth = 560;
constexpr int kHeight = 660;
constexpr int kTitleHeight = 56;

QPushButton* Button(QWidget* parent, const QString& caption, const char* name) {
  auto* b = new QPushButton(caption, parent);
  b->setObjectName(name);
  b->setFont(kvVerdana(13));
  b->setMinimumHeight(32);
  // Enter belongs to the search box: no button presses itself on it.
  b->setAutoDefault(false);
  b->setDefault(false);
  return b;
}

}  // namespace

TFormStylesList::TFormStylesList(QWidget* parent, TUse use) : kui::KvDialog(parent, Border::Fixed), use_(use) {
  const bool broken = use == TUse::Broken;
  setObjectName("FormStylesList");
  setWindowTitle("Styles List:");
  setFixedSize(kWidth, kHeight);
  kui::PaintBackground(this, kvColour(kFormColour));

  auto* title = new QWidget(this);
  title->setObjectName("PanelTop");
  title->setFixedHeight(kTitleHeight);
  kui::PaintBackground(title, Qt::white);
  PanelTitle = new QLabel("Styles List", title);
  PanelTitle->setObjectName("PanelTitle");
  PanelTitle->setFont(kvVerdana(24, true));
  auto* titleRow = new QHBoxLayout(title);
  titleRow->setContentsMargins(16, 0, 16, 0);
  titleRow->addWidget(PanelTitle);

  Edit1 = new kui::KvEdit(this);
  Edit1->setObjectName(broken ? "EditSearch" : "Edit1");
  Edit1->SetCharCase(kui::KvEdit::CharCase::Upper);
  Edit1->SetMaxLength(kStyleLength);
  Edit1->setFont(kvVerdana(27));
  connect(Edit1, &QLineEdit::returnPressed, this, [this] { Edit1KeyPress(QChar(13)); });
  SpeedButton1 = Button(this, "Search", broken ? "SpButSearch" : "SpeedButton1");
  ButtonAdvancedSearch = Button(this, "Advanced Search", "ButtonAdvancedSearch");
  connect(SpeedButton1, &QPushButton::clicked, this, [this] { SpeedButton1Click(); });
  connect(ButtonAdvancedSearch, &QPushButton::clicked, this, [this] { ButtonAdvancedSearchClick(); });
  auto* search = new QHBoxLayout;
  search->addWidget(Edit1, 1);
  search->addWidget(SpeedButton1);

  ChListBoxStyles = new kui::KvCheckListBox(this);
  ChListBoxStyles->setObjectName(broken ? "CheckListBoxStyle" : "ChListBoxStyles");
  ChListBoxStyles->setFont(kvVerdana(19));
  ChListBoxStyles->setUniformItemSizes(true);

  LabelFound = new QLabel("Found:", this);
  LabelFound->setFont(kvVerdana(13, true));
  PanelFound = new QLabel("0", this);
  PanelFound->setObjectName("PanelFound");
  PanelFound->setFont(kvVerdana(13, true));
  PanelFound->setAlignment(Qt::AlignCenter);
  PanelFound->setMinimumWidth(90);
  PanelFound->setFrameShape(QFrame::Panel);
  kui::PaintBackground(PanelFound, kvColour(kFoundColour));
  SpButSelectAll = Button(this, "Select All", "SpButSelectAll");
  SpButSelectNone = Button(this, "De-Select All", broken ? "SpSelectNone" : "SpButSelectNone");
  connect(SpButSelectAll, &QPushButton::clicked, this, [this] { SpButSelectAllClick(); });
  connect(SpButSelectNone, &QPushButton::clicked, this, [this] { SpButSelectNoneClick(); });
  auto* found = new QHBoxLayout;
  found->addWidget(LabelFound);
  found->addWidget(PanelFound);
  found->addStretch();
  found->addWidget(SpButSelectAll);
  found->addWidget(SpButSelectNone);

  BitBtnOK = Button(this, "OK", "BitBtnOK");
  BitBtnCancel = Button(this, "Cancel", "BitBtnCancel");
  for (QPushButton* b : {BitBtnOK, BitBtnCancel}) b->setMinimumWidth(110);
  connect(BitBtnOK, &QPushButton::clicked, this, [this] { BitBtnOKClick(); });
  connect(BitBtnCancel, &QPushButton::clicked, this, [this] { BitBtnCancelClick(); });
  auto* buttons = new QHBoxLayout;
  buttons->addStretch();
  buttons->addWidget(BitBtnOK);
  buttons->addWidget(BitBtnCancel);

  auto* body = new QVBoxLayout;
  body->setContentsMargins(16, 12, 16, 16);
  body->setSpacing(10);
  body->addLayout(search);
  body->addWidget(ButtonAdvancedSearch, 0, Qt::AlignLeft);
  body->addWidget(ChListBoxStyles, 1);
  body->addLayout(found);
  body->addLayout(buttons);
  auto* column = new QVBoxLayout(this);
  column->setContentsMargins(0, 0, 0, 0);
  column->setSpacing(0);
  column->addWidget(title);
  column->addLayout(body, 1);

  new kui::KvFocusColour(this, kui::KvFocusColour::kEditors);
  if (use_ == TUse::Listing) FormStylesList = this;
}

TFormStylesList::~TFormStylesList() {
  if (FormStylesList == this) FormStylesList = nullptr;
}

QString TFormStylesList::Where(const char* method) const {
  return QString("TFormStylesList::") + QString::fromLatin1(method);
}

void TFormStylesList::showEvent(QShowEvent* event) {
  kui::KvDialog::showEvent(event);
  FormShow();
}

void TFormStylesList::FormShow() { Edit1->setFocus(Qt::OtherFocusReason); }

void TFormStylesList::Edit1KeyPress(QChar key) {
  if (key == QChar(13)) SpeedButton1Click();
}

void TFormStylesList::SpeedButton1Click() {
  kui::Guarded(Where("SpeedButton1Click"), [&] {
    RunSearch("SELECT STYLE FROM PRODUCTS WHERE STYLE LIKE " +
                  kdb::sql::Like("%" + kdb::sql::LikeEscape(Edit1->text(), kdb::sql::Wildcards::Keep) + "%") +
                  " GROUP BY STYLE ORDER BY STYLE",
              kNoStyles);
  });
}

void TFormStylesList::ButtonAdvancedSearchClick() {
  kui::Guarded(Where("ButtonAdvancedSearchClick"), [&] {
    TFormAdvancedSearch search(QApplication::activeWindow());
    if (!search.Execute()) return;
    // Ordered, so the list reads the same on every engine.
    RunSearch("select style from products" + search.GetWhereClause() + " group by style order by style",
              kNoStylesAdvanced);
  });
}

void TFormStylesList::RunSearch(const QString& sql, const QString& none) {
  SQLText = sql;
  kdb::Query* query = DMDB->DBQueryRemote1;
  bool read = false;
  bool found = false;
  {
    kui::KvBusyGuard busy(this, "Please wait...");
    read = DMDB->RunQuery(SQLText, query);
    if (read) {
      ChListBoxStyles->ClearItems();
      PanelFound->setText("0");
      found = !query->IsEmpty();
      if (found) FillFromQuery(query);
      query->Close();
    }
  }
  // A failed search is not "nothing found": the list keeps what it showed.
  if (!read)
    DMDB->ShowMessage(kSearchFailed + DMDB->LastError);
  else if (!found)
    DMDB->ShowMessage(none);
}

void TFormStylesList::FillFromQuery(kdb::Query* query) {
  ChListBoxStyles->ClearItems();
  setEnabled(false);
  QStringList styles;
  styles.reserve(query->RecordCount());
  kdb::Field& style = query->FieldByName("STYLE");
  for (query->First(); !query->Eof(); query->Next())
    if (!style.IsNull()) styles << style.AsString();  // a product without a style cannot be reported
  ChListBoxStyles->SetItems(styles);
  PanelFound->setText(QString::number(styles.size()));
  setEnabled(true);
}

void TFormStylesList::SpButSelectAllClick() { TKVUtilsClass::CheckAllItems(ChListBoxStyles, true); }

void TFormStylesList::SpButSelectNoneClick() { TKVUtilsClass::CheckAllItems(ChListBoxStyles, false); }

void TFormStylesList::BitBtnOKClick() {
  if (use_ == TUse::Listing && CountChecked() == 0) {
    DMDB->ShowMessage(kSelectOne);
    return;
  }
  SetModalResult(mrOk);
}

void TFormStylesList::BitBtnCancelClick() { SetModalResult(mrCancel); }

int TFormStylesList::CountChecked() const { return ChListBoxStyles->CheckedCount(); }

void TFormStylesList::GetSelectedStyles(QStringList& styles) const { styles = ChListBoxStyles->CheckedItems(); }

bool TFormStylesList::Execute() { return ExecuteResult() == mrOk && CountChecked() > 0; }
