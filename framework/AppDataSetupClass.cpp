#include "AppDataSetupClass.h"

#include "Folders.h"

bool TAppDataSetupClass::Locate() {
  AppDataFolder = kos::IncludeTrailingPathDelimiter(GetSpecialFolder(kos::CSIDL_APPDATA));
  CommonAppDataFolder =
      kos::IncludeTrailingPathDelimiter(GetSpecialFolder(kos::CSIDL_COMMON_APPDATA));
  return kos::DirectoryExists(AppDataFolder);
}

QString TAppDataSetupClass::GetSpecialFolder(int csidl) { return kos::GetSpecialFolder(csidl); }
