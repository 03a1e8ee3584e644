// TForm1: the size scale's fields, loading a scale, the modes and the size buttons.
#include "SizeRangesForm.h"

#include <QComboBox>
#include <QFrame>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QListWidget>
#include <QSignalBlocker>
#include <QToolButton>

#include "DataModF.h"
#include "KuiGuard.h"
#include "KvEdit.h"

namespace {

constexpr int kSizeListWidth = 6 * 80;
// Enough rows that six columns hold the 99 sizes a scale may have.
constexpr int kSizeRows = 17;

QToolButton* SizeButton(QWidget* parent, const char* name, const QString& caption) {
  auto* b = new QToolButton(parent);
  b->setObjectName(name);
  b->setText(caption);
  b->setFocusPolicy(Qt::NoFocus);
  b->setMinimumSize(88, 34);
  b->setCursor(Qt::PointingHandCursor);
  return b;
}

}  // namespace

TForm1::TForm1(QWidget* parent) : TCodeListFrameForm(Keeping::Caption, parent) {
  SetTitle(kTitle);
  SetListCaption(kTitle);
  ListBoxScales = ListBoxParam;
  BuildFields();
  // The frame cleared its own part before these fields existed.
  ClearRecord();
  SetViewMode();
}

TForm1::~TForm1() = default;

void TForm1::BuildFields() {
  QFrame* scale = AddShape();
  AddField(scale, "Name:", EditName);
  PanelCounter = new QLabel(this);
  PanelCounter->setObjectName("PanelCounter");
  PanelCounter->setFixedWidth(80);
  PanelCounter->setFont(font());
  PanelCounter->setAlignment(Qt::AlignCenter);
  PanelCounter->setStyleSheet("QLabel { background: white; border: 1px solid #a0a0a0; padding: 2px; }");
  AddField(scale, "No of Sizes:", PanelCounter);
  ComboBoxDefault = new QComboBox(this);
  ComboBoxDefault->setObjectName("ComboBoxDefault");
  ComboBoxDefault->setFixedWidth(120);
  ComboBoxDefault->setProperty("kvNoFocusColour", true);
  AddField(scale, "Default:", ComboBoxDefault);

  QFrame* sizes = AddShape();
  EditSizeName = new kui::KvEdit(this);
  EditSizeName->setObjectName("EditSizeName");
  EditSizeName->SetCharCase(kui::KvEdit::CharCase::Upper);
  EditSizeName->SetMaxLength(TSizeListClass::kNameLength);
  EditSizeName->setFixedWidth(120);
  EditSizeName->installEventFilter(this);
  AddField(sizes, "Size Name:", EditSizeName);
  auto* buttons = new QWidget(this);
  auto* row = new QHBoxLayout(buttons);
  row->setContentsMargins(0, 0, 0, 0);
  SpButAddSize = SizeButton(buttons, "SpButAddSize", "Add");
  SpButEditSize = SizeButton(buttons, "SpButEditSize", "Edit");
  SpButDeleteSize = SizeButton(buttons, "SpButDeleteSize", "Delete");
  for (QToolButton* b : {SpButAddSize, SpButEditSize, SpButDeleteSize}) row->addWidget(b);
  row->addStretch();
  AddField(sizes, QString(), buttons);
  ListBoxSizes = new QListWidget(this);
  ListBoxSizes->setObjectName("ListBoxSizes");
  // Six columns, filled top to bottom, as a multi-column list box shows them.
  ListBoxSizes->setFlow(QListView::TopToBottom);
  ListBoxSizes->setWrapping(true);
  ListBoxSizes->setResizeMode(QListView::Adjust);
  ListBoxSizes->setGridSize({kSizeListWidth / kSizeColumns, kSizeItemHeight});
  ListBoxSizes->setUniformItemSizes(true);
  ListBoxSizes->setFixedSize(kSizeListWidth + 4, kSizeRows * kSizeItemHeight + 4);
  ListBoxSizes->setFont(EditName->font());
  ColourOnFocus(ListBoxSizes);
  AddField(sizes, QString(), ListBoxSizes);

  const auto bind = [this](auto* sender, auto signal, const char* name, void (TForm1::*handler)()) {
    connect(sender, signal, this, [this, name, handler] { kui::Guarded(Where(name), [&] { (this->*handler)(); }); });
  };
  // A size chosen by mouse or by the arrow keys alike.
  bind(ListBoxSizes, &QListWidget::itemClicked, "ListBoxSizesClick", &TForm1::ListBoxSizesClick);
  bind(ListBoxSizes, &QListWidget::currentRowChanged, "ListBoxSizesClick", &TForm1::ListBoxSizesClick);
  bind(SpButAddSize, &QToolButton::clicked, "SpButAddSizeClick", &TForm1::SpButAddSizeClick);
  bind(SpButEditSize, &QToolButton::clicked, "SpButEditSizeClick", &TForm1::SpButEditSizeClick);
  bind(SpButDeleteSize, &QToolButton::clicked, "SpButDeleteSizeClick", &TForm1::SpButDeleteSizeClick);
}

