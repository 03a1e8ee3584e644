#include "Pricecalcform.h"

#include <QEvent>
#include <QFocusEvent>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include "DataModF.h"
#include "Format.h"
#include "KuiColour.h"
#include "KvFocusColour.h"
#include "KvKeys.h"
#include "StyleKeeperControls.h"

namespace {

// A text as a 32-bit float; nothing when it is no number.
std::optional<float> ReadFloat(const QString& text) {
  const std::optional<double> v = kos::TextToFloat(text);
  if (!v) return std::nullopt;
  return static_cast<float>(*v);
}

QLineEdit* MakeBox(QWidget* parent, const char* name) {
  auto* e = new QLineEdit(parent);
  e->setObjectName(name);
  e->setMaxLength(TFormPriceCalc::kMaxLength);
  e->setFixedWidth(120);
  return e;
}

}  // namespace

TFormPriceCalc::TFormPriceCalc(QWidget* owner) : kui::KvDialog(owner, Border::Fixed) {
  setObjectName("FormPriceCalc");
  setWindowTitle("Price Calculator");
  QPalette pal = palette();
  pal.setColor(QPalette::Window, kui::BgrColour(kColour));
  setPalette(pal);
  setAutoFillBackground(true);

  EditCostPrice = MakeBox(this, "EditCostPrice");
  EditVATRate = MakeBox(this, "EditVATRate");
  EditRetailMarkup = MakeBox(this, "EditRetailMarkup");
  EditRetailPrice = MakeBox(this, "EditRetailPrice");
  EditSalePrice = MakeBox(this, "EditSalePrice");
  EditWSMarkup = MakeBox(this, "EditWSMarkup");
  EditWSPrice = MakeBox(this, "EditWSPrice");
  for (QLineEdit* fixed : {EditCostPrice, EditVATRate}) {
    fixed->setReadOnly(true);
    fixed->setProperty("kvNoFocusColour", true);
  }

  auto* grid = new QGridLayout;
  const std::pair<const char*, QLineEdit*> rows[] = {
      {"Cost Price:", EditCostPrice},       {"VAT % Rate:", EditVATRate},
      {"Retail Markup:", EditRetailMarkup}, {"Retail Price(inc VAT):", EditRetailPrice},
      {"Sale Price (inc VAT):", EditSalePrice}, {"Wholesale Markup:", EditWSMarkup},
      {"Wholesale Price:", EditWSPrice}};
  int row = 0;
  for (const auto& [caption, box] : rows) {
    grid->addWidget(new QLabel(caption, this), row, 0);
    grid->addWidget(box, row++, 1);
  }
  BitBtnOK = new QPushButton("OK", this);
  BitBtnOK->setObjectName("BitBtnOK");
  BitBtnCancel = new QPushButton("Cancel", this);
  BitBtnCancel->setObjectName("BitBtnCancel");
  auto* buttons = new QHBoxLayout;
  buttons->addStretch(1);
  for (QPushButton* b : {BitBtnOK, BitBtnCancel}) {
    // Enter belongs to the boxes; only a click closes the calculator.
    b->setAutoDefault(false);
    buttons->addWidget(b);
  }
  auto* layout = new QVBoxLayout(this);
  layout->addLayout(grid);
  layout->addLayout(buttons);
  setFixedSize(sizeHint());

  connect(BitBtnOK, &QPushButton::clicked, this, [this] { SetModalResult(mrOk); });
  connect(BitBtnCancel, &QPushButton::clicked, this, [this] { SetModalResult(mrCancel); });
  for (QLineEdit* box : {EditRetailMarkup, EditRetailPrice, EditSalePrice, EditWSMarkup, EditWSPrice}) {
    box->installEventFilter(this);
    connect(box, &QLineEdit::textChanged, this, [this, box] { BoxChanged(box); });
  }
  new kui::KvFocusColour(this, kui::KvFocusColour::kGrey);
}

bool TFormPriceCalc::Execute() {
  PrepareValues();
  return KvDialog::Execute();
}

void TFormPriceCalc::PrepareValues() {
  EditCostPrice->setReadOnly(true);
  EditVATRate->setReadOnly(true);
  EditRetailMarkup->setFocus();
  SetBox(EditRetailMarkup, MarkupFromPrice(EditRetailPrice->text()));
  SetBox(EditWSMarkup, MarkupFromPrice(EditWSPrice->text()));
}

