#include "FormPartF.h"

#include <QAbstractButton>
#include <QStackedWidget>
#include <QVBoxLayout>

#include "KvFocusColour.h"
#include "StyleKeeperControls.h"
#include "StyleKeeperForm.h"

TFormPart::TFormPart(TForm1& form) : QObject(&form), Form(form) {}

TFormPart::TFormPart(TForm1& form, const char* sheetName, const QString& title) : TFormPart(form) {
  Sheet = skui::AddSheet(form.PageCtrlSF, sheetName, title);
  new kui::KvFocusColour(Sheet, TForm1::kFocusColour);
}

void TFormPart::ShowSheet() {
  if (Sheet) Form.PageCtrlSF->setCurrentWidget(Sheet);
}

QVBoxLayout* TFormPart::SheetLayout() const { return static_cast<QVBoxLayout*>(Sheet->layout()); }

void TFormPart::OnClick(QAbstractButton* button, const char* where, std::function<void()> handler) {
  connect(button, &QAbstractButton::clicked, this,
          [this, where, handler = std::move(handler)] { Form.Guard(where, handler); });
}
