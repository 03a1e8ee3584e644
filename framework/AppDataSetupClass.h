#pragma once
// The two application-data folders every program's settings live below.
#include <QString>

class TAppDataSetupClass {
 public:
  TAppDataSetupClass() = default;
  virtual ~TAppDataSetupClass() = default;
  TAppDataSetupClass(const TAppDataSetupClass&) = delete;
  TAppDataSetupClass& operator=(const TAppDataSetupClass&) = delete;

  // Fills both folders (each with a trailing "/"); true when the user's
  // application-data folder exists.
  virtual bool Locate();

  // The machine's folder of a shell folder id (kos::CSIDL_...), "" when unknown.
  static QString GetSpecialFolder(int csidl);

  QString GetAppDataFolder() const { return AppDataFolder; }
  QString GetCommonAppDataFolder() const { return CommonAppDataFolder; }

 protected:
  QString AppDataFolder;
  QString CommonAppDataFolder;
};
