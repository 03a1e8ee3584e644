#pragma once
// The enquiry's window on the test shop, on either engine: SQLite is the
// single-user edition (only the stock shows), PostgreSQL the multi-user one.
#include "../HistoryTestUtil.h"

#include "KvStringGrid.h"
#include "MessageFrame.h"
#include "PickList.h"
#include "StyleHistoryForm.h"

#include <QApplication>
#include <QComboBox>
#include <QContextMenuEvent>
#include <QMenu>
#include <QToolButton>

#include <functional>
#include <memory>

namespace histtest {

class StyleHistoryFixture : public kvfwtest::EditionDbTest {
 protected:
  std::unique_ptr<TFormStyleHistoryF> form;
  // Answers the dialogs other than messages (search dialogs, file dialogs).
  std::function<void(QDialog&)> onDialog;

  void SetUp() override {
    EditionDbTest::SetUp();
    try {
      PrepareDatabase(Shop());
    } catch (const kdb::DbError& e) {
      GTEST_FAIL() << e.Message().toStdString();
    }
    dm = Module("StyleHistory");
    kvtest::WriteFile(kvfwtest::EditionFolder(GetParam()) + "user.txt",
                      "1\r\n" + kvfwtest::FixedUserId(db()).toUtf8() + "\r\n");
  }
  void TearDown() override {
    form.reset();
    EditionDbTest::TearDown();
  }
  void OtherDialog(QDialog& d) override {
    if (qobject_cast<TMessageFrame*>(&d))
      d.accept();
    else if (onDialog)
      onDialog(d);
    else
      d.reject();
  }

  bool MultiUser() const { return isPg(); }

  // The window as the program shows it.
  TFormStyleHistoryF& Start() {
    form = std::make_unique<TFormStyleHistoryF>();
    form->resize(1280, 760);
    form->show();
    QApplication::processEvents();
    EXPECT_FALSE(form->Terminated()) << dm->LastError.toStdString();
    return *form;
  }
  // Types the texts and presses "Search".
  void Search(const QString& root, const QString& style) {
    form->ComboBoxRoot->setEditText(root);
    form->ComboBoxStyle->setEditText(style);
    form->SpButSearch->click();
    QApplication::processEvents();
  }
  void ChooseColour(const QString& root) {
    ASSERT_TRUE(kui::SelectPickValue(form->ComboByColour, root));
    QApplication::processEvents();
  }
  void ChooseBranch(const QString& id) {
    ASSERT_TRUE(kui::SelectPickValue(form->ComboBoxBranch, id));
    QApplication::processEvents();
  }
  // The size cells of one info row (the column after the sizes left out).
  QStringList InfoRow(int row) const {
    QStringList cells = form->SGridInfo->RowTexts(row).mid(1);
    cells.removeLast();
    return cells;
  }
  QStringList StyleColumn(int col) const { return form->SGridStyle->ColTexts(col); }
  // Opens the pop-up menu on a grid as a right click does.
  void PopUp(kui::KvStringGrid* grid) {
    QContextMenuEvent e(QContextMenuEvent::Mouse, QPoint(5, 5), grid->viewport()->mapToGlobal(QPoint(5, 5)));
    QApplication::sendEvent(grid->viewport(), &e);
    QApplication::processEvents();
  }
};

}  // namespace histtest
