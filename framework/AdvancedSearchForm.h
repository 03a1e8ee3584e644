#pragma once
// The advanced search dialog: twelve descriptive fields of a style, turned
// into a condition over the PRODUCTS name columns that the caller appends to
// its own SELECT.
//
//   TFormAdvancedSearch dlg(parent);                       // style editor, listings
//   if (dlg.Execute()) sql = "select ... from products" + dlg.GetWhereClause() + ...;
//
//   TFormAdvancedSearch dlg(parent, TFormAdvancedSearch::TUse::History);
//   dlg.SetWhereStarted(true);   // the caller's statement has its own WHERE: " and ..."
//
//   TFormAdvancedSearch dlg(parent, TFormAdvancedSearch::TUse::Valuation);
//   cond = dlg.GetWhereClause();  // " and col like '%X%' escape '\'" per field, fields kept
//
// The typed texts become SQL literals through kdb::sql::Like, so a quote or a
// backslash in a field is searched for like any other character, on both
// engines alike. "%" and "_" keep their LIKE meaning. LIKE is case-sensitive;
// the fields type capitals.
#include <QString>

#include <array>

#include "KvDialog.h"

class QLabel;
class QPushButton;

namespace kui {
class KvEdit;
}

class TFormAdvancedSearch : public kui::KvDialog {
  Q_OBJECT
 public:
  // The programs use the dialog in three ways.
  enum class TUse {
    Standard,   // " where " before the first condition, " and " between; yellow focus
    History,    // as Standard, with the grey focus colour of the history enquiry
    Valuation,  // " and " before every condition, matching anywhere; fields kept
  };

  explicit TFormAdvancedSearch(QWidget* parent = nullptr, TUse use = TUse::Standard);
  ~TFormAdvancedSearch() override;

  TUse Use() const { return use_; }

  QLabel* PanelTitle = nullptr;
  kui::KvEdit* EditSupplier = nullptr;
  kui::KvEdit* EditSupplierStyle = nullptr;
  kui::KvEdit* EditStyleRef = nullptr;
  kui::KvEdit* EditDescription = nullptr;
  kui::KvEdit* EditColour = nullptr;
  kui::KvEdit* EditSeason = nullptr;
  kui::KvEdit* EditCategory = nullptr;
  kui::KvEdit* EditDepartment = nullptr;
  kui::KvEdit* EditSubDepartment = nullptr;
  kui::KvEdit* EditBrandLabel = nullptr;
  kui::KvEdit* EditSizesScale = nullptr;
  kui::KvEdit* EditRootPLU = nullptr;
  QPushButton* BitBtnOK = nullptr;
  QPushButton* BitBtnCancel = nullptr;

  // True once a condition was written: the next one is joined with " and ".
  bool WhereStarted = false;

  // Resets the join and (except in the valuation use) empties the fields.
  void FormShow();
  // " where " the first time, " and " afterwards.
  QString NextJoin();
  // The condition of the filled fields, "" when all are empty.
  QString GetWhereClause();
  void SetWhereStarted(bool started) { WhereStarted = started; }

  static constexpr int kClientWidth = 707;
  static constexpr int kClientHeight = 469;
  static constexpr quint32 kFormColour = 0xC6FFFF;

 protected:
  void showEvent(QShowEvent* event) override;

 private:
  struct Field {
    kui::KvEdit* edit;
    const char* column;
    bool matchAnywhere;  // root PLU: the text may stand anywhere in the column
  };
  static constexpr int kFields = 12;

  TUse use_;
  std::array<Field, kFields> fields_{};

  QWidget* BuildTitle();
  QWidget* BuildFields();
  kui::KvEdit* AddField(int index, const char* name, const char* label, const char* column,
                        bool matchAnywhere);
  QString Condition(const Field& f);
};

// The dialog of programs that keep one for their whole run.
extern TFormAdvancedSearch* FormAdvancedSearch;
