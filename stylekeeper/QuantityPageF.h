#pragma once
// The four quantity pages of the style editor: "Stock", "Min Stock", "Max
// Stock" and "Barcodes". Each shows one branch's quantities of the style on
// screen, one BRANCHSTOCK column, in a colour-by-size grid; one class serves
// the four, told apart by their Kind.
//
// Stock, Min Stock and Max Stock have modes (the caption of their mode
// panel): View (read-only; Add and Edit shown), Add (the typed figures add
// to the stored ones on Apply) and Edit (they replace them). Barcodes has no
// modes: its grid is always open for typing and Apply always replaces.
//
// The ratio fill ("Use Ratio"), the copy and paste of a colour row (the
// pop-up menu of every quantity grid) and the "Ratio" button of the style
// page belong here too.
#include <QHash>
#include <QString>

#include "BranchStockClass.h"
#include "FormPartF.h"

class QCheckBox;
class QComboBox;
class QLabel;
class QMenu;
class QToolButton;
class TColourSizeViewClass;

namespace kui {
class KvStringGrid;
}

class TQuantityPage : public TFormPart {
  Q_OBJECT
 public:
  enum class Kind { Stock, MinStock, MaxStock, Barcodes };

  TQuantityPage(TForm1& form, Kind kind);

  const Kind PageKind;
  // The BRANCHSTOCK column the page shows and writes.
  QString Column() const;
  bool HasModes() const { return PageKind != Kind::Barcodes; }
  // The mode panel's word; "" on the Barcodes page.
  QString Mode() const;
  // Whether the grid takes typing (Add and Edit; always on Barcodes once
  // loaded).
  bool Editable() const;
  TColourSizeViewClass& View() const;

  // Controls, named as the window knows them (StringGridStock,
  // ComboBoxStockBranches, PanelStockAction, ButtonAddStock ...). The
  // Barcodes page has no mode panel and no Add, Edit or Cancel.
  kui::KvStringGrid* Grid = nullptr;
  QComboBox* BranchCombo = nullptr;
  QLabel* StylePanel = nullptr;
  QLabel* ModePanel = nullptr;
  QToolButton* ButtonAdd = nullptr;
  QToolButton* ButtonUseRatio = nullptr;
  QToolButton* ButtonEdit = nullptr;
  QToolButton* ButtonCancel = nullptr;
  QToolButton* ButtonApply = nullptr;
  // The stock page's own controls (nullptr on the other three).
  QToolButton* SpButStockUseRatio = nullptr;  // its ButtonUseRatio
  QCheckBox* CheckBoxMinStock = nullptr;
  QCheckBox* CheckBoxMaxStock = nullptr;
  QCheckBox* CheckBoxCreateBarcodes = nullptr;
  // "Copy Colour", "Paste Colour", "Paste to All Colours": made by the stock
  // page, shared by the four grids.
  QMenu* PPMenuStock = nullptr;

  // The page's handlers (TForm1's entry points call them).
  void Open();          // the tab button: the branches, then the figures
  void BranchSelect();  // the figures of the chosen branch, in View
  void Add();
  void Edit();
  void Cancel();
  void Apply();
  void UseRatio();

  // The figures as loaded (or last written), by PLU: what Edit compares
  // with before it replaces a stored figure.
  QHash<QString, QString> Loaded;
  // Takes the grid's size cells as the loaded figures.
  void CaptureLoaded();

  // The text a grid's current cell holds once `key` is typed into it.
  static QString TypedText(const kui::KvStringGrid& grid, QChar key);
  // Apply of a branch grid: every size cell written for the combo's branch
  // in one transaction (TBranchStockClass::WriteGrid), behind the busy
  // guard showing waitText (the window stays enabled). A failure is logged as `where` and told as "<what> not
  // saved." ("The stock was") with its reason; false then, and nothing was written.
  static bool WriteBranchGrid(TColourSizeViewClass& view, QComboBox* combo,
                              const QHash<QString, QString>& loaded, const TBranchStockClass::CellAssigns& assigns,
                              const QString& figure, const QString& what, const char* where,
                              const QString& waitText);

 private:
  bool ready_ = false;  // the grid holds the figures of a branch
  bool keepEnabled_ = false;  // Reload: the busy guards leave the window enabled
  // The page read again after its Apply (see the .cpp).
  void Reload();
  // The window the busy guards of Open and BranchSelect disable.
  QWidget* GuardWindow();
  void BuildControls();
  void BuildStockMenu();
  void ShowMode(const QString& word);
  void SetEditable(bool on);
  // Ready for typing at the first size of the first colour.
  void FocusFirstCell();
};
