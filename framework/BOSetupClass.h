#pragma once
// The settings of a back-office program: where its settings folder is, and the
// values of SetupVELT.ini (multi-user edition) or the fixed single-user values.
#include "AppDataSetupClass.h"

class TBOSetupClass : public TAppDataSetupClass {
 public:
  TBOSetupClass();
  ~TBOSetupClass() override = default;

  void SetDefaults();
  // Multi-user: the user's folder "Tarnwick/TessarinVELT/", created when missing.
  bool Locate() override;
  // Single-user: the all-users folder "Tarnwick/TessarinQS/", which must exist.
  bool LocateQS();
  void ApplyQSDefaults();
  // Reads SetupVELT.ini; false when it is missing or cannot be read as settings.
  bool Load();
  void SelectDatabaseName();

  QString GetSettingsFolder() const { return SettingsFolder; }
  QString GetLocalDataFolder() const { return LocalDataFolder; }
  QString GetImagesFolder() const { return DBSharePath + "Images/"; }

  QString SettingsFolder;   // always ends with "/"
  QString LocalDataFolder;  // single-user only
  QString IniFileName;

  // [Database]
  QString DBHost;
  QString DBSharePath;
  bool DBUseInternet = false;
  QString DBName;
  QString DBLiveName;
  QString DBTrainName;
  // [Local]
  int LOBranchID = 0;
  bool LOUseImages = false;
  bool LOUseTrain = false;
  bool LOUseBSPrice = false;
  // [ModSF]
  bool SFMakeTickets = true;
  bool SFPriceCalc = true;
  bool SFSeasonSubDeptPLU = false;
  bool SFCopyStyleToDesc = false;
  // [ModOrd]
  bool OrdBranchSpecific = false;
  bool OrdShowStockSales = false;
  bool OrdBGMakeLabels = true;
  bool OrdBGSetSKU = true;
  // [Advanced]
  bool AdvOrderByRootPLU = false;

  bool LocalMode = false;  // single-user edition, local database

  static constexpr const char* kSettingsFile = "SetupVELT.ini";
  static constexpr const char* kMultiUserFolder = "Tarnwick/TessarinVELT/";
  static constexpr const char* kSingleUserFolder = "Tarnwick/TessarinQS/";

 private:
  void SetFolder(const QString& base, const char* sub);
};
