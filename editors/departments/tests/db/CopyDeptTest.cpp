// The copy-departments dialog on both engines: its lists, the copy with and
// without sub-departments, names the destination has, and rows that cannot
// be written.
#include "DepartmentsTestFixture.h"

#include <QCheckBox>
#include <QComboBox>
#include <QToolButton>

#include "KvCheckListBox.h"
#include "PickList.h"

namespace {

using namespace deptest;

class CopyDepartments : public DepartmentsDbTest {
 protected:
  // The dialog on the editor's running program, its source chosen, the
  // departments named ticked and the destination chosen.
  std::unique_ptr<TFormCopyDept> Dialog(const QString& from) {
    auto dlg = std::make_unique<TFormCopyDept>(form.get());
    EXPECT_TRUE(dlg->LoadCategories());
    dlg->ComboBoxCat->setCurrentIndex(kui::IndexOfPickValue(dlg->ComboBoxCat, Id("CATEGORY", from)));
    dlg->RefreshLists();
    return dlg;
  }
  void Tick(TFormCopyDept& dlg, const QStringList& names) {
    for (int i = 0; i < dlg.CheckListBoxDept->Count(); ++i)
      dlg.CheckListBoxDept->SetChecked(i, names.contains(kui::PickName(dlg.CheckListBoxDept->Item(i))));
  }
  void CopyTo(TFormCopyDept& dlg, const QString& to, bool subs) {
    dlg.ComboBoxCatDest->setCurrentIndex(kui::IndexOfPickValue(dlg.ComboBoxCatDest, Id("CATEGORY", to)));
    dlg.CheckBoxCopySub->setChecked(subs);
    dlg.ButtonCopy->click();
  }
  // A department of a category, by name ("" when none).
  QString DeptIn(const QString& category, const QString& name) {
    return Value("SELECT ID FROM PARAMETERS WHERE TYPE = 'DEPARTMENT' AND NAME = " + Quote(name) +
                 " AND PARENT_ID = " + Id("CATEGORY", category));
  }
  // The database refuses to insert rows of these names.
  void RefuseInserts(const QStringList& names) {
    QStringList quoted;
    for (const QString& n : names) quoted << Quote(n);
    const QString when = "NEW.NAME IN (" + quoted.join(", ") + ")";
    if (isPg()) {
      Exec("CREATE FUNCTION refuse_names() RETURNS trigger AS $$ BEGIN IF " + when +
           " THEN RAISE EXCEPTION 'refused by the test'; END IF; RETURN NEW; END $$ LANGUAGE plpgsql");
      Exec("CREATE TRIGGER refuse_names BEFORE INSERT ON PARAMETERS FOR EACH ROW EXECUTE FUNCTION refuse_names()");
    } else {
      Exec("CREATE TRIGGER refuse_names BEFORE INSERT ON PARAMETERS WHEN " + when +
           " BEGIN SELECT RAISE(ABORT, 'refused by the test'); END");
    }
  }
};

TEST_P(CopyDepartments, TheListsFollowTheSourceCategory) {
  Start();
  // Opened from the editor on its chosen category.
  SelectCategory(*form, "LADIESWEAR");
  copyScript = [&](TFormCopyDept& dlg) {
    EXPECT_EQ(FormCopyDept, &dlg);
    EXPECT_EQ(kui::SelectedPickName(dlg.ComboBoxCat), "LADIESWEAR");
    // The items are shown whole, name and id.
    EXPECT_EQ(dlg.CheckListBoxDept->Items().value(0), "DRESSES=" + Id("DEPARTMENT", "DRESSES"));
    EXPECT_EQ(dlg.CheckListBoxDept->Count(), 4);
    EXPECT_EQ(dlg.CheckListBoxDept->CheckedCount(), 0);
    EXPECT_EQ(dlg.ComboBoxCatDest->currentIndex(), -1);
    EXPECT_EQ(dlg.ComboBoxCatDest->count(), 3);
    EXPECT_EQ(dlg.ComboBoxCatDest->findText("LADIESWEAR=" + Id("CATEGORY", "LADIESWEAR")), -1);
    dlg.SpeedButtonAll->click();
    EXPECT_EQ(dlg.CheckListBoxDept->CheckedCount(), 4);
    kvtest::SaveScreenshot(&dlg, "departments-copy");
    dlg.SpeedButtonNone->click();
    EXPECT_EQ(dlg.CheckListBoxDept->CheckedCount(), 0);

    // Another source refills both lists.
    dlg.ComboBoxCat->setCurrentIndex(kui::IndexOfPickValue(dlg.ComboBoxCat, Id("CATEGORY", "MENSWEAR")));
    dlg.ComboBoxCatChange();
    EXPECT_EQ(kui::PickName(dlg.CheckListBoxDept->Item(0)), "JACKETS");
    EXPECT_NE(dlg.ComboBoxCatDest->findText("LADIESWEAR=" + Id("CATEGORY", "LADIESWEAR")), -1);
    EXPECT_EQ(dlg.ComboBoxCatDest->findText("MENSWEAR=" + Id("CATEGORY", "MENSWEAR")), -1);

    // Copy without a destination asks for one.
    dlg.ButtonCopy->click();
  };
  form->SpButParamCopy->click();
  EXPECT_EQ(messages, QStringList{"Please select a category."});
  EXPECT_EQ(FormCopyDept, nullptr);
}

TEST_P(CopyDepartments, CopiesTheTickedDepartmentsWithTheirSubDepartmentsOnce) {
  Start();
  Exec("INSERT INTO PARAMETERS (NAME, TYPE, EXTRA, PARENT_ID, PARENT_NAME) VALUES ('TOPS', 'DEPARTMENT', '1', " +
       Id("CATEGORY", "MENSWEAR") + ", 'MENSWEAR')");
  auto dlg = Dialog("LADIESWEAR");
  Tick(*dlg, {"DRESSES", "TOPS"});
  CopyTo(*dlg, "MENSWEAR", true);
  EXPECT_EQ(messages, QStringList{"Selected departments copied."});
  EXPECT_EQ(dlg->LastResult.copied, 1);
  EXPECT_EQ(dlg->LastResult.skipped, 1);
  // The copy hangs under the destination with the source's VAT; its
  // sub-departments under the copy, with their codes.
  const QString dresses = DeptIn("MENSWEAR", "DRESSES");
  ASSERT_FALSE(dresses.isEmpty());
  EXPECT_EQ(Value("SELECT PARENT_NAME || '/' || EXTRA FROM PARAMETERS WHERE ID = " + dresses),
            "MENSWEAR/" + Id("VAT", "STANDARD"));
  EXPECT_EQ(SubsOf(dresses), (QStringList{"MAXI/DM/DRESSES", "MIDI/DD/DRESSES", "MINI/DN/DRESSES"}));
  // The destination's own TOPS gets nothing; the sources are untouched.
  EXPECT_TRUE(SubsOf(DeptIn("MENSWEAR", "TOPS")).isEmpty());
  EXPECT_EQ(SubsOf(Id("DEPARTMENT", "DRESSES")).size(), 3);
  // Ready for the next copy: nothing ticked, no destination.
  EXPECT_EQ(dlg->CheckListBoxDept->CheckedCount(), 0);
  EXPECT_EQ(dlg->ComboBoxCatDest->currentIndex(), -1);

  // Without sub-departments, then again with them: the second run skips.
  messages.clear();
  Tick(*dlg, {"KNITWEAR"});
  CopyTo(*dlg, "ACCESSORIES", false);
  Tick(*dlg, {"KNITWEAR", "DRESSES"});
  CopyTo(*dlg, "ACCESSORIES", true);
  EXPECT_EQ(messages, QStringList(2, "Selected departments copied."));
  EXPECT_TRUE(SubsOf(DeptIn("ACCESSORIES", "KNITWEAR")).isEmpty());
  EXPECT_EQ(SubsOf(DeptIn("ACCESSORIES", "DRESSES")).size(), 3);
  Tick(*dlg, {"KNITWEAR", "DRESSES"});
  CopyTo(*dlg, "ACCESSORIES", true);
  EXPECT_EQ(dlg->LastResult.skipped, 2);
  EXPECT_EQ(DepartmentsOf("ACCESSORIES"), (QStringList{"BAGS", "BELTS", "DRESSES", "KNITWEAR", "SCARVES"}));
  EXPECT_EQ(Value("SELECT COUNT(*) FROM PARAMETERS WHERE TYPE = 'SUBDEPARTMENT'"), "19");
}

TEST_P(CopyDepartments, ADepartmentNotWrittenTakesItsSubDepartmentsNowhere) {
  Start();
  RefuseInserts({"KNITWEAR", "MIDI"});
  auto dlg = Dialog("LADIESWEAR");
  Tick(*dlg, {"DRESSES", "KNITWEAR", "TOPS"});
  CopyTo(*dlg, "MENSWEAR", true);
  EXPECT_EQ(messages, QStringList{"Error: 1 department and 1 sub-department could not be copied. "
                                  "The others have been copied."});
  EXPECT_EQ(DepartmentsOf("MENSWEAR"), (QStringList{"DRESSES", "JACKETS", "JEANS", "JUMPERS", "SHIRTS", "TOPS"}));
  EXPECT_EQ(SubsOf(DeptIn("MENSWEAR", "DRESSES")), (QStringList{"MAXI/DM/DRESSES", "MINI/DN/DRESSES"}));
  EXPECT_EQ(SubsOf(DeptIn("MENSWEAR", "TOPS")), (QStringList{"BLOUSES/TB/TOPS", "T-SHIRTS/TT/TOPS"}));
  // KNITWEAR's sub-departments stand only under the original.
  EXPECT_EQ(Column("SELECT PARENT_ID FROM PARAMETERS WHERE NAME IN ('CARDIGANS', 'PULLOVERS')"),
            QStringList(2, Id("DEPARTMENT", "KNITWEAR")));
  const QByteArray log = LogText();
  EXPECT_TRUE(log.contains("TFormCopyDept::d_CreateDept")) << log.toStdString();
  EXPECT_TRUE(log.contains("TFormCopyDept::d_CreateSubDept"));
}

KV_DB_ENGINES(CopyDepartments);

}  // namespace
