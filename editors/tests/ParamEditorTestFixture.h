#pragma once
// The database tests of the parameter-list editors (departments, brand
// names, categories): the frame's fixture, the multi-add dialog answered
// with the text the test sets, and products that carry an entry's id and a
// copy of its name.
//
//   class MyTest : public edtest::ParamEditorDbTest<TForm1> {};
//   TEST_P(MyTest, X) { Prepare("brandnames", edtest::ProductsOf("BRANDLABEL", "TESSARIN", "BRANDLABEL", "0000020")); ... }
#include "CodeListTestFixture.h"

#include <QPlainTextEdit>
#include <QPushButton>
#include <QToolButton>

#include <memory>
#include <vector>

#include "CodeListPrintForm.h"
#include "FormParamMultiAddF.h"

namespace edtest {

inline QString ParamId(kdb::Database& db, const QString& type, const QString& name) {
  return kvtest::Column(db, "SELECT ID FROM PARAMETERS WHERE TYPE = " + kdb::sql::Quote(type) +
                                " AND NAME = " + kdb::sql::Quote(name))
      .value(0);
}

// Products (PLUs root + "00", "01" ...) of one parameter row: its id in
// <column>_ID and a copy of its name in <column>_NAME.
inline kvfwtest::DataChange ProductsOf(const QString& type, const QString& name, const QString& column,
                                       const QString& root, int count = 2) {
  return [=](kdb::Database& db) {
    const QString id = ParamId(db, type, name);
    for (int i = 0; i < count; ++i)
      db.Execute("INSERT INTO PRODUCTS (ROOT_PLU, PLU, " + column + "_ID, " + column + "_NAME) VALUES (" +
                 kdb::sql::Quote(root.left(8)) + ", " + kdb::sql::Quote(root + QString::number(i).rightJustified(2, '0')) +
                 ", " + id + ", " + kdb::sql::Quote(name) + ")");
  };
}

template <class Form>
class ParamEditorDbTest : public CodeListDbTest<Form> {
 protected:
  QString multiAddText;  // typed into the multi-add dialog; "" cancels it
  int multiAdds = 0;     // times the multi-add dialog was shown
  QString multiAddShot;  // screenshot of the next multi-add dialog ("" none)

  void OtherDialog(QDialog& d) override {
    auto* add = qobject_cast<TFormParamMultiAdd*>(&d);
    if (!add) {
      CodeListDbTest<Form>::OtherDialog(d);
      return;
    }
    ++multiAdds;
    if (multiAddText.isEmpty()) {
      add->BitBtnCancel->click();
      return;
    }
    add->MemoParam->setPlainText(multiAddText);
    if (!multiAddShot.isEmpty()) kvtest::SaveScreenshot(add, multiAddShot);
    multiAddShot.clear();
    add->BitBtnOK->click();
  }

  QString Id(const QString& type, const QString& name) { return ParamId(this->db(), type, name); }

  // The printed list's one page as Print previews it; the preview's picture
  // is kept under `shot`.
  kr::RenderedPage PrintedPage(Form& f, const QString& shot) {
    this->previewShot = shot;
    f.SpButPrint->click();
    EXPECT_EQ(this->previews, 1);
    std::unique_ptr<TQuickReport1> print = f.PreparePrint();
    if (!print) {
      ADD_FAILURE() << "the list could not be read for printing";
      return {};
    }
    std::vector<kr::RenderedPage> pages = print->QuickRep1.RenderPages();
    EXPECT_EQ(pages.size(), 1u);
    return pages.empty() ? kr::RenderedPage{} : pages[0];
  }
  static QString Printed(const kr::RenderedBand* band, const char* label) {
    const kr::RenderedText* text = band->FindText(label);
    return text ? text->PrintedText() : "(no " + QString(label) + ")";
  }
};

}  // namespace edtest
