#include "FileVersion.h"

#include <QByteArray>
#include <QFile>
#include <QStringList>

#include <algorithm>
#include <array>
#include <functional>

namespace kos {

namespace {

constexpr int kMarkerSize = 16;
constexpr int kNumbers = 4;

// The record's marker, kept here with every byte inverted so that this
// program's own bytes never hold the marker by accident.
QByteArray Marker() {
  static constexpr std::array<unsigned char, kMarkerSize> inverted = {
      0x28, 0xB4, 0x89, 0xB9, 0x96, 0x93, 0x9A, 0xA9,
      0x9A, 0x8D, 0x8C, 0x96, 0x90, 0x91, 0xE5, 0x71};
  QByteArray marker(kMarkerSize, '\0');
  for (int i = 0; i < kMarkerSize; ++i) marker[i] = static_cast<char>(~inverted[i]);
  return marker;
}

QString VersionIn(const char* begin, const char* end) {
  const QByteArray marker = Marker();
  const std::boyer_moore_horspool_searcher searcher(marker.cbegin(), marker.cend());
  const char* found = std::search(begin, end, searcher);
  if (end - found < kMarkerSize + 2 * kNumbers) return {};
  const auto* bytes = reinterpret_cast<const unsigned char*>(found + kMarkerSize);
  QStringList numbers;
  for (int i = 0; i < kNumbers; ++i) {
    numbers << QString::number(bytes[2 * i] | (bytes[2 * i + 1] << 8));
  }
  return numbers.join(u'.');
}

}  // namespace

QString GetFileVersion(const QString& fileName) {
  QFile file(fileName);
  if (!file.open(QIODevice::ReadOnly) || file.size() <= 0) return {};
  if (const uchar* mapped = file.map(0, file.size())) {
    const auto* begin = reinterpret_cast<const char*>(mapped);
    return VersionIn(begin, begin + file.size());
  }
  const QByteArray all = file.readAll();
  return VersionIn(all.cbegin(), all.cend());
}

}  // namespace kos