bool TForm1::eventFilter(QObject* watched, QEvent* event) {
  if (watched == EditSizeName && event->type() == QEvent::KeyPress) {
    const auto* key = static_cast<QKeyEvent*>(event);
    if (key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter) {
      QChar ch('\r');
      EditSizeNameKeyPress(ch);
      if (ch.isNull()) return true;
    }
  }
  return TCodeListFrameForm::eventFilter(watched, event);
}

// ----- the record -------------------------------------------------------------------------

QString TForm1::ListSQL() const { return "SELECT ID, NAME FROM SIZESSCALE ORDER BY NAME"; }

void TForm1::ClearFields() {
  ShowSizeButtons(false, false, false);
  sizes_.Clear();
  loaded_.clear();
  loadedDefault_ = false;
  ListBoxSizes->clear();
  PanelCounter->setText("0");
  EditSizeName->clear();
  ComboBoxDefault->clear();
  ComboBoxDefault->addItems({kNo, kYes});
  ComboBoxDefault->setCurrentIndex(0);
}

void TForm1::LoadRecord() {
  const QString id = kdb::sql::Int(CurrentID());
  kdb::Query* q = DMDB->DBQueryRemote1;
  if (!DMDB->RunQuery("SELECT NAME, COUNTER, DEFAULT_ID FROM SIZESSCALE WHERE ID=" + id, q))
    throw kdb::DbError("The size scale could not be read.");
  if (q->RecordCount() == 0) throw kdb::DbError("The size scale is no longer there.");
  ShowName(q->FieldByName("NAME").AsString());
  Baseline.Set("NAME", q->FieldByName("NAME").Value());
  Baseline.SetCaption("NAME", "Name");
  PanelCounter->setText(q->FieldByName("COUNTER").AsString());
  Baseline.Set("COUNTER", q->FieldByName("COUNTER").Value());
  Baseline.SetCaption("COUNTER", "No of Sizes");
  loadedDefault_ = q->FieldByName("DEFAULT_ID").AsString() == CurrentID();
  ComboBoxDefault->setCurrentIndex(loadedDefault_ ? 1 : 0);

  if (!DMDB->RunQuery("SELECT ID, NAME, \"offset\" FROM SIZES WHERE SIZESSCALE_ID=" + id + " ORDER BY \"offset\"", q))
    throw kdb::DbError("The sizes of the size scale could not be read.");
  QStringList names;
  for (q->First(); !q->Eof(); q->Next()) {
    loaded_.push_back({q->FieldByName("ID").AsInteger(), q->FieldByName("NAME").AsString()});
    names << loaded_.back().name;
  }
  sizes_.Load(names);
  ShowSizes(-1);
}

