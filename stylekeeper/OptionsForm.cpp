#include "OptionsForm.h"

#include <QButtonGroup>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

#include "MessageFrame.h"

TFormOptions::TFormOptions(QWidget* owner)
    : TFormPanelDialog(owner, Border::Fixed, {kClientWidth, kClientHeight}, "Options:") {
  setObjectName("FormOptions");
  setWindowTitle("Print Options:");

  RadioGroup1 = new QGroupBox(" Print Options: ", this);
  RadioGroup1->setObjectName("RadioGroup1");
  RadioGroup1->setFont(kvVerdana(15));
  RadioAllStyles = new QRadioButton("All Styles", RadioGroup1);
  RadioAllStyles->setObjectName("RadioAllStyles");
  RadioThisStyle = new QRadioButton("Only this Style", RadioGroup1);
  RadioThisStyle->setObjectName("RadioThisStyle");
  items_ = new QButtonGroup(this);
  items_->addButton(RadioAllStyles, kAllStyles);
  items_->addButton(RadioThisStyle, kOnlyThisStyle);
  auto* radios = new QVBoxLayout(RadioGroup1);
  radios->addWidget(RadioAllStyles);
  radios->addWidget(RadioThisStyle);
  SetItemIndex(kAllStyles);

  BitBtn1 = AddCloseButton("BitBtn1", "OK", mrOk);
  BitBtn1->setDefault(true);
  BitBtn2 = AddCloseButton("BitBtn2", "Cancel", mrCancel);
  auto* buttons = new QHBoxLayout;
  buttons->addWidget(BitBtn1);
  buttons->addWidget(BitBtn2);
  Body()->addWidget(RadioGroup1, 1);
  Body()->addLayout(buttons);
}

int TFormOptions::ItemIndex() const { return items_->checkedId(); }

void TFormOptions::SetItemIndex(int index) {
  if (QAbstractButton* b = items_->button(index)) b->setChecked(true);
}
