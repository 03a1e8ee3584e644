#include "HtmlTagClass.h"

#include <QtGlobal>

#include <stdexcept>

namespace {

// The web address a person replaces with the real one.
const QString kScheme = QStringLiteral("http://");

}  // namespace

const std::array<THtmlTagClass::Tag, 12>& THtmlTagClass::Tags() {
  static const std::array<Tag, 12> tags = {{
      {"ButtonTagBold", "Bold", "<b>", "</b>"},
      {"ButtonTagItalic", "Italic", "<i>", "</i>"},
      {"ButtonTagUnderline", "Underline", "<u>", "</u>"},
      {"ButtonTagBullet", "Bullet", "<li>", "</li>"},
      {"ButtonTahPara", "Paragraph", "<p>", "</p>"},
      {"ButtonTagH1", "Header 1", "<h1>", "</h1>"},
      {"ButtonTagH2", "Header 2", "<h2>", "</h2>"},
      {"ButtonH3", "Header 3", "<h3>", "</h3>"},
      {"ButtonTagImage", "Image", "<img src=\"" + kScheme + "enter image full url path here\" />", QString()},
      {"ButtonTagLink", "URL", "<a href=\"" + kScheme + "enter full url path here\">enter url link caption here",
       "</a>"},
      {"ButtonTagBR", "New Line", "<br />", QString()},
      {"ButtonTagHR", "HR", "<hr />", QString()},
  }};
  return tags;
}

const THtmlTagClass::Tag& THtmlTagClass::Of(const QString& component) {
  for (const Tag& tag : Tags())
    if (component == QLatin1String(tag.component)) return tag;
  throw std::out_of_range("No mark-up button " + component.toStdString());
}

THtmlTagClass::Insertion THtmlTagClass::Insert(const QString& text, int start, int length, const QString& opening,
                                                const QString& closing) {
  const int size = static_cast<int>(text.size());
  start = qBound(0, start, size);
  length = qBound(0, length, size - start);
  Insertion r;
  r.text = text.left(start) + opening + text.mid(start, length) + closing + text.mid(start + length);
  r.caret = start + length + static_cast<int>(opening.size() + closing.size());
  return r;
}
