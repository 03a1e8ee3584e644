#include "IniFile.h"

#include <QFile>
#include <QFileInfo>
#include <QStringDecoder>

#include <algorithm>
#include <limits>

namespace kos {
namespace {

// No settings file is anywhere near this; anything bigger is not one.
constexpr qint64 kMaxSettingsBytes = 4 * 1024 * 1024;

bool LooksBinary(const QString& text) {
  for (QChar c : text) {
    const char16_t u = c.unicode();
    if (u < 0x20 && u != '\t' && u != '\n' && u != '\r' && u != '\f') return true;
    if (u == 0x7F || u == 0xFFFD) return true;
  }
  return false;
}

// Windows reads UTF-16 files with their byte-order mark, UTF-8 with or
// without one, and anything else in the machine's 8-bit code page.
QString Decode(const QByteArray& bytes) {
  if (bytes.startsWith("\xFF\xFE")) return QStringDecoder(QStringDecoder::Utf16LE)(bytes.mid(2));
  if (bytes.startsWith("\xFE\xFF")) return QStringDecoder(QStringDecoder::Utf16BE)(bytes.mid(2));
  QStringDecoder utf8(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
  QString text = utf8(bytes.startsWith("\xEF\xBB\xBF") ? bytes.mid(3) : bytes);
  if (utf8.hasError()) text = QString::fromLatin1(bytes);
  return text;
}

QString Unquote(const QString& v) {
  if (v.size() >= 2 && (v.front() == '"' || v.front() == '\'') && v.back() == v.front())
    return v.mid(1, v.size() - 2);
  return v;
}

}  // namespace

IniFile::IniFile(const QString& fileName) : fileName_(fileName) {
  const QFileInfo info(fileName);
  if (!info.isFile() || info.size() > kMaxSettingsBytes) return;
  QFile f(fileName);
  if (!f.open(QIODevice::ReadOnly)) return;
  const QByteArray bytes = f.readAll();
  if (f.error() != QFileDevice::NoError) return;
  if (bytes.contains('\0') && !bytes.startsWith("\xFF\xFE") && !bytes.startsWith("\xFE\xFF")) return;
  const QString text = Decode(bytes);
  if (LooksBinary(text)) return;
  Parse(text);
  loaded_ = true;
}

void IniFile::Parse(const QString& text) {
  QHash<QString, QString>* current = nullptr;  // none before the first section
  const auto lines = QStringView(text).split(u'\n');
  for (QStringView raw : lines) {
    const QStringView line = raw.trimmed();
    if (line.isEmpty() || line.front() == ';' || line.front() == '#') continue;
    if (line.front() == '[') {
      const qsizetype close = line.indexOf(u']');
      const QStringView name = line.mid(1, close < 0 ? -1 : close - 1).trimmed();
      current = &sections_[name.toString().toLower()];
      continue;
    }
    const qsizetype eq = line.indexOf(u'=');
    if (!current || eq <= 0) continue;
    const QString key = line.left(eq).trimmed().toString().toLower();
    if (key.isEmpty() || current->contains(key)) continue;  // the first one wins
    current->insert(key, Unquote(line.mid(eq + 1).trimmed().toString()));
  }
}

const QString* IniFile::Find(const QString& section, const QString& key) const {
  const auto s = sections_.constFind(section.trimmed().toLower());
  if (s == sections_.constEnd()) return nullptr;
  const auto k = s->constFind(key.trimmed().toLower());
  return k == s->constEnd() ? nullptr : &*k;
}

bool IniFile::SectionExists(const QString& section) const {
  return sections_.contains(section.trimmed().toLower());
}

bool IniFile::ValueExists(const QString& section, const QString& key) const {
  return Find(section, key) != nullptr;
}

QString IniFile::ReadString(const QString& section, const QString& key,
                            const QString& def) const {
  const QString* v = Find(section, key);
  return v ? *v : def;
}

int IniFile::ParseInteger(const QString& text, bool* ok) {
  QStringView t = QStringView(text).trimmed();
  const bool negative = t.startsWith(u'-');
  if (negative || t.startsWith(u'+')) t = t.mid(1);
  int base = 10;
  if (t.startsWith(u'$')) {
    base = 16;
    t = t.mid(1);
  } else if (t.startsWith(u"0x", Qt::CaseInsensitive)) {
    base = 16;
    t = t.mid(2);
  }
  const auto isDigit = [base](QChar c) {
    return c.isDigit() || (base == 16 && QStringLiteral("abcdefABCDEF").contains(c));
  };
  bool good = !t.isEmpty() && t.size() <= 16 && std::all_of(t.begin(), t.end(), isDigit);
  const qint64 magnitude = good ? t.toLongLong(&good, base) : 0;
  const qint64 value = negative ? -magnitude : magnitude;
  good = good && value >= std::numeric_limits<int>::min() &&
         value <= std::numeric_limits<int>::max();
  if (ok) *ok = good;
  return good ? static_cast<int>(value) : 0;
}

int IniFile::ReadInteger(const QString& section, const QString& key, int def) const {
  const QString* v = Find(section, key);
  if (!v) return def;
  bool ok = false;
  const int n = ParseInteger(*v, &ok);
  return ok ? n : def;
}

bool IniFile::ReadBool(const QString& section, const QString& key, bool def) const {
  return ReadInteger(section, key, def ? 1 : 0) != 0;
}

}  // namespace kos
