#pragma once
// Text measurement for the report layout, in millimetres of paper. Fonts are
// measured at 1200 dpi, where the rounding of glyph sizes is negligible, so
// the layout is the same whatever device the pages are painted on later.
#include <QFont>
#include <QFontMetricsF>
#include <QStringList>

#include <optional>

namespace kr {

class TextMeasure {
 public:
  qreal Width(const QFont& font, const QString& text);
  qreal LineHeight(const QFont& font);
  // Breaks the text into lines no wider than the width: at blanks where it
  // can, inside a word that is wider than a line by itself, and at every
  // line break of the text.
  QStringList Wrap(const QFont& font, const QString& text, qreal widthMm);

 private:
  const QFontMetricsF& Metrics(const QFont& font);
  void WrapParagraph(const QString& paragraph, qreal widthMm, QStringList& out);
  void BreakWord(const QString& word, qreal widthMm, QString& line, QStringList& out);

  QFont font_;
  std::optional<QFontMetricsF> metrics_;
};

}  // namespace kr
