#pragma once
// The style picker of the stock reports: the user searches the styles (by a
// part of the style code, or through the advanced search), ticks some and
// presses OK; the report then runs over the ticked styles in list order.
//
//   // StyleStockList: one picker for the whole run, so list and ticks stay
//   new TFormStylesList(&mainForm);                       // sets FormStylesList
//   if (FormStylesList->ExecuteResult() == kui::KvDialog::mrOk)
//     FormStylesList->GetSelectedStyles(styles);
//
//   // BrokenSizeReport: a picker per run; OK closes without a check
//   TFormStylesList picker(window, TFormStylesList::TUse::Broken);
//   if (picker.Execute()) picker.GetSelectedStyles(styles);   // OK and a tick
//
// The two uses differ only in what OK does and in their component names (the
// broken-styles report knows the edit as EditSearch, the search button as
// SpButSearch, the list as CheckListBoxStyle, "De-Select All" as SpSelectNone);
// the widgets carry the names of their use as object names.
//
// Searches never tell "nothing found" for a query that failed: the user is
// told that the styles could not be read, and the list stays as it was.
#include <QString>
#include <QStringList>

#include "KvDialog.h"

class QLabel;
class QPushButton;

namespace kdb {
class Query;
}
namespace kui {
class KvCheckListBox;
class KvEdit;
}  // namespace kui

class TFormStylesList : public kui::KvDialog {
  Q_OBJECT
 public:
  enum class TUse {
    Listing,  // StyleStockList: OK needs at least one ticked style
    Broken,   // BrokenSizeReport: OK closes at once; Execute answers whether a style was ticked
  };

  explicit TFormStylesList(QWidget* parent = nullptr, TUse use = TUse::Listing);
  ~TFormStylesList() override;

  TUse Use() const { return use_; }

  // ----- components -------------------------------------------------------------
  QLabel* PanelTitle = nullptr;
  kui::KvEdit* Edit1 = nullptr;                  // EditSearch
  QPushButton* SpeedButton1 = nullptr;           // "Search" (SpButSearch)
  QPushButton* ButtonAdvancedSearch = nullptr;
  kui::KvCheckListBox* ChListBoxStyles = nullptr;  // CheckListBoxStyle
  QLabel* LabelFound = nullptr;
  QLabel* PanelFound = nullptr;
  QPushButton* SpButSelectAll = nullptr;
  QPushButton* SpButSelectNone = nullptr;        // SpSelectNone
  QPushButton* BitBtnOK = nullptr;
  QPushButton* BitBtnCancel = nullptr;

  // The statement of the last search.
  QString SQLText;

  // ----- handlers -------------------------------------------------------------------
  void FormShow();
  // Enter (13) runs the search.
  void Edit1KeyPress(QChar key);
  void SpeedButton1Click();
  void ButtonAdvancedSearchClick();
  // Every row's STYLE into the list, unticked, in query order.
  void FillFromQuery(kdb::Query* query);
  void SpButSelectAllClick();
  void SpButSelectNoneClick();
  void BitBtnOKClick();
  void BitBtnCancelClick();

  int CountChecked() const;
  // The ticked styles, in list order, into `styles` (emptied first).
  void GetSelectedStyles(QStringList& styles) const;
  // Shows the picker modally: true when it closed with OK and at least one
  // style is ticked.
  bool Execute();

  static constexpr quint32 kFormColour = 0xC6FFFF;
  static constexpr quint32 kFoundColour = 0x00FFFF;
  static constexpr int kStyleLength = 50;  // PRODUCTS.STYLE
  static constexpr const char* kNoStyles = "Unable to find any styles!";
  static constexpr const char* kNoStylesAdvanced = "Unable to find any Styles!";
  static constexpr const char* kSelectOne = "Please select at least one style.";
  static constexpr const char* kSearchFailed = "The styles could not be read:\n\n";

 protected:
  void showEvent(QShowEvent* event) override;

 private:
  // Runs a search statement and fills the list; `none` is the message for no rows.
  void RunSearch(const QString& sql, const QString& none);
  QString Where(const char* method) const;

  TUse use_;
};

// The picker StyleStockList keeps for its whole run.
extern TFormStylesList* FormStylesList;
