#pragma once
// Reader of Windows-style settings files:
//
//   [Section]
//   Key=Value
//
// Sections and keys match without regard to case; the first occurrence of a
// key wins; blanks around keys and values are dropped, as are quotes around
// a whole value; lines beginning with ";" or "#" are comments. A key that is
// missing keeps the default the caller gives.
//
// A file that cannot be read as settings - missing, a folder, unreadable or
// binary - is not Loaded(); every read then returns its default. A text file
// is read as Windows reads it: key lines before the first section belong to
// no section and are never found, so a file of keys without any section (or
// an empty one) is Loaded() and every read gives its default.
#include <QHash>
#include <QString>

namespace kos {

class IniFile {
 public:
  explicit IniFile(const QString& fileName);

  QString FileName() const { return fileName_; }
  bool Loaded() const { return loaded_; }

  bool SectionExists(const QString& section) const;
  bool ValueExists(const QString& section, const QString& key) const;

  QString ReadString(const QString& section, const QString& key, const QString& def) const;
  // Decimal, or hexadecimal with "$" or "0x"; text that is no 32-bit integer
  // gives the default.
  int ReadInteger(const QString& section, const QString& key, int def) const;
  // True for a non-zero integer, false for zero; any other text gives the default.
  bool ReadBool(const QString& section, const QString& key, bool def) const;

  // The integer of a settings text as ReadInteger reads it; *ok false when it is none.
  static int ParseInteger(const QString& text, bool* ok);

 private:
  void Parse(const QString& text);
  const QString* Find(const QString& section, const QString& key) const;

  QString fileName_;
  bool loaded_ = false;
  // Lower-cased section -> lower-cased key -> value.
  QHash<QString, QHash<QString, QString>> sections_;
};

}  // namespace kos
