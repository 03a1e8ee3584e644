// The launcher's window without a database behind it: the menu, the program
// starts (seen through the starter seam), the picture window, the notice year
// and a start without settings.
#include "LauncherTestUtil.h"

#include "FormUpgradeF.h"
#include "KuiColour.h"
#include "FileVersion.h"
#include "Process.h"

#include <QRegularExpression>

#include <QScrollArea>
#include <QScrollBar>
#include <QStackedWidget>
#include <QTest>
#include <QToolButton>

#include <vector>

namespace {

using kvtest::At;

// The main menu (see lt::MenuTestBase) and its buttons.
class LauncherMenuTest : public lt::MenuTestBase {
 protected:
  QToolButton* Button(const char* name) {
    auto* b = form->findChild<QToolButton*>(name);
    EXPECT_NE(b, nullptr) << name;
    return b;
  }
};

struct Expected {
  const char* button;
  const char* caption;
  const char* hint;
  const char* program;  // "" for the buttons that start nothing
};

const std::vector<Expected> kButtons = {
    {"SpButParam", "Setup", "", ""},
    {"SpButProd", "Style Keeper", "", "StyleKeeper"},
    {"SpButReports", "Reports", "", ""},
    {"SpButAddOns", "Upgrade", "", ""},
    {"SpButContact", "Contact Us", "", TMainForm::kSupportAddress},
    {"SpButParamSuppliers", "Suppliers", "Create and edit supplier details", "suppliers"},
    {"SpButParamBrands", "Brands", "Create and edit brand names", "brandnames"},
    {"SpButParamCat", "Categories", "Create and edit categories", "categories"},
    {"SpButParamDept", "Departments", "Create and edit departments", "departments"},
    {"SpButParamColours", "Colours", "Create and edit colour names", "colours"},
    {"SpButParamSizes", "Sizes", "Create and edit size scales", "sizeranges"},
    {"SpButRepStyleHistory", "Style History", "", "StyleHistory"},
    {"SpButValuationReport", "Stock Evaluation", "", "ValuationReport"},
    {"SpButRepStockStyleList", "Style Listing", "", "StyleStockList"},
    {"SpButRepStockBrokenStyles", "Broken Styles", "", "BrokenSizeReport"},
    {"SpButRepStockRootPLU", "Root PLU Listing", "", "RootStockReport"},
    {"SpButRepStockPLU", "Product Listing", "", "ItemStockReport"},
};

TEST_F(LauncherMenuTest, TheButtonsAreWhereAndAsDesigned) {
  for (const Expected& e : kButtons) {
    QToolButton* b = Button(e.button);
    ASSERT_NE(b, nullptr);
    EXPECT_EQ(b->text(), e.caption) << e.button;
    EXPECT_EQ(b->toolTip(), e.hint) << e.button;
    EXPECT_EQ(b->size(), QSize(140, 144)) << e.button;
    EXPECT_EQ(b->font().pixelSize(), 16) << e.button;
    EXPECT_TRUE(b->autoRaise()) << e.button;
    EXPECT_FALSE(b->icon().isNull()) << e.button;
  }
  for (int i = 0; i < 5; ++i)
    EXPECT_TRUE(form->TabSheetMainMenu->isAncestorOf(Button(kButtons[i].button))) << i;
  for (int i = 5; i < 11; ++i) EXPECT_TRUE(form->TabSheetMParam->isAncestorOf(Button(kButtons[i].button)));
  for (int i = 11; i < 17; ++i) EXPECT_TRUE(form->TabSheetMReports->isAncestorOf(Button(kButtons[i].button)));

  EXPECT_TRUE(form->PanelTop->isAncestorOf(form->SpButClose));
  EXPECT_EQ(form->SpButClose->size(), QSize(128, 48));
  EXPECT_EQ(form->PanelTop->height(), 48);
  EXPECT_EQ(form->PanelTop->font().pixelSize(), 27);
  EXPECT_EQ(kui::ToBgr(form->PanelTop->palette().color(QPalette::Window)), 0xFFFFFFu);
  EXPECT_EQ(form->PanelMTop->height(), 32);
  EXPECT_EQ(form->PanelMTop->font().pixelSize(), 19);
  EXPECT_EQ(kui::ToBgr(form->PanelMTop->palette().color(QPalette::Window)), 0x2B2A2Du);
  EXPECT_EQ(kui::ToBgr(form->palette().color(QPalette::Window)), 0xC0C0C0u);
  EXPECT_EQ(form->LabelCompName->font().pixelSize(), 13);
  EXPECT_EQ(form->windowTitle(), "Tessarin QS");
  EXPECT_TRUE(form->windowFlags() & Qt::FramelessWindowHint);
}

TEST_F(LauncherMenuTest, EveryStartButtonAsksTheShellForItsProgram) {
  std::vector<kos::StartRequest> asked;
  kos::ScopedStarter seam([&](const kos::StartRequest& r) {
    asked.push_back(r);
    return true;
  });
  QStringList expected;
  for (const Expected& e : kButtons) {
    if (!*e.program) continue;
    expected << e.program;
    Button(e.button)->click();
  }
  ASSERT_EQ(asked.size(), 14u);
  for (size_t i = 0; i < asked.size(); ++i) {
    EXPECT_EQ(asked[i].name, expected[static_cast<qsizetype>(i)]);
    EXPECT_EQ(asked[i].via, kos::StartRequest::Via::Shell);
    EXPECT_TRUE(asked[i].workingFolder.isEmpty());
    EXPECT_FALSE(asked[i].wait);
    // The support page goes to the desktop's browser as its one argument.
    if (i != 1) {
      EXPECT_TRUE(asked[i].arguments.isEmpty()) << asked[i].name.toStdString();
    }
  }
  EXPECT_EQ(asked[1].name, "https://www.tarnwick.example/tessarin/support");

  // Pressed twice, started twice.
  asked.clear();
  form->SpButProd->click();
  form->SpButProd->click();
  EXPECT_EQ(asked.size(), 2u);
  EXPECT_TRUE(boxes.isEmpty());
  EXPECT_FALSE(LogText().contains("Click"));  // no handler failed
}

TEST_F(LauncherMenuTest, ABareNameIsFoundInTheWorkingFolderAndAMissingOneStartsNothing) {
  const QString folder = kvtest::FreshFolder("work");
  kvtest::WriteFile(folder + "StyleKeeper", "#!/bin/sh\nexit 0\n");
  QFile::setPermissions(folder + "StyleKeeper", QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
  const QString before = QDir::currentPath();
  QDir::setCurrent(folder);
  std::vector<kos::StartRequest> asked;
  {
    kos::ScopedStarter seam([&](const kos::StartRequest& r) {
      asked.push_back(r);
      return !r.program.isEmpty();
    });
    form->SpButProd->click();
    Button("SpButRepStockPLU")->click();  // no such program here or on the path
  }
  QDir::setCurrent(before);
  ASSERT_EQ(asked.size(), 2u);
  EXPECT_EQ(QFileInfo(asked[0].program).canonicalFilePath(),
            QFileInfo(folder + "StyleKeeper").canonicalFilePath());
  EXPECT_TRUE(asked[1].program.isEmpty());
  EXPECT_TRUE(boxes.isEmpty());  // a program that is not there is not reported
}

TEST_F(LauncherMenuTest, SetupAndReportsSwapTheSubMenu) {
  EXPECT_EQ(form->MBottomPageIndex(), -1);
  form->SpButParam->click();
  EXPECT_EQ(form->MBottomPageIndex(), 0);
  EXPECT_EQ(form->PageControlMBottom->currentWidget(), form->TabSheetMParam);
  form->SpButReports->click();
  EXPECT_EQ(form->PageControlMBottom->currentWidget(), form->TabSheetMReports);
  EXPECT_EQ(form->MBottomPageIndex(), 1);
  form->SpButParam->click();
  EXPECT_EQ(form->PageControlMBottom->currentWidget(), form->TabSheetMParam);
  form->ShowMainMenu();
  EXPECT_EQ(form->MBottomPageIndex(), -1);
  EXPECT_EQ(form->PanelMTop->text(), "");
}

TEST_F(LauncherMenuTest, TheCloseButtonClosesTheWindow) {
  form->ShowWindow();
  ASSERT_TRUE(form->isVisible());
  form->SpButClose->click();
  EXPECT_FALSE(form->isVisible());
}

TEST_F(LauncherMenuTest, TheNoticeNeverShowsAYearBefore2010) {
  clock = At("2009-12-31T23:59:00");
  form->ShowVersionInfo();
  EXPECT_EQ(form->LabelCopyInfo->text(), "Copyright (c) Tarnwick Systems Ltd 2010");
  clock = At("1999-01-01T00:00:00");
  form->ShowVersionInfo();
  EXPECT_EQ(form->LabelCopyInfo->text(), "Copyright (c) Tarnwick Systems Ltd 2010");
  clock = At("2031-07-01T12:00:00");
  form->ShowVersionInfo();
  EXPECT_EQ(form->LabelCopyInfo->text(), "Copyright (c) Tarnwick Systems Ltd 2031");
  EXPECT_EQ(form->LabelCopyTrademark->text(), TMainForm::kTrademark);
}

TEST_F(LauncherMenuTest, TheVersionIsReadFromTheLaunchersOwnFile) {
  const QString program = qEnvironmentVariable("KV_BIN_DIR") + "/menuhost";
  const QString version = kos::GetFileVersion(program);
  ASSERT_TRUE(QRegularExpression("^\\d+\\.\\d+\\.\\d+\\.\\d+$").match(version).hasMatch())
      << version.toStdString();
  dm->SetProgramFile(program);
  form->ShowVersionInfo();
  EXPECT_EQ(form->LabelCopyVersion->text(), QString("Tessarin") + QChar(0x2122) + " Version " + version);
}

TEST_F(LauncherMenuTest, WithoutAUserTheLogInPageStays) {
  // The empty database has no STAFF table: the log-in fails quietly.
  form.reset();
  dm.reset();
  Start();
  form->ShowWindow();
  EXPECT_EQ(form->PageControlTop->currentWidget(), form->TabSheetLogin);
  EXPECT_EQ(form->PanelTop->text(), "Login");
  EXPECT_FALSE(QFile::exists(UserFile()));
  EXPECT_TRUE(boxes.isEmpty());
}

// ----- the picture window ------------------------------------------------------------

class PictureWindowTest : public LauncherMenuTest {
 protected:
  // Opens the window through its button and lets the test act on it.
  void OpenPicture(const std::function<void(TFormUpgrade&)>& act) {
    opened = 0;
    kui::ScopedAnswerer answer([&](QDialog& d) {
      auto* w = qobject_cast<TFormUpgrade*>(&d);
      ASSERT_NE(w, nullptr);
      ++opened;
      act(*w);
      closed = !w->isVisible();
    });
    form->SpButAddOns->click();
    EXPECT_EQ(opened, 1);
    // The window lives only while it is shown.
    EXPECT_EQ(form->findChild<TFormUpgrade*>(), nullptr);
  }
  int opened = 0;
  bool closed = false;
};

TEST_F(PictureWindowTest, ShowsTheBrochureCentredOnBlackAndAKeyClosesIt) {
  OpenPicture([](TFormUpgrade& w) {
    EXPECT_TRUE(w.windowState() & Qt::WindowMaximized);
    EXPECT_TRUE(w.windowFlags() & Qt::FramelessWindowHint);
    EXPECT_EQ(w.palette().color(QPalette::Window), QColor(Qt::black));
    EXPECT_EQ(w.Image1->pixmap().size(), QSize(794, 1118));
    EXPECT_EQ(w.ScrollBoxImg->width(), 820);
    EXPECT_EQ(w.ScrollBoxImg->height(), w.height());
    EXPECT_EQ(w.ScrollBoxImg->x(), w.width() / 2 - 410);
    EXPECT_EQ(w.ScrollBoxImg->verticalScrollBar()->value(), 0);
    kvtest::SaveScreenshot(&w, "FormUpgrade");
    kvtest::SaveScreenshot(w.Image1, "FormUpgradePicture");
    QTest::keyClick(w.ScrollBoxImg, Qt::Key_A);
  });
  EXPECT_TRUE(closed);
}

TEST_F(PictureWindowTest, AClickOnThePictureTheBoxOrTheWindowClosesIt) {
  const std::vector<std::function<QWidget*(TFormUpgrade&)>> targets = {
      [](TFormUpgrade& w) { return static_cast<QWidget*>(w.Image1); },
      [](TFormUpgrade& w) { return w.ScrollBoxImg->viewport(); },
      [](TFormUpgrade& w) { return static_cast<QWidget*>(&w); },
  };
  for (size_t i = 0; i < targets.size(); ++i) {
    closed = false;
    OpenPicture([&](TFormUpgrade& w) { QTest::mouseClick(targets[i](w), Qt::LeftButton, {}, QPoint(5, 5)); });
    EXPECT_TRUE(closed) << i;
  }
}

// Only a click (the left button) closes it; the other buttons leave it open.
TEST_F(PictureWindowTest, OnlyTheLeftButtonClosesIt) {
  QStringList stillOpen;
  OpenPicture([&](TFormUpgrade& w) {
    ASSERT_TRUE(w.isVisible());
    const std::vector<std::pair<const char*, QWidget*>> targets = {
        {"picture", w.Image1}, {"box", w.ScrollBoxImg->viewport()}, {"window", &w}};
    for (const auto& [name, target] : targets) {
      for (Qt::MouseButton b : {Qt::RightButton, Qt::MiddleButton}) {
        QTest::mouseClick(target, b, {}, QPoint(5, 5));
        if (w.isVisible()) stillOpen << QString(name) + "/" + QString::number(b);
      }
    }
    QTest::mouseClick(w.Image1, Qt::LeftButton, {}, QPoint(5, 5));
  });
  EXPECT_EQ(stillOpen.size(), 6) << stillOpen.join(",").toStdString();
  EXPECT_TRUE(closed);
}

TEST_F(PictureWindowTest, TheWheelScrollsByTwoIncrements) {
  OpenPicture([](TFormUpgrade& w) {
    QScrollBar* bar = w.ScrollBoxImg->verticalScrollBar();
    ASSERT_GT(bar->maximum(), 4 * bar->singleStep());  // the page is taller than the window
    const auto turn = [&](int delta) {
      QWheelEvent e(QPointF(10, 10), w.mapToGlobal(QPointF(10, 10)), QPoint(), QPoint(0, delta),
                    Qt::NoButton, Qt::NoModifier, Qt::NoScrollPhase, false);
      QApplication::sendEvent(w.Image1, &e);
      EXPECT_TRUE(e.isAccepted());
    };
    turn(-120);
    EXPECT_EQ(bar->value(), 2 * bar->singleStep());
    turn(-120);
    EXPECT_EQ(bar->value(), 4 * bar->singleStep());
    turn(120);
    EXPECT_EQ(bar->value(), 2 * bar->singleStep());
    EXPECT_TRUE(w.isVisible());  // scrolling is no click
  });
  EXPECT_FALSE(closed);  // closed by the seam afterwards, not by the wheel
}

// ----- a start without settings ---------------------------------------------------------

class LauncherNoSettingsTest : public lt::LauncherTestBase<::testing::Test> {};

TEST_F(LauncherNoSettingsTest, TheLauncherEndsWithTheNoSettingsMessage) {
  AddLauncher();  // single-user, but the all-users folder has no settings folder
  Start();
  EXPECT_TRUE(form->Terminating());
  EXPECT_EQ(boxes, QStringList{"Error: There are no settings available."});
  EXPECT_FALSE(dm->LoggingOn);
  EXPECT_TRUE(kvfwtest::NoWaitWindowLeft());
  EXPECT_EQ(form->LabelCopyVersion->text(), "");  // start-up stopped before the version
}

}  // namespace
