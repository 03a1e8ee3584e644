// The multi-add dialog and the cleaning of what is typed into it.
#include <gtest/gtest.h>

#include <QApplication>
#include <QPlainTextEdit>
#include <QPushButton>

#include <functional>

#include "FormParamMultiAddF.h"
#include "KvFwTestSupport.h"
#include "MessageFrame.h"
#include "ParamMultiAddClass.h"

namespace {

TEST(ParamMultiAdd, EntriesAreSplitAtCommasCleanedAndKeptInOrder) {
  // Quotes go, letters become capitals, blanks round a piece are cut, and
  // empty pieces and lines are dropped; repeats stay for the save to skip.
  EXPECT_EQ(TParamMultiAddClass::Entries({"'red', \"blue\", , green"}), (QStringList{"RED", "BLUE", "GREEN"}));
  EXPECT_EQ(TParamMultiAddClass::Entries({"  navy  ", "", "o'neil,navy,", "   ", "\"\",''"}),
            (QStringList{"NAVY", "ONEIL", "NAVY"}));
  EXPECT_TRUE(TParamMultiAddClass::Entries({",,,", " ' ", ""}).isEmpty());

  const QString thirty(30, 'A');
  EXPECT_EQ(TParamMultiAddClass::TooLong({thirty, thirty + "B", "C"}), QStringList{thirty + "B"});
}

TEST(ParamMultiAdd, TheFailureMessageCountsTheEntriesNotSaved) {
  EXPECT_EQ(TParamMultiAddClass::FailedMessage({3, 1, 0}), "");
  EXPECT_EQ(TParamMultiAddClass::FailedMessage({3, 0, 1}),
            "Error: 1 entry has not been saved. The others have been saved.");
  EXPECT_EQ(TParamMultiAddClass::FailedMessage({0, 0, 4}),
            "Error: 4 entries have not been saved. The others have been saved.");
}

// The person at the dialog types each text in turn and presses OK; the
// program's messages are answered and recorded.
class MultiAddDialog : public kvfwtest::ModuleTest<> {
 protected:
  QStringList typed;        // one text per press of OK
  QStringList memoAfterOk;  // what the memo showed after each press
  int presses = 0;
  bool cancel = false;

  void SetUp() override {
    ModuleTest::SetUp();
    dm = Module("brandnames");
  }

  void OtherDialog(QDialog& d) override {
    if (qobject_cast<TMessageFrame*>(&d)) {
      d.accept();
      return;
    }
    auto* dlg = qobject_cast<TFormParamMultiAdd*>(&d);
    if (!dlg) {
      d.reject();
      return;
    }
    EXPECT_TRUE(dlg->MemoParam->toPlainText().isEmpty());  // Execute starts empty
    if (cancel) {
      dlg->MemoParam->setPlainText("GREY");
      dlg->BitBtnCancel->click();
      return;
    }
    for (const QString& text : typed) {
      dlg->MemoParam->setPlainText(text);
      dlg->BitBtnOK->click();
      ++presses;
      memoAfterOk << dlg->MemoParam->toPlainText();
      if (!dlg->isVisible()) break;
    }
  }
};

TEST_F(MultiAddDialog, OkShowsTheCleanedEntriesAndClosesWhenThereIsOne) {
  TFormParamMultiAdd dlg;
  typed = {"red, 'blue'\n\n green "};
  ASSERT_TRUE(dlg.Execute());
  EXPECT_EQ(dlg.Lines(), (QStringList{"RED", "BLUE", "GREEN"}));
  EXPECT_TRUE(messages.isEmpty());

  // A second use starts empty again.
  typed = {"navy"};
  ASSERT_TRUE(dlg.Execute());
  EXPECT_EQ(dlg.Lines(), QStringList{"NAVY"});
}

TEST_F(MultiAddDialog, NothingButBlanksCommasAndQuotesKeepsTheDialogOpen) {
  TFormParamMultiAdd dlg;
  const QString tooLong(31, 'X');
  typed = {" , '' ,\"\"\n   ", "ok, " + tooLong, "ok"};
  ASSERT_TRUE(dlg.Execute());
  EXPECT_EQ(presses, 3);
  ASSERT_EQ(messages.size(), 2);
  EXPECT_EQ(messages[0], "Please add a entry");
  EXPECT_TRUE(messages[1].contains(tooLong)) << messages[1].toStdString();
  EXPECT_EQ(memoAfterOk, (QStringList{"", "OK\n" + tooLong, "OK"}));
  EXPECT_EQ(dlg.Lines(), QStringList{"OK"});
}

TEST_F(MultiAddDialog, CancelGivesFalse) {
  TFormParamMultiAdd dlg;
  cancel = true;
  EXPECT_FALSE(dlg.Execute());
  EXPECT_TRUE(messages.isEmpty());
}

}  // namespace
