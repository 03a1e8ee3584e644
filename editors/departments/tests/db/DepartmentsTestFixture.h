#pragma once
// The departments editor started on the shop's starter data (four
// categories, fourteen departments, sub-departments under some of them),
// with products in DRESSES, the multi-add dialog answered with the text the
// test sets, and the copy dialog handed to the test's own script.
#include "CodeListTestFixture.h"

#include <QPlainTextEdit>
#include <QPushButton>

#include <functional>

#include "DataModF.h"
#include "DepartmentsForm.h"
#include "FormCopyDeptF.h"
#include "FormParamMultiAddF.h"

namespace deptest {

using kdb::sql::Quote;

inline QString ParamId(kdb::Database& db, const QString& type, const QString& name) {
  return kvtest::Column(db, "SELECT ID FROM PARAMETERS WHERE TYPE = " + Quote(type) + " AND NAME = " + Quote(name))
      .value(0);
}

// Three PLUs of DRESSES with the department's id and a copy of its name.
inline void AddProducts(kdb::Database& db) {
  const QString dresses = ParamId(db, "DEPARTMENT", "DRESSES");
  for (const char* plu : {"0000010000", "0000010001", "0000010100"})
    db.Execute("INSERT INTO PRODUCTS (ROOT_PLU, PLU, DEPARTMENT_ID, DEPARTMENT_NAME) VALUES (" +
               Quote(QString(plu).left(8)) + ", " + Quote(plu) + ", " + dresses + ", 'DRESSES')");
}

class DepartmentsDbTest : public edtest::CodeListDbTest<TForm1> {
 protected:
  QString multiAddText;  // typed into the multi-add dialog; "" cancels it
  int multiAdds = 0;     // times the multi-add dialog was shown
  std::function<void(TFormCopyDept&)> copyScript;
  QString multiAddShot;  // screenshot of the next multi-add dialog ("" none)

  void SetUp() override {
    CodeListDbTest::SetUp();
    Prepare("departments", AddProducts);
  }

  void OtherDialog(QDialog& d) override {
    if (auto* add = qobject_cast<TFormParamMultiAdd*>(&d)) {
      ++multiAdds;
      if (multiAddText.isEmpty()) {
        add->BitBtnCancel->click();
        return;
      }
      add->MemoParam->setPlainText(multiAddText);
      if (!multiAddShot.isEmpty()) kvtest::SaveScreenshot(add, multiAddShot);
      add->BitBtnOK->click();
      return;
    }
    if (auto* copy = qobject_cast<TFormCopyDept*>(&d)) {
      if (copyScript) copyScript(*copy);
      copy->close();
      return;
    }
    CodeListDbTest::OtherDialog(d);
  }

  QString Id(const QString& type, const QString& name) { return ParamId(db(), type, name); }
  QString CategoryOf(const QString& department) {
    return Value("SELECT PARENT_NAME FROM PARAMETERS WHERE TYPE = 'DEPARTMENT' AND NAME = " + Quote(department));
  }
  // The departments of a category as the database holds them, by name.
  QStringList DepartmentsOf(const QString& category) {
    return Column("SELECT NAME FROM PARAMETERS WHERE TYPE = 'DEPARTMENT' AND PARENT_ID = " +
                  Id("CATEGORY", category) + " ORDER BY NAME");
  }
  // The sub-departments under a department row, "NAME/EXTRA/PARENT_NAME" by name.
  QStringList SubsOf(const QString& departmentId) {
    return Column("SELECT NAME || '/' || EXTRA || '/' || PARENT_NAME FROM PARAMETERS WHERE TYPE = 'SUBDEPARTMENT'"
                  " AND PARENT_ID = " + departmentId + " ORDER BY NAME");
  }
  void SelectCategory(TForm1& f, const QString& name) {
    const int index = edtest::CodeListDbTest<TForm1>::ListNames(f.ListBoxCat).indexOf(name);
    ASSERT_GE(index, 0) << name.toStdString();
    f.ListBoxCat->setCurrentRow(index);
  }
  void SelectDepartment(TForm1& f, const QString& name) {
    const int index = f.IndexOfName(name);
    ASSERT_GE(index, 0) << name.toStdString();
    f.ListBoxDept->setCurrentRow(index);
  }
};

}  // namespace deptest
