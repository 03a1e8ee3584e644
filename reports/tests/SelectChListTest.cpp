// The checklist selection dialog: its captions, the check marks, what
// Execute answers and which items it hands back.
#include "ReportsTestUtil.h"

#include "KVFormUtilSelectChListF.h"
#include "KvCheckListBox.h"
#include "ModalSeam.h"

#include <QLabel>
#include <QPushButton>
#include <QToolButton>

#include <functional>

namespace {

class SelectChList : public ::testing::Test {
 protected:
  TKVFormUtilSelectChList dlg;
  void TearDown() override { kui::ModalSeam::ClearAnswerers(); }

  // Execute with the person's actions on the open dialog.
  bool Run(const std::function<void(TKVFormUtilSelectChList&)>& act) {
    kui::ScopedAnswerer answer([&](QDialog&) { act(dlg); });
    return dlg.Execute();
  }
};

TEST_F(SelectChList, CaptionsCountEveryItemAndTheListShowsNames) {
  dlg.Title = "Select Department";
  dlg.SetItems({"LADIESWEAR: KNITWEAR=14", "MENSWEAR: SHIRTS=9", "A=B=7"});
  Run([](TKVFormUtilSelectChList& d) {
    d.ChListM->SetChecked(0, true);
    kvtest::SaveScreenshot(&d, "KVFormUtilSelectChList");
    d.BitBtnOK->click();
  });
  EXPECT_EQ(dlg.windowTitle(), "Select Department");
  EXPECT_EQ(dlg.PanelTitle->text(), "Select Department");
  EXPECT_EQ(dlg.PanelFound->text(), "Found 3");
  // The list shows the names; an id never holds "=", a name may.
  EXPECT_EQ(dlg.ChListM->item(1)->text(), "MENSWEAR: SHIRTS");
  EXPECT_EQ(TKVFormUtilSelectChList::ItemName("A=B=7"), "A=B");
  EXPECT_EQ(TKVFormUtilSelectChList::ItemId("A=B=7"), "7");
  EXPECT_EQ(dlg.size(), QSize(533, 638));
}

TEST_F(SelectChList, ExecuteAnswersTrueOnlyForOkWithACheckedValue) {
  dlg.SetItems({"ACME=1", "BOLT=2", "CRUX=3"});
  EXPECT_FALSE(Run([](TKVFormUtilSelectChList& d) { d.BitBtnOK->click(); }));  // nothing checked
  EXPECT_FALSE(Run([](TKVFormUtilSelectChList& d) {
    d.SpSelectAll->click();
    d.BitBtnCancel->click();
  }));
  EXPECT_EQ(dlg.CountChecked(), 3);
  EXPECT_TRUE(Run([](TKVFormUtilSelectChList& d) {
    d.SpSelectNone->click();
    d.ChListM->SetChecked(2, true);
    d.ChListM->SetChecked(0, true);
    d.BitBtnOK->click();
  }));
  // In list order, not in the order checked; the list given is replaced.
  QStringList items{"OLD=9"};
  dlg.GetCheckedItems(&items);
  EXPECT_EQ(items, (QStringList{"ACME=1", "CRUX=3"}));
  dlg.GetCheckedItems(nullptr);  // no list: nothing happens
  // New items start unchecked; an empty list finds 0 and OK answers false.
  dlg.SetItems({});
  EXPECT_FALSE(Run([](TKVFormUtilSelectChList& d) { d.BitBtnOK->click(); }));
  EXPECT_EQ(dlg.PanelFound->text(), "Found 0");
}

}  // namespace
