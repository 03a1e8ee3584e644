#include "TextMeasure.h"

#include "ReportTypes.h"

#include <QRegularExpression>

#include <cmath>

namespace kr {
namespace {
constexpr qreal kMeasureDpi = 1200;
constexpr qreal kMmPerMeasurePixel = 25.4 / kMeasureDpi;
}  // namespace

const QFontMetricsF& TextMeasure::Metrics(const QFont& font) {
  // Most labels of a report share a font: keep the last one's metrics.
  if (!metrics_ || font != font_) {
    font_ = font;
    QFont big = font;
    big.setPixelSize(std::max(1, static_cast<int>(std::lround(FontPixels96(font) * kMeasureDpi / 96.0))));
    big.setHintingPreference(QFont::PreferNoHinting);
    metrics_.emplace(big);
  }
  return *metrics_;
}

qreal TextMeasure::Width(const QFont& font, const QString& text) {
  return Metrics(font).horizontalAdvance(text) * kMmPerMeasurePixel;
}

qreal TextMeasure::LineHeight(const QFont& font) { return Metrics(font).height() * kMmPerMeasurePixel; }

QStringList TextMeasure::Wrap(const QFont& font, const QString& text, qreal widthMm) {
  Metrics(font);
  QStringList out;
  QString normalised = text;
  normalised.remove('\r');
  for (const QString& paragraph : normalised.split('\n')) WrapParagraph(paragraph, widthMm, out);
  return out;
}

void TextMeasure::WrapParagraph(const QString& paragraph, qreal widthMm, QStringList& out) {
  static const QRegularExpression blanks("\\s+");
  QString line;
  for (const QString& word : paragraph.split(blanks, Qt::SkipEmptyParts)) {
    const QString candidate = line.isEmpty() ? word : line + ' ' + word;
    if (Width(font_, candidate) <= widthMm) {
      line = candidate;
      continue;
    }
    if (!line.isEmpty()) out << line;
    line.clear();
    BreakWord(word, widthMm, line, out);
  }
  out << line;  // an empty paragraph still takes its line
}

void TextMeasure::BreakWord(const QString& word, qreal widthMm, QString& line, QStringList& out) {
  for (const QChar c : word) {
    if (!line.isEmpty() && Width(font_, line + c) > widthMm) {
      out << line;
      line.clear();
    }
    line += c;
  }
}

}  // namespace kr
