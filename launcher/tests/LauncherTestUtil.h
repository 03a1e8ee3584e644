#pragma once
// Helpers of the launcher's tests: the shared data-module fixture (fresh
// settings folders and program folder, fixed clock, recorded message boxes)
// with the launcher's window built on the test's data module.
#include "KvShopTestSupport.h"
#include "LoadingForm.h"
#include "TestForm.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QLabel>

namespace lt {

// Every launcher test: the module fixture on `Base` (a GoogleTest fixture)
// and the launcher's window on the fixture's module.
template <class Base>
class LauncherTestBase : public kvfwtest::ModuleTest<Base> {
 protected:
  std::unique_ptr<TMainForm> form;

  void TearDown() override {
    form.reset();  // before the module it runs on
    kvfwtest::ModuleTest<Base>::TearDown();
  }

  // The data module (program file programDir/menuhost), then the main window,
  // whose construction runs the start-up.
  void Start() {
    this->dm = this->Module("menuhost");
    form = std::make_unique<TMainForm>();
  }
  // Start-up, then the window shown as the entry point shows it (log-in).
  void StartAndShow() {
    Start();
    ASSERT_FALSE(form->Terminating()) << this->dm->LastError.toStdString();
    form->ShowWindow();
  }

  QString UserFile() const { return this->dm->Setup->SettingsFolder + "user.txt"; }
};

// The window on the single-user edition with its settings folder but an empty
// database: the start-up runs through, the log-in finds no user, and the
// test starts on the main menu.
class MenuTestBase : public LauncherTestBase<::testing::Test> {
 protected:
  void SetUp() override {
    LauncherTestBase::SetUp();
    SingleUserEdition();
    Start();
    ASSERT_FALSE(form->Terminating());
    form->ShowMainMenu();
  }
};

}  // namespace lt