void TForm1::ShowSizes(int selected) {
  const QSignalBlocker quiet(ListBoxSizes);
  ListBoxSizes->clear();
  ListBoxSizes->addItems(sizes_.Names());
  ListBoxSizes->setCurrentRow(selected);
  if (selected < 0) ListBoxSizes->clearSelection();
  PanelCounter->setText(QString::number(sizes_.Count()));
}

void TForm1::ShowSizeButtons(bool add, bool edit, bool del) {
  SpButAddSize->setVisible(add);
  SpButEditSize->setVisible(edit);
  SpButDeleteSize->setVisible(del);
}

// ----- modes -------------------------------------------------------------------------------

void TForm1::SetFieldsEditing(bool editing) {
  EditSizeName->setReadOnly(!editing);
  ComboBoxDefault->setEnabled(editing);
  if (!editing) ShowSizeButtons(false, false, false);
}

void TForm1::AfterAddStarted() {
  sizes_.StartNew();
  ShowSizeButtons(true, true, true);
}

void TForm1::AfterEditStarted() {
  // A saved scale keeps its number and order of sizes: only renames.
  ShowSizeButtons(false, true, false);
  EditSizeName->setText(sizes_.Name(0));
  ListBoxSizes->setCurrentRow(-1);
  ListBoxSizes->clearSelection();
}

// ----- the size buttons ---------------------------------------------------------------------

void TForm1::ListBoxSizesClick() {
  // While the very first scale is added the scale list has no selection.
  if (ListBoxScales->currentRow() < 0 || ListBoxSizes->currentRow() < 0) return;
  EditSizeName->setText(ListBoxSizes->currentItem()->text());
  EditSizeName->selectAll();
}

namespace {

// The message of a refused size change, "" when there is nothing to say.
QString SizeRefusal(TSizeListClass::Result r) {
  switch (r) {
    case TSizeListClass::Result::EmptyName: return "Please enter a size name!";
    case TSizeListClass::Result::NoSize: return "Please select a size!";
    case TSizeListClass::Result::TooLong:
      return QString("A size name can have at most %1 characters.").arg(TSizeListClass::kNameLength);
    default: return {};
  }
}

}  // namespace

void TForm1::SpButAddSizeClick() {
  const TSizeListClass::Result r = sizes_.Add(EditSizeName->text());
  if (r != TSizeListClass::Result::Done) {
    if (const QString message = SizeRefusal(r); !message.isEmpty()) {
      Refuse(message, EditSizeName);
      EditSizeName->selectAll();
    }
    return;
  }
  ShowSizes(sizes_.Count() - 1);
  ListBoxSizesClick();
  SpButAddSize->setVisible(sizes_.CanAdd());
}

void TForm1::SpButEditSizeClick() {
  const int offset = ListBoxSizes->currentRow();
  const TSizeListClass::Result r = sizes_.Rename(offset, EditSizeName->text());
  if (r != TSizeListClass::Result::Done) {
    if (const QString message = SizeRefusal(r); !message.isEmpty()) {
      Refuse(message, EditSizeName);
      EditSizeName->selectAll();
    }
    return;
  }
  ShowSizes(offset);
  ListBoxSizesClick();
}

void TForm1::SpButDeleteSizeClick() {
  const int offset = ListBoxSizes->currentRow();
  const TSizeListClass::Result r = sizes_.Remove(offset);
  if (r != TSizeListClass::Result::Done) {
    if (const QString message = SizeRefusal(r); !message.isEmpty()) Refuse(message);
    return;
  }
  ShowSizes(TSizeListClass::SelectionAfterRemove(offset));
  ListBoxSizes->setFocus();
  SpButAddSize->setVisible(sizes_.CanAdd());
}

void TForm1::EditSizeNameKeyPress(QChar& key) {
  if (key != QChar('\r')) return;
  if (SpButAddSize->isVisible()) SpButAddSizeClick();
  key = QChar();
}
