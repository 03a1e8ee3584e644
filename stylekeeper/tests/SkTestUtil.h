#pragma once
// Helpers of the style editor's tests: the shared data-module fixture (a
// fresh program folder, a fixed clock, every modal window answered) with the
// business rules beside the module, the style window on them, and the answers
// the style editor's own dialogs need.
//
//   class MyTest : public sktest::FormTest {};                      // no database
//   class MyDbTest : public sktest::StyleKeeperTest<kvfwtest::EditionDbTest> {};
#include <gtest/gtest.h>

#include <QApplication>
#include <QTextEdit>
#include <QDialog>
#include <QPushButton>
#include <QStringList>
#include <QTest>

#include <functional>
#include <memory>

#include "ConfirmMessageForm.h"
#include "DMBRulesF.h"
#include "KvFwTestSupport.h"
#include "StyleKeeperForm.h"

namespace sktest {

// The modules of the style editor on `Base` (kvfwtest::ModuleTest or a
// fixture derived from it), and how its dialogs are answered: confirmations
// by confirmYes, the program's other dialogs (price calculator, pickers) by
// onDialog, rejected when it is not set; messages are accepted.
template <class Base>
class StyleKeeperTest : public Base {
 protected:
  std::function<void(QDialog&)> onDialog;
  // Called with each message's text while it is shown (before it is answered).
  std::function<void(const QString&)> onMessage;
  bool confirmYes = true;
  std::unique_ptr<TDMBRules> rules;
  std::unique_ptr<TForm1> form;

  void TearDown() override {
    form.reset();  // before the modules it runs on
    rules.reset();
    Base::TearDown();
  }

  // The data module (program file programDir/StyleKeeper) and the rules.
  void CreateModules() {
    this->dm = this->Module();
    rules = std::make_unique<TDMBRules>();
  }

  // Starts the window as the program does and shows it.
  TForm1& StartForm(const QStringList& args = {}) {
    form = std::make_unique<TForm1>(args, nullptr);
    if (!form->TerminateRequested()) form->show();
    QApplication::processEvents();
    return *form;
  }

  // Makes a window the active one, as a person's click would.
  static void Activate(QWidget* w) {
    QApplication::setActiveWindow(w);
    w->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(w));
  }

  // The texts of every message shown, system boxes first, then the
  // program's message and confirmation windows.
  QStringList ShownTexts() const { return this->boxes + this->messages; }
  void ClearShownTexts() {
    this->boxes.clear();
    this->messages.clear();
  }

  void OtherDialog(QDialog& d) override {
    if (auto* confirm = qobject_cast<TFormMsgConfirm*>(&d))
      (confirmYes ? confirm->BitBtnYes : confirm->BitBtnNo)->click();
    else if (auto* message = qobject_cast<TMessageFrame*>(&d)) {
      if (onMessage) onMessage(message->MemoMsg->toPlainText());
      d.accept();
    }
    else if (onDialog)
      onDialog(d);
    else
      d.reject();
  }
};

// The style window without a database: built on the modules, and told to end
// (there are no settings).
class FormTest : public StyleKeeperTest<kvfwtest::ModuleTest<>> {
 protected:
  void SetUp() override {
    StyleKeeperTest::SetUp();
    CreateModules();
    form = std::make_unique<TForm1>(QStringList{}, nullptr);
  }
};

}  // namespace sktest
