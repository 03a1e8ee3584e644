#pragma once
// The size scales editor's main window: the scales (SIZESSCALE) in the list,
// the chosen scale's name, number of sizes and default mark, and its sizes
// (SIZES) in offset order. A new scale gets its sizes; a saved one keeps
// their number and order and may only have its name and their names changed,
// which its save carries into the copies in PRODUCTS.
//
// The members are spread over two files:
//   SizeRangesForm.cpp      the fields, loading a scale, the modes, the size buttons
//   SizeRangesFormSave.cpp  the checks, the save, the renames, the printed list
#include "CodeListFrameForm.h"
#include "SizeListClass.h"

#include <vector>

class QComboBox;
class QFontMetrics;

class TForm1 : public TCodeListFrameForm {
  Q_OBJECT
 public:
  explicit TForm1(QWidget* parent = nullptr);
  ~TForm1() override;

  static constexpr const char* kTitle = "Size Scales";
  static constexpr const char* kPrintTitle = "Size Ranges";
  static constexpr const char* kNo = "No";
  static constexpr const char* kYes = "Yes";
  static constexpr int kSizeColumns = 6;
  static constexpr int kSizeItemHeight = 18;
  static constexpr int kPrintedSizes = 20;

  // ----- components ----------------------------------------------------------------
  QListWidget* ListBoxScales = nullptr;  // the frame's ListBoxParam
  QLabel* PanelCounter = nullptr;
  QComboBox* ComboBoxDefault = nullptr;
  kui::KvEdit* EditSizeName = nullptr;
  QToolButton* SpButAddSize = nullptr;
  QToolButton* SpButEditSize = nullptr;
  QToolButton* SpButDeleteSize = nullptr;
  QListWidget* ListBoxSizes = nullptr;  // the item's index is the size's offset

  // ----- handlers ----------------------------------------------------------------------
  void ListBoxScalesClick() { ListBoxParamClick(); }
  void ListBoxScalesDrawItem(QPainter& p, const QStyleOptionViewItem& option, int index) {
    ListBoxParamDrawItem(ListBoxScales, p, option, index);
  }
  void ListBoxSizesClick();
  void SpButAddSizeClick();
  void SpButEditSizeClick();
  void SpButDeleteSizeClick();
  // Enter clicks "Add" while it shows; the key is always swallowed (set to 0).
  void EditSizeNameKeyPress(QChar& key);

  // ----- routines ------------------------------------------------------------------------
  // The name checks before a save; false (the user told) stops it.
  bool ValidateScale();
  int IndexOfScaleName(const QString& name) const { return IndexOfName(name); }
  // The width of a column of ListBoxSizes: room for the longest size name
  // in the widest capitals.
  static int SizeColumnWidth(const QFontMetrics& metrics);
  const TSizeListClass& Sizes() const { return sizes_; }

 protected:
  QString ListSQL() const override;
  QString RecordTable() const override { return "SIZESSCALE"; }
  void ClearFields() override;
  void LoadRecord() override;
  void SetFieldsEditing(bool editing) override;
  void AfterAddStarted() override;
  void AfterEditStarted() override;
  QString SelectRecordMessage() const override { return "Please select a Size Scale."; }
  bool ValidateRecord() override { return ValidateScale(); }
  bool NameTaken(const QString& name) override;
  QString NameTakenMessage() const override { return "There is already a Sizes Scale with the same name!"; }
  qint64 d_WriteRecord(kdb::Database& db) override;
  void d_RenameProducts(kdb::Database& db, qint64 id) override;
  QString SaveFailedMessage() const override { return "Error: The Size Scale has not been saved."; }
  bool FillPrintGrid() override;
  std::unique_ptr<TQuickReport1> CreatePrintForm() override;
  QString PrintTitle() const override { return kPrintTitle; }

  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  // A size as the scale was loaded: the row and the name it had.
  struct LoadedSize {
    qint64 id;
    QString name;
  };

  void BuildFields();
  // The sizes into ListBoxSizes with one selected (-1: none), and their count.
  void ShowSizes(int selected);
  void ShowSizeButtons(bool add, bool edit, bool del);
  void WriteNewSizes(qint64 scaleId);
  void WriteRenamedSizes();
  bool DefaultChosen() const;

  TSizeListClass sizes_;
  std::vector<LoadedSize> loaded_;
  bool loadedDefault_ = false;
  QString savedName_;  // the name the save left in the row
  bool renamed_ = false;  // the save gave the scale another name
};