float TFormPriceCalc::Cost() const { return ReadFloat(EditCostPrice->text()).value_or(0.0f); }

QString TFormPriceCalc::PriceFromMarkup(const QString& markup) const {
  const std::optional<float> cost = ReadFloat(EditCostPrice->text());
  const std::optional<float> m = ReadFloat(markup);
  const float price = cost && m ? *cost * *m : 0.0f;
  return kos::FormatFloat("0.00", static_cast<double>(price));
}

QString TFormPriceCalc::MarkupFromPrice(const QString& price) const {
  const float cost = Cost();
  const std::optional<float> p = ReadFloat(price);
  const float markup = cost != 0.0f && p ? *p / cost : 0.0f;
  return kos::FormatFloat("0.000", static_cast<double>(markup));
}

QString TFormPriceCalc::RoundInput(const QString& text) {
  const std::optional<double> v = kos::TextToFloat(text);
  // Out of the range of money counts as no number.
  const bool inRange = v && std::abs(*v) < 9.0e14;
  return kos::FormatFloat("0.00", inRange ? Currency::FromDouble(*v) : Currency());
}

bool TFormPriceCalc::KeyPasses(const QString& boxText, QChar key) {
  if (key == QChar('\b') || key == QChar('\r') || key == QChar(22)) return true;
  if (key == QChar('.')) return !boxText.contains('.');
  return key >= QChar('0') && key <= QChar('9');
}

void TFormPriceCalc::SetBox(QLineEdit* box, const QString& text) {
  settingByCode_ = true;
  skui::SetTextWhole(box, text);
  settingByCode_ = false;
}

void TFormPriceCalc::BoxChanged(QLineEdit* box) {
  if (settingByCode_ || focusWidget() != box) return;
  if (box == EditRetailMarkup) SetBox(EditRetailPrice, PriceFromMarkup(box->text()));
  else if (box == EditRetailPrice) SetBox(EditRetailMarkup, MarkupFromPrice(box->text()));
  else if (box == EditWSMarkup) SetBox(EditWSPrice, PriceFromMarkup(box->text()));
  else if (box == EditWSPrice) SetBox(EditWSMarkup, MarkupFromPrice(box->text()));
}

void TFormPriceCalc::BoxExit(QLineEdit* box) {
  // A box left as the calculator filled it changes nothing: clicking OK
  // straight away must not turn a mark-up of 3.000 on a cost of 33.33 into a
  // retail price of 99.99.
  if (!box->isModified()) return;
  SetBox(box, RoundInput(box->text()));
  if (box == EditRetailMarkup) SetBox(EditRetailPrice, PriceFromMarkup(box->text()));
  else if (box == EditRetailPrice) SetBox(EditRetailMarkup, MarkupFromPrice(box->text()));
  else if (box == EditWSMarkup) SetBox(EditWSPrice, PriceFromMarkup(box->text()));
  else if (box == EditWSPrice) SetBox(EditWSMarkup, MarkupFromPrice(box->text()));
}

bool TFormPriceCalc::eventFilter(QObject* watched, QEvent* event) {
  auto* box = qobject_cast<QLineEdit*>(watched);
  if (!box) return false;
  if (event->type() == QEvent::KeyPress) {
    const auto* key = static_cast<QKeyEvent*>(event);
    if (key->matches(QKeySequence::Paste)) return false;
    const QString text = key->text();
    // The editing keys (Delete, which X11 sends with the character 0x7F,
    // among them) move and edit as usual; Tab moves on and Esc cancels
    // before any box sees them.
    if (text.isEmpty() || kui::IsEditingKey(*key) || key->key() == Qt::Key_Escape || key->key() == Qt::Key_Tab ||
        key->key() == Qt::Key_Backtab)
      return false;
    return !KeyPasses(box->text(), text.at(0));
  }
  if (event->type() == QEvent::FocusOut) {
    const auto reason = static_cast<QFocusEvent*>(event)->reason();
    if (reason != Qt::ActiveWindowFocusReason && reason != Qt::PopupFocusReason) {
      try {
        BoxExit(box);
      } catch (const std::exception& e) {
        if (DMDB) DMDB->LogException(e, "TFormPriceCalc::BoxExit");
      }
    }
  }
  return false;
}
