#pragma once
// The version of a program file, read from the version record that the build
// writes into every program of the suite (VersionRecord.cpp).
#include <QString>

namespace kos {

// "major.minor.release.build" in decimal, read from the file's bytes, so it
// works for any program file, not only the running one. "" when the file
// cannot be read or holds no version record.
QString GetFileVersion(const QString& fileName);

}  // namespace kos
