#pragma once
// The departments editor started on the shop's starter data (four
// categories, fourteen departments, sub-departments under some of them),
// with products in DRESSES, and the copy dialog handed to the test's own
// script.
#include "ParamEditorTestFixture.h"

#include <functional>

#include "DataModF.h"
#include "DepartmentsForm.h"
#include "FormCopyDeptF.h"

namespace deptest {

using kdb::sql::Quote;

class DepartmentsDbTest : public edtest::ParamEditorDbTest<TForm1> {
 protected:
  std::function<void(TFormCopyDept&)> copyScript;

  void SetUp() override {
    ParamEditorDbTest::SetUp();
    // Products of DRESSES.
    Prepare("departments", edtest::ProductsOf("DEPARTMENT", "DRESSES", "DEPARTMENT", "00000100", 3));
  }

  void OtherDialog(QDialog& d) override {
    if (auto* copy = qobject_cast<TFormCopyDept*>(&d)) {
      if (copyScript) copyScript(*copy);
      copy->close();
      return;
    }
    ParamEditorDbTest::OtherDialog(d);
  }

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
