#include "BOSetupClass.h"

#include "Folders.h"
#include "IniFile.h"

#include <exception>

TBOSetupClass::TBOSetupClass() { SetDefaults(); }

void TBOSetupClass::SetDefaults() {
  DBHost = QStringLiteral("localhost");
  DBSharePath.clear();
  DBUseInternet = false;
  DBName = QStringLiteral("DATA");
  DBLiveName = QStringLiteral("DATA");
  DBTrainName = QStringLiteral("DATATRAINING");
  LOBranchID = 0;
  LOUseImages = false;
  LOUseTrain = false;
  LOUseBSPrice = false;
  SFMakeTickets = true;
  SFPriceCalc = true;
  SFSeasonSubDeptPLU = false;
  SFCopyStyleToDesc = false;
  OrdBranchSpecific = false;
  OrdShowStockSales = false;
  OrdBGMakeLabels = true;
  OrdBGSetSKU = true;
  AdvOrderByRootPLU = false;
  LocalMode = false;
}

void TBOSetupClass::SetFolder(const QString& base, const char* sub) {
  SettingsFolder = base + QString::fromLatin1(sub);
  IniFileName = SettingsFolder + QString::fromLatin1(kSettingsFile);
}

bool TBOSetupClass::Locate() {
  TAppDataSetupClass::Locate();
  // Without a user folder there is nowhere to put the settings: a relative
  // "Tarnwick/..." below the current folder would be a wrong place.
  if (AppDataFolder.isEmpty()) return false;
  SetFolder(AppDataFolder, kMultiUserFolder);
  if (!kos::DirectoryExists(SettingsFolder)) kos::ForceDirectories(SettingsFolder);
  return kos::DirectoryExists(SettingsFolder);
}

bool TBOSetupClass::LocateQS() {
  TAppDataSetupClass::Locate();
  if (CommonAppDataFolder.isEmpty()) return false;
  SetFolder(CommonAppDataFolder, kSingleUserFolder);
  LocalDataFolder = SettingsFolder;
  return kos::DirectoryExists(SettingsFolder);
}

void TBOSetupClass::ApplyQSDefaults() {
  LOBranchID = 1;
  LOUseImages = true;
  SFMakeTickets = false;
  DBSharePath = SettingsFolder;
  LocalMode = true;
}

bool TBOSetupClass::Load() {
  if (!kos::FileExists(IniFileName)) return false;
  bool ok = false;
  try {
    const kos::IniFile ini(IniFileName);
    ok = ini.Loaded();
    if (ok) {
      const auto text = [&ini](const char* section, const char* key, QString& field) {
        field = ini.ReadString(section, key, field);
      };
      const auto flag = [&ini](const char* section, const char* key, bool& field) {
        field = ini.ReadBool(section, key, field);
      };
      text("Database", "DBHost", DBHost);
      text("Database", "DBSharePath", DBSharePath);
      flag("Database", "DBUseInternet", DBUseInternet);
      text("Database", "DBName", DBName);
      text("Database", "DBLiveName", DBLiveName);
      text("Database", "DBTrainName", DBTrainName);
      LOBranchID = ini.ReadInteger("Local", "LOBranchID", LOBranchID);
      flag("Local", "LOUseImages", LOUseImages);
      flag("Local", "LOUseTrain", LOUseTrain);
      flag("Local", "LOUseBSPrice", LOUseBSPrice);
      flag("ModSF", "SFMakeTickets", SFMakeTickets);
      flag("ModSF", "SFPriceCalc", SFPriceCalc);
      flag("ModSF", "SFSeasonSubDeptPLU", SFSeasonSubDeptPLU);
      flag("ModSF", "SFCopyStyleToDesc", SFCopyStyleToDesc);
      flag("ModOrd", "OrdBranchSpecific", OrdBranchSpecific);
      flag("ModOrd", "OrdShowStockSales", OrdShowStockSales);
      flag("ModOrd", "OrdBGMakeLabels", OrdBGMakeLabels);
      flag("ModOrd", "OrdBGSetSKU", OrdBGSetSKU);
      flag("Advanced", "AdvOrderByRootPLU", AdvOrderByRootPLU);
    }
  } catch (const std::exception&) {
    ok = false;
  }
  SelectDatabaseName();
  return ok;
}

void TBOSetupClass::SelectDatabaseName() { DBName = LOUseTrain ? DBTrainName : DBLiveName; }
