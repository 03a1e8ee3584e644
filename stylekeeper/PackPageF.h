#pragma once
// The wholesale pack page: the style's pack code and a quantity per PLU in
// a colour-by-size grid.
#include <QHash>
#include <QString>

#include "FormPartF.h"
#include "WSPackClass.h"

class QLabel;
class QLineEdit;
class QToolButton;
class TColourSizeViewClass;

namespace kui {
class KvStringGrid;
}

class TPackPage : public TFormPart {
  Q_OBJECT
 public:
  explicit TPackPage(TForm1& form);

  // "Package": the pack of the style on screen.
  void Open();
  // The pack code, the grid laid out for the style, its quantities and totals.
  void LoadPack();
  void LoadPackLines();
  // "Apply": the pack and the lines of its changed and missing PLUs, all or
  // none.
  void Apply();

  QLabel* PanelPackStyle = nullptr;
  QLineEdit* EditPackCode = nullptr;
  kui::KvStringGrid* SGridPack = nullptr;
  QToolButton* SpButPackApply = nullptr;

 private:
  TColourSizeViewClass& View() const;

  // What the page loaded: the lines and the text of each PLU's cell.
  struct Loaded {
    TWSPackClass::Lines lines;
    QHash<QString, QString> texts;
  };
  Loaded loaded_;
};
