#pragma once
// The product search results dialog of the report programs: asks for search
// criteria with the advanced search dialog, lists the matching styles (one row
// per style, in style order) and lets the user choose one.
//
//   kvrep::TFormSearchResults dlg(nullptr);   // one search, freed afterwards
//   if (dlg.Execute()) OpenStyle(dlg.GetSelected(1));   // column 1: the style
//
// Execute is false when the criteria are cancelled, when nothing matches
// ("No matching styles found."), when the search fails (the user is told why)
// and when the results are closed with Cancel.
//
// The style editor has a search results dialog of the same class name in the
// framework; this one lives in namespace kvrep so the two never meet.
#include <QString>

#include "KvDialog.h"

class QLabel;
class QPainter;
class QPushButton;

namespace kui {
class KvStringGrid;
}

namespace kvrep {

class TFormSearchResults : public kui::KvDialog {
  Q_OBJECT
 public:
  explicit TFormSearchResults(QWidget* parent = nullptr);
  ~TFormSearchResults() override;

  static constexpr int kColumns = 11;
  static constexpr quint32 kFormColour = 0xC6FFFF;
  static constexpr quint32 kFixedColour = 0xE2FBFC;
  static constexpr int kDefaultColWidth = 80;
  static constexpr int kFontPixels = 11;

  QLabel* PanelTop = nullptr;
  kui::KvStringGrid* SGrid = nullptr;
  QPushButton* BitBtnOK = nullptr;
  QPushButton* BitBtnCancel = nullptr;

  // The statement of the last criteria ("" until criteria were given).
  QString SQLText;

  // Criteria, search, results; true when a row was chosen with OK.
  bool Execute();
  // Two rows, the headers and widths, the current cell on row 1.
  void ResetGrid();
  // The advanced search dialog; true when it gave a statement to run.
  bool AskCriteria();
  // Runs the statement and fills the grid; false when nothing was found or
  // the search failed (both told to the user).
  bool RunQuery();
  // The rows of the query just run, into the grid.
  void FillGrid();
  void FormShow();
  // The text of a column in the grid's current row.
  QString GetSelected(int col) const;

  // The statement for the conditions of the advanced search dialog (" and
  // ..." each, or ""): one row per style, with the values of its first
  // products row, in style order. Products without a style cannot be opened
  // and are left out.
  static QString SearchSQL(const QString& conditions);

 protected:
  void showEvent(QShowEvent* event) override;

 private:
  void BuildGrid();
  QWidget* BuildButtons();
};

}  // namespace kvrep
