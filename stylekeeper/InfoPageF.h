#pragma once
// The info page: the style and colour shown, its creation date and age, and
// the buttons to the comments, charges and options pages and to the history
// and web-copy programs.
#include "FormPartF.h"

class QLabel;
class QLineEdit;
class QToolButton;

class TInfoPage : public TFormPart {
  Q_OBJECT
 public:
  explicit TInfoPage(TForm1& form);

  // "Info": shows the page for the style on screen.
  void Open();

  QLabel* PanelInfoStyle = nullptr;
  QLineEdit* EditProdColour = nullptr;
  QLineEdit* EditProdAge = nullptr;
  QLineEdit* EditProdCreated = nullptr;
  QToolButton* SpButInfoComments = nullptr;
  QToolButton* SpButInfoCharges = nullptr;
  QToolButton* SpButInfoMoreDetail = nullptr;
  QToolButton* SpButInfoHist = nullptr;
  QToolButton* SpButInfoContent = nullptr;
};
