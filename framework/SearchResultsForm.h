#pragma once
// The search results dialog of the style editor: the rows of a style search in
// a grid, one root PLU chosen from them, and the kept list the editor's
// navigation buttons step through between searches.
//
//   FormSearchResults = new TFormSearchResults(mainWindow);   // once, for the run
//   FormSearchResults->LoadResults(*DMDB->DBQueryRemote1);   // after a search ran
//   if (FormSearchResults->Execute()) Open(FormSearchResults->CurrentRootPLU);
//   if (FormSearchResults->HasResults())
//     Open(FormSearchResults->Navigate(TFormSearchResults::navNext));
//
// LoadResults reads the columns ROOT_PLU, SUPPLIER_NAME, STYLE, STYLE_REF,
// DESCRIPTION, COLOUR_NAME, SEASON_NAME, CATEGORY_NAME, DEPARTMENT_NAME,
// SUBDEPARTMENT_NAME, BRANDLABEL_NAME, SIZESSCALE_NAME, VAT_RATE,
// CURRENT_COST_PRICE and RETAIL_PRICE of the query's rows; a missing column
// throws kdb::DbError.
#include <QString>
#include <QStringList>

#include "KvDialog.h"

class QLabel;
class QPainter;
class QPushButton;
class QRect;

namespace kdb {
class DataSet;
}
namespace kui {
class KvStringGrid;
class KvWaitIndicator;
struct KvGridDrawState;
}  // namespace kui

class TFormSearchResults : public kui::KvDialog {
  Q_OBJECT
 public:
  explicit TFormSearchResults(QWidget* parent = nullptr);
  ~TFormSearchResults() override;

  // Directions of Navigate.
  enum { navFirst = 0, navLast = 1, navPrior = 2, navNext = 3 };

  QLabel* PanelTitle = nullptr;
  kui::KvStringGrid* SGridRes = nullptr;
  QLabel* PanelFound = nullptr;
  QPushButton* BitBtnOK = nullptr;
  QPushButton* BitBtnCancel = nullptr;
  QPushButton* BitBtnNewSearch = nullptr;

  QStringList RootPLUs;   // the found root PLUs in grid order
  int CurrentIndex = 0;   // into RootPLUs: the chosen or navigated-to result
  QString CurrentRootPLU;

  // The wait window LoadResults reports its progress in; nullptr: a wait
  // window of its own. Either is closed when LoadResults ends.
  kui::KvWaitIndicator* WaitIndicator = nullptr;

  void SetupGrid();
  void ClearResults();
  void SetFound(const QString& text);
  // Fills the grid from the query's rows, from the first on.
  void LoadResults(kdb::DataSet& query);
  bool HasResults() const;
  // Moves in the kept list and returns the root PLU moved to. Only with results.
  QString Navigate(int direction);

  void FormShow();
  void SGridResDblClick();
  void SGridResDrawCell(QPainter& p, int col, int row, const QRect& rect,
                        const kui::KvGridDrawState& state);
  void BitBtnOKClick();
  void BitBtnNewSearchClick();

  static constexpr int kColumns = 15;
  static constexpr quint32 kFormColour = 0xC6FFFF;
  static constexpr quint32 kOddRowColour = 0xFFFFFF;
  static constexpr quint32 kEvenRowColour = 0xE9E9E9;
  static constexpr quint32 kHeaderColour = 0x292929;
  static constexpr quint32 kSelectedColour = 0x00FFFF;

 protected:
  void showEvent(QShowEvent* event) override;

 private:
  QWidget* BuildTitle();
  QWidget* BuildBottom();
  void BuildGrid();
};

// The dialog the style editor keeps for its whole run.
extern TFormSearchResults* FormSearchResults;
