#pragma once
// The launcher's main window: starts the framework, shows the product's
// version and the company, logs the fixed staff user in, hands the user over
// to the other programs (user.txt) and offers the main menu from which they
// are started.
#include "KvMainWindow.h"

#include <QString>

#include <functional>

class QLabel;
class QStackedWidget;
class QToolButton;
class QWidget;

class TMainForm : public kui::KvMainWindow {
  Q_OBJECT
 public:
  explicit TMainForm(QWidget* parent = nullptr);
  ~TMainForm() override;

  // Texts of the edition that the menu and the start-up show.
  static constexpr const char* kApplicationTitle = "TESSARIN";
  static constexpr const char* kCaption = "Tessarin QS";
  static constexpr const char* kEditionName = "Quick Start Edition";
  static constexpr const char* kCopyNotice = "Copyright (c) Tarnwick Systems Ltd ";
  static constexpr const char* kTrademark =
      "Tessarin is a trademark of Tarnwick Systems Ltd, registered in the United Kingdom.";
  static constexpr const char* kSupportAddress = "https://www.tarnwick.example/tessarin/support";
  // The fixed log-in the launcher hands over to every other program.
  static constexpr const char* kLoginUser = "1";
  static constexpr const char* kLoginPassword = "8264";
  // The notice never shows a year before the product existed.
  static constexpr int kFirstCopyrightYear = 2010;

  // ----- start-up and log-in ----------------------------------------------------
  // How far the start-up got: the settings read, the database connected.
  enum class StartStep { None, Initialised, Connected };
  StartStep StartUp();
  bool InitDataModule();
  void ShowVersionInfo();
  // Reads the COMPANY row before the window is built (a failure is logged
  // and leaves the values empty); the window then shows it.
  void ReadCompanyDetails();
  void ShowCompanyDetails();
  void AutoLogin();
  // True once start-up asked the application to end (no settings, no database).
  bool Terminating() const { return terminating_; }

  // ----- main menu ------------------------------------------------------------------
  void ShowMainMenu();
  void ShowUpgrade();
  // The sub-menu page shown, -1 for none.
  int MBottomPageIndex() const;

  void SpButParamClick();
  void SpButProdClick();
  void SpButReportsClick();
  void SpButAddOnsClick();
  void SpButContactClick();
  void SpButCloseClick();
  void SpButParamSuppliersClick();
  void SpButParamBrandsClick();
  void SpButParamCatClick();
  void SpButParamDeptClick();
  void SpButParamColoursClick();
  void SpButParamSizesClick();
  void SpButRepStyleHistoryClick();
  void SpButValuationReportClick();
  void SpButRepStockStyleListClick();
  void SpButRepStockBrokenStylesClick();
  void SpButRepStockRootPLUClick();
  void SpButRepStockPLUClick();

  // ----- window parts -------------------------------------------------------------
  QLabel* PanelTop = nullptr;
  QToolButton* SpButClose = nullptr;
  QStackedWidget* PageControlTop = nullptr;
  QWidget* TabSheetLogin = nullptr;
  QWidget* PanelLoginBody = nullptr;
  QLabel* LabelCopyVersion = nullptr;
  QLabel* LabelCompName = nullptr;
  QLabel* LabelCompNo = nullptr;
  QLabel* LabelCompVATNo = nullptr;
  QLabel* LabelCopyInfo = nullptr;
  QLabel* LabelRights = nullptr;
  QLabel* LabelCopyTrademark = nullptr;
  QWidget* TabSheetMainMenu = nullptr;
  QToolButton* SpButParam = nullptr;
  QToolButton* SpButProd = nullptr;
  QToolButton* SpButReports = nullptr;
  QToolButton* SpButAddOns = nullptr;
  QToolButton* SpButContact = nullptr;
  QLabel* PanelMTop = nullptr;
  QStackedWidget* PageControlMBottom = nullptr;
  QWidget* TabSheetMParam = nullptr;
  QWidget* TabSheetMReports = nullptr;

  QString CompName;
  QString CompNo;
  QString CompVATNo;

 protected:
  void showEvent(QShowEvent* event) override;  // FormShow

 private:
  void BuildWindow();
  QWidget* BuildTopPanel();
  QWidget* BuildLoginPage();
  QWidget* BuildMainMenuPage();
  // One row of the menu's buttons: 0 the main menu, 1 set-up, 2 reports.
  QWidget* BuildButtonRow(int group);
  void ShowSubMenu(QWidget* page);
  // Starts a program by its bare file name through the shell, without waiting.
  void OpenProgram(const QString& fileName);
  // Runs a handler; a failure is logged with its qualified name.
  void Guard(const QString& where, const std::function<void()>& handler);
  void Terminate();

  bool terminating_ = false;
};

// The launcher's main window.
extern TMainForm* MainForm;
