// The info page: layout, "Info" and the TForm1 entry point of it. The age
// shown here is worked out when a style is loaded (StyleKeeperFormLoad.cpp).
#include "InfoPageF.h"

#include <QComboBox>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QToolButton>
#include <QVBoxLayout>

#include "DataModF.h"
#include "KvEdit.h"
#include "PickList.h"
#include "StyleKeeperControls.h"
#include "StyleKeeperForm.h"

void TForm1::SpButStyleInfoClick() { InfoPage->Open(); }

TInfoPage::TInfoPage(TForm1& form) : TFormPart(form, "TabShInfo", "Info") {
  QVBoxLayout* layout = SheetLayout();
  PanelInfoStyle = skui::MakePanel(Sheet, "PanelInfoStyle", QString());
  layout->addWidget(PanelInfoStyle);
  auto* grid = new QGridLayout;
  EditProdColour = skui::MakeReadOnly(Sheet, "EditProdColour");
  EditProdCreated = skui::MakeReadOnly(Sheet, "EditProdCreated");
  EditProdAge = skui::MakeReadOnly(Sheet, "EditProdAge");
  grid->addWidget(skui::MakeLabel(Sheet, nullptr, "Colour:"), 0, 0);
  grid->addWidget(EditProdColour, 0, 1);
  grid->addWidget(skui::MakeLabel(Sheet, nullptr, "Created:"), 1, 0);
  grid->addWidget(EditProdCreated, 1, 1);
  grid->addWidget(skui::MakeLabel(Sheet, nullptr, "Age:"), 2, 0);
  grid->addWidget(EditProdAge, 2, 1);
  grid->setColumnStretch(2, 1);
  layout->addLayout(grid);
  auto* buttons = new QHBoxLayout;
  SpButInfoComments = skui::MakeButton(Sheet, "SpButInfoComments", "Comments", 110);
  SpButInfoCharges = skui::MakeButton(Sheet, "SpButInfoCharges", "Charges", 110);
  SpButInfoMoreDetail = skui::MakeButton(Sheet, "SpButInfoMoreDetail", "More Detail", 110);
  SpButInfoHist = skui::MakeButton(Sheet, "SpButInfoHist", "View History", 110);
  SpButInfoContent = skui::MakeButton(Sheet, "SpButInfoContent", "Web Copy", 110);
  for (QToolButton* b :
       {SpButInfoComments, SpButInfoCharges, SpButInfoMoreDetail, SpButInfoHist, SpButInfoContent})
    buttons->addWidget(b);
  buttons->addStretch(1);
  layout->addLayout(buttons);
  layout->addStretch(1);
  // Each button opens its page (made on first use) or starts its program.
  OnClick(SpButInfoComments, "TForm1::SpButInfoCommentsClick", [&form] { form.SpButInfoCommentsClick(); });
  OnClick(SpButInfoCharges, "TForm1::SpButInfoChargesClick", [&form] { form.SpButInfoChargesClick(); });
  OnClick(SpButInfoMoreDetail, "TForm1::SpButInfoMoreDetailClick", [&form] { form.SpButInfoMoreDetailClick(); });
  OnClick(SpButInfoHist, "TForm1::SpButInfoHistClick", [&form] { form.SpButInfoHistClick(); });
  OnClick(SpButInfoContent, "TForm1::SpButInfoContentClick", [&form] { form.SpButInfoContentClick(); });
}

void TInfoPage::Open() {
  PanelInfoStyle->setText(Form.EditSupplierStyle->text());
  EditProdColour->setText(kui::SelectedPickName(Form.ComboBoxColours));
  ShowSheet();
  // The single-user edition keeps no charges or options and starts no
  // outside programs: only the comments remain.
  if (DMDB->Setup->LocalMode)
    skui::SetVisible({SpButInfoMoreDetail, SpButInfoCharges, SpButInfoHist, SpButInfoContent}, false);
}
