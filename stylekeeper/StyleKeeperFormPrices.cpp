// TForm1: the cost, retail and wholesale boxes, the margin panel and the
// price calculator.
//
// A price box may hold text that is no number (a lone "." while typing, or
// an empty box): every calculation reads such a box as 0 instead of failing.
#include "StyleKeeperForm.h"

#include <QLabel>
#include <QLineEdit>

#include "ControlEventsClass.h"
#include "DataModF.h"
#include "Format.h"
#include "KvEdit.h"
#include "Pricecalcform.h"
#include "StyleKeeperControls.h"

namespace {

// A price box's value for a calculation: text that is no number counts 0.
double PriceValue(const QString& text) { return kos::TextToFloat(text).value_or(0.0); }

}  // namespace

void TForm1::ConnectPriceHandlers() {
  OnChange(EditCostPrice, "TForm1::EditCostPriceChange", &TForm1::EditCostPriceChange);
  OnChange(EditRetailPrice, "TForm1::EditRetailPriceChange", &TForm1::EditRetailPriceChange);
  OnChange(EditWSPrice, "TForm1::EditWSPriceChange", &TForm1::EditWSPriceChange);
  // One exit step serves the three boxes.
  for (QLineEdit* box : {static_cast<QLineEdit*>(EditCostPrice), static_cast<QLineEdit*>(EditRetailPrice),
                         static_cast<QLineEdit*>(EditWSPrice)})
    TControlEventsClass::Of(box).OnExit = [this] { Guard("TForm1::EditCostPriceExit", [this] { EditCostPriceExit(); }); };
  // After the move has settled: the calculator is a modal window of its own.
  TControlEventsClass::Of(EditRetailPrice).OnEnter = [this] {
    QMetaObject::invokeMethod(
        this, [this] { Guard("TForm1::EditRetailPriceEnter", [this] { EditRetailPriceEnter(); }); },
        Qt::QueuedConnection);
  };
}

void TForm1::EditCostPriceChange() {
  FilterPriceText(EditCostPrice, "Cost Price value can only have one decimal point!");
  PricesTouched = true;
}

void TForm1::EditRetailPriceChange() {
  FilterPriceText(EditRetailPrice, "Retail Price value can only have one decimal point!");
  PricesTouched = true;
}

void TForm1::EditWSPriceChange() {
  FilterPriceText(EditWSPrice, "Wholesale price can only have one decimal point!");
  PricesTouched = true;
}

void TForm1::FilterPriceText(QLineEdit* box, const QString& message) {
  const QString text = box->text();
  if (box->maxLength() > 0 && text.size() > box->maxLength()) return;
  QString cleaned;
  bool point = false;
  for (const QChar c : text) {
    if (c >= QChar('0') && c <= QChar('9')) {
      cleaned += c;
    } else if (c == QChar('.') && !point) {
      point = true;
      cleaned += c;
    } else if (c == QChar('.')) {
      DMDB->MsgBox(message, 0);
    }
  }
  if (cleaned == text) return;
  const int caret = box->cursorPosition();
  // setText also clears the box's undo buffer.
  box->setText(cleaned);
  box->setCursorPosition(std::min(caret, static_cast<int>(cleaned.size())));
}

void TForm1::EditCostPriceExit() {
  for (QLineEdit* box : {static_cast<QLineEdit*>(EditCostPrice), static_cast<QLineEdit*>(EditRetailPrice)})
    skui::SetTextWhole(box, kos::FormatFloat("0.00", PriceValue(box->text())));
  CalcMarkup();
}

void TForm1::EditRetailPriceEnter() {
  if (EditRetailPrice->isReadOnly()) return;
  mCalcPrice();
  CalcMarkup();
}

QString TForm1::MarginPercent(Currency price, Currency cost) {
  if (price.Raw() == 0) return QStringLiteral("0.00");
  const qint64 q = (price - cost).Raw() * 10000 / price.Raw();  // cut toward zero
  return kos::FormatFloat("0.00", Currency::FromRaw(q * 100));
}

QString TForm1::MarkupText(const QString& cost, const QString& retail, const QString& wholesale,
                           const QString& vatRate) {
  const std::optional<double> c = kos::TextToFloat(cost), r = kos::TextToFloat(retail),
                              w = kos::TextToFloat(wholesale), v = kos::TextToFloat(vatRate);
  if (!c || !r || !w || !v) return QStringLiteral("0.00");
  const double netRetail = *r / (*v * 0.01 + 1);
  if (!std::isfinite(netRetail)) return QStringLiteral("0.00");
  const Currency costMoney = Currency::FromDouble(*c);
  return "(" + MarginPercent(Currency::FromDouble(*w), costMoney) + ") " +
         MarginPercent(Currency::FromDouble(netRetail), costMoney);
}

void TForm1::CalcMarkup() {
  PanelMarkup->setText(
      MarkupText(EditCostPrice->text(), EditRetailPrice->text(), EditWSPrice->text(), PanelVATRate->text()));
}

void TForm1::mCalcPrice() {
  if (!DMDB->Setup->SFPriceCalc) return;
  try {
    TFormPriceCalc calc(this);
    skui::SetTextWhole(calc.EditCostPrice, EditCostPrice->text());
    skui::SetTextWhole(calc.EditVATRate, PanelVATRate->text());
    skui::SetTextWhole(calc.EditRetailPrice, EditRetailPrice->text());
    skui::SetTextWhole(calc.EditWSPrice, EditWSPrice->text());
    skui::SetTextWhole(calc.EditSalePrice, kos::FormatFloat("0.00", SalePrice));
    if (calc.Execute()) {
      skui::SetTextWhole(EditRetailPrice, calc.EditRetailPrice->text());
      skui::SetTextWhole(EditWSPrice, calc.EditWSPrice->text());
      SalePrice = DMDB->TextToCurrency(calc.EditSalePrice->text());
    }
  } catch (const std::exception& e) {
    DMDB->LogException(e, "TForm1::mCalcPrice");
  }
}
