#include "Utils.h"

#include "Format.h"

namespace kos {

namespace {

bool IsBlankOrControl(QChar c) { return c <= u' '; }

}  // namespace

QString CleanEntry(const QString& text) {
  QString out = text;
  out.remove(u'\'').remove(u'"');
  out = out.toUpper();
  qsizetype begin = 0, end = out.size();
  while (begin < end && IsBlankOrControl(out[begin])) ++begin;
  while (end > begin && IsBlankOrControl(out[end - 1])) --end;
  return out.mid(begin, end - begin);
}

QStringList SplitEntries(const QString& text) {
  QStringList entries;
  const QStringList pieces = text.split(u',');
  for (qsizetype i = 0; i < pieces.size(); ++i) {
    const QString entry = CleanEntry(pieces[i]);
    const bool last = i + 1 == pieces.size();
    if (!last || !entry.isEmpty()) entries << entry;
  }
  return entries;
}

QString DateToSql(const QDate& date) {
  return u'\'' + FormatDateTime(QStringLiteral("yyyy-mm-dd"), date) + u'\'';
}

int ContrastTextColour(int background) {
  constexpr int kWhite = 0xFFFFFF, kBlack = 0;
  if (background == 0 || background == -1) return kWhite;
  const int red = background & 0xFF;
  const int green = (background >> 8) & 0xFF;
  const int blue = (background >> 16) & 0xFF;
  return 2 * red + 5 * green + blue > 1024 ? kBlack : kWhite;
}

}  // namespace kos
