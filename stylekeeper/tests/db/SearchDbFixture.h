#pragma once
// The style editor's searches, navigation, evaluation and style sheet on
// both engines: the shop of StyleKeeperDbFixture, helpers that add colours of
// styles with the columns the searches read, and a person answering the
// dialogs of the searches (the one-field prompt, the results list, the
// advanced search, the evaluation, the print options and the preview).
#include <QComboBox>
#include <QDialog>
#include <QDir>
#include <QImage>
#include <QLabel>
#include <QMap>
#include <QPushButton>
#include <QTest>

#include <functional>

#include "AdvancedSearchForm.h"
#include "EvaluationForm.h"
#include "KvEdit.h"
#include "KvStringGrid.h"
#include "OptionsForm.h"
#include "PreviewDialog.h"
#include "SearchResultsForm.h"
#include "SimpleSearchForm.h"
#include "StyleKeeperDbFixture.h"

namespace sktest {

// A colour of a style: InsertStyle's three sizes (PLU offsets 00, 01, 02)
// with the code-list ids the reports group by, then the flag and prices given.
struct ColourRow {
  QString rootPLU, style, colour;
  QString cost = "10.00", retail = "30.00";
  bool ecom = false;
  QString category = "MENSWEAR", department = "JEANS";
};

inline void AddColour(kdb::Database& db, const ColourRow& c) {
  StyleSpec s;
  s.rootPLU = c.rootPLU;
  s.style = c.style;
  s.colour = c.colour;
  s.cost = c.cost;
  s.retail = c.retail;
  s.category = c.category;
  s.department = c.department;
  InsertStyle(db, s);
  db.Execute("UPDATE PRODUCTS SET ECOM_FLAG = " + QString(c.ecom ? "true" : "false") +
             " WHERE ROOT_PLU = " + kdb::sql::Quote(c.rootPLU));
}

// Every row gets the ids of its names, as a save writes them (departments
// under the row's own category).
inline void FillCodeListIds(kdb::Database& db) {
  const auto id = [](const char* type, const char* name, const QString& extra = {}) {
    return "(SELECT MIN(ID) FROM PARAMETERS WHERE TYPE = '" + QString(type) + "' AND NAME = PRODUCTS." + name +
           extra + ")";
  };
  db.Execute("UPDATE PRODUCTS SET CATEGORY_ID = " + id("CATEGORY", "CATEGORY_NAME") +
             ", SEASON_ID = " + id("SEASON", "SEASON_NAME") + ", BRANDLABEL_ID = " + id("BRANDLABEL", "BRANDLABEL_NAME"));
  db.Execute("UPDATE PRODUCTS SET DEPARTMENT_ID = " +
             id("DEPARTMENT", "DEPARTMENT_NAME", " AND PARENT_ID = PRODUCTS.CATEGORY_ID"));
}

class SearchDbFixture : public StyleKeeperDbFixture {
 protected:
  // ----- what the person does ---------------------------------------------------------
  QString typed;              // typed into the one-field prompt
  bool promptOK = true;       // OK or Cancel in the prompt
  int resultsRow = 1;         // chosen in the results: the row (1 = first), 0 Cancel, -1 "Clear"
  std::function<void(TFormAdvancedSearch&)> fillAdvanced;  // then OK; unset: Cancel
  std::function<void(TFormEvaluation&)> inEvaluation;      // then OK
  int printScope = TFormOptions::kAllStyles;               // -1: Cancel
  // Screenshots to take: the dialog's class name ("TFormOptions") -> the
  // picture's name; each is taken once, the next time such a dialog shows.
  QMap<QString, QString> shots;

  // ----- what the person saw ----------------------------------------------------------
  QStringList prompts;            // the prompts' texts
  QList<QStringList> resultLists;  // the root PLUs listed, each time the results opened
  int advancedShown = 0;
  int previews = 0;
  int previewPages = 0;

  void SetUp() override {
    StyleKeeperDbFixture::SetUp();
    onDialog = [this](QDialog& d) { AnswerSearchDialog(d); };
  }

  // A row of the products table's column for a PLU.
  void SetPluColumn(const QString& plu, const QString& column, const QString& value) {
    Exec("UPDATE PRODUCTS SET " + column + " = " + value + " WHERE PLU = " + kdb::sql::Quote(plu));
  }

  void Shot(QWidget* w) {
    const QString name = shots.take(w->metaObject()->className());
    if (!name.isEmpty()) kvtest::SaveScreenshot(w, name);
  }

  void AnswerSearchDialog(QDialog& d) {
    if (auto* prompt = qobject_cast<TFormSimpleSearch*>(&d)) {
      prompts << prompt->LabelFilter->text();
      QTest::keyClicks(prompt->EditFilter, typed);
      Shot(prompt);
      (promptOK ? prompt->BitBtnOK : prompt->BitBtnCancel)->click();
    } else if (auto* results = qobject_cast<TFormSearchResults*>(&d)) {
      resultLists << results->RootPLUs;
      Shot(results);
      if (resultsRow > 0) {
        results->SGridRes->SetRow(resultsRow);
        results->BitBtnOK->click();
      } else {
        (resultsRow == 0 ? results->BitBtnCancel : results->BitBtnNewSearch)->click();
      }
    } else if (auto* advanced = qobject_cast<TFormAdvancedSearch*>(&d)) {
      ++advancedShown;
      if (!fillAdvanced) {
        advanced->BitBtnCancel->click();
        return;
      }
      fillAdvanced(*advanced);
      advanced->BitBtnOK->click();
    } else if (auto* evaluation = qobject_cast<TFormEvaluation*>(&d)) {
      if (inEvaluation) inEvaluation(*evaluation);
      evaluation->BitBtn1->click();
    } else if (auto* options = qobject_cast<TFormOptions*>(&d)) {
      Shot(options);
      if (printScope < 0) {
        options->BitBtn2->click();
        return;
      }
      options->SetItemIndex(printScope);
      options->BitBtn1->click();
    } else if (auto* preview = qobject_cast<kr::PreviewDialog*>(&d)) {
      ++previews;
      previewPages = preview->PageCount();
      Shot(preview);
      d.reject();
    } else {
      d.reject();
    }
  }

  // Chooses an item of the evaluation's list as a person does.
  static void Choose(TFormEvaluation& e, int item) {
    e.ComboBox1->setCurrentIndex(item);
    emit e.ComboBox1->activated(item);
  }

  // The grid's rows as texts joined by "|".
  static QStringList GridRows(const kui::KvStringGrid& g) {
    QStringList rows;
    for (int r = 0; r < g.RowCount(); ++r) rows << g.RowTexts(r).join('|');
    return rows;
  }

  // Takes a table away, so that the programs' next statement on it fails.
  void DropTable(const QString& name) { Exec("DROP TABLE " + name); }
};

}  // namespace sktest
