#pragma once
// A stock report's real window on the test catalogue (StockTestCatalogue.h),
// on both engines, started as its program starts it; dialogs are answered by
// the test (the checklist, the advanced search), previews are counted, and
// messages and message boxes recorded (kvfwtest::ModalAnswers).
#include "StockTestCatalogue.h"

#include "FormReportF.h"
#include "KVFormUtilSelectChListF.h"
#include "KvCheckListBox.h"
#include "KvStringGrid.h"
#include "PickList.h"
#include "PreviewDialog.h"
#include "StockGroupByClass.h"
#include "StockListingClass.h"

#include <QApplication>
#include <QComboBox>
#include <QDir>
#include <QPushButton>
#include <QToolButton>

#include <functional>
#include <memory>

namespace stocktest {

// A listing's run as its window lists it: one statement for the checked
// values, then the grand totals.
inline std::vector<QStringList> ListedRun(kdb::Database& db, TStockListingClass& listing, const QString& sql) {
  kdb::Query q(&db);
  q.SQL = sql;
  q.ExecSQL();
  std::vector<QStringList> rows;
  listing.ListRun(q, [&](const QStringList& r) { rows.push_back(r); });
  rows.push_back(listing.GrandTotalsRow());
  return rows;
}

// The same run made value by value, in the order given, each value's rows
// read by `record` from the statement `sqlOf` gives for its id.
inline std::vector<QStringList> ListedByValue(kdb::Database& db, TStockListingClass& listing, const QStringList& ids,
                                              const std::function<QString(const QString& id)>& sqlOf,
                                              const std::function<QStringList(kdb::DataSet&)>& record) {
  std::vector<QStringList> rows;
  listing.BeginRun();
  for (const QString& id : ids) {
    kdb::Query q(&db);
    q.SQL = sqlOf(id);
    q.ExecSQL();
    if (q.RecordCount() == 0) continue;
    listing.BeginGroup();
    for (q.First(); !q.Eof(); q.Next()) rows.push_back(record(q));
    rows.push_back(listing.GroupTotalsRow());
    rows.push_back({});
  }
  rows.push_back(listing.GrandTotalsRow());
  return rows;
}

// Every other value of a list (the 2nd, 4th ...): a run with gaps.
inline QStringList EveryOther(const QStringList& ids) {
  QStringList out;
  for (int i = 1; i < ids.size(); i += 2) out << ids[i];
  return out;
}

// Every Group By choice at each branch given ("" for all), with every value
// checked and with every other one: the run's one statement against the
// straightforward statement (`reference`, per value id) made value by value,
// whose records `referenceRow` turns into rows.
inline void ExpectRunsAsTheReference(
    kdb::Database& db, TStockListingClass& listing, const QStringList& branches,
    const std::function<QString(const TGroupChoice&, const QString& id, const QString& branch)>& reference,
    const std::function<QStringList(kdb::DataSet&)>& referenceRow) {
  for (const TGroupChoice& g : TStockGroupByClass::ListingChoices())
    for (const QString& branch : branches) {
      const QStringList all = kvtest::Column(db, g.ValuesSQL);
      for (const QStringList& ids : {all, EveryOther(all)}) {
        const QString cond = branch.isEmpty() ? QString() : " and branch_id = " + branch;
        const auto mine = ListedRun(db, listing, listing.RunStatement(g, ids, ids == all, cond));
        const auto ref = ListedByValue(
            db, listing, ids, [&](const QString& id) { return reference(g, id, branch); }, referenceRow);
        EXPECT_EQ(mine, ref) << g.Caption.toStdString() << " branch " << branch.toStdString() << " of "
                             << ids.size();
        // Values with stock, not only empty runs.
        if (ids == all) {
          EXPECT_GE(mine.size(), 4u) << g.Caption.toStdString();
        }
      }
    }
}

template <class Form>
class StockReportTest : public kvfwtest::EditionDbTest {
 protected:
  std::unique_ptr<Form> form;
  std::function<void(QDialog&)> dialogAnswer;  // every dialog but messages and previews
  int previews = 0;
  bool terminated = false;

  // The program's window on the catalogue (or on `fill`), shown.
  Form& Start(const QString& program, const kvfwtest::DataChange& fill = ShopWithStock()) {
    PrepareDatabase(fill);
    HandOverUser(GetParam());
    dm = Module(program);
    form = std::make_unique<Form>();
    form->OnTerminate = [this] { terminated = true; };
    form->resize(1500, 800);
    form->show();
    QApplication::processEvents();
    return *form;
  }
  void TearDown() override {
    form.reset();
    EditionDbTest::TearDown();
  }
  void OtherDialog(QDialog& d) override {
    if (qobject_cast<kr::PreviewDialog*>(&d)) {
      ++previews;
      d.reject();
    } else if (dialogAnswer) {
      dialogAnswer(d);
    } else {
      d.reject();
    }
  }

  // The checklist answered: the values of these names checked, then OK (or Cancel).
  void AnswerChecklist(const QStringList& names, bool ok = true, QStringList* offered = nullptr) {
    dialogAnswer = [=](QDialog& d) {
      auto* list = qobject_cast<TKVFormUtilSelectChList*>(&d);
      if (!list) return d.accept();  // a message
      if (offered) *offered = list->ChListM->Items();
      for (int i = 0; i < list->ChListM->Count(); ++i)
        if (names.contains(TKVFormUtilSelectChList::ItemName(list->ChListM->Item(i))))
          list->ChListM->SetChecked(i, true);
      (ok ? list->BitBtnOK : list->BitBtnCancel)->click();
    };
  }

  // A run that worked, then one whose stock table is gone: the user is told
  // once, the last run's rows are no report of this one, the window works on.
  void ExpectAFailedRunIsTold(const QString& program, const QString& value) {
    Form& f = Start(program);
    AnswerChecklist({value});
    f.SpButView->click();
    ASSERT_TRUE(f.ReportShown());
    Exec("DROP TABLE BRANCHSTOCK");
    f.SpButView->click();
    ASSERT_EQ(messages.size(), 1);
    EXPECT_TRUE(messages[0].startsWith("The report could not be run:")) << messages[0].toStdString();
    EXPECT_FALSE(f.ReportShown()) << "the last run's rows are no report of this one";
    EXPECT_TRUE(f.isEnabled());
  }

  // The grid's rows as texts.
  std::vector<QStringList> Grid() const {
    return GridRows(*form->SGridRep, 0, form->SGridRep->RowCount() - 1);
  }

  // The print's pages: the first one as a picture in the screens folder, and
  // the text of all of them as the PDF file holds it.
  QString PrintOut(TGridReportForm& print, const QString& name) {
    const QString dir = qEnvironmentVariable("KV_SCREENS_DIR");
    if (!dir.isEmpty()) {
      QDir().mkpath(dir);
      EXPECT_TRUE(print.QuickRep1.RenderPageImage(0, 110).save(dir + "/" + name + ".png"));
    }
    const QString pdf = kvtest::FreshFolder("print") + name + ".pdf";
    EXPECT_TRUE(print.QuickRep1.ExportToPdf(pdf));
    return kvtest::PdfText(pdf);
  }

  // The export through the save dialog into a fresh file; its bytes.
  QByteArray Export() {
    fileChoice = kvtest::FreshFolder("export") + "stock";
    form->SpButExport->click();
    return kvtest::ReadAll(fileChoice + ".csv");
  }
};

}  // namespace stocktest
