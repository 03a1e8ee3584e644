#pragma once
// The owner-drawn items of the reports' pick lists (the branch selector, the
// checklist of values): the item's background, then its name, in the
// highlight text colour when selected, grey when disabled, else black, at an
// offset from the item's top-left corner.
#include <QPoint>
#include <QString>

class QFont;
class QPainter;
class QStyleOptionViewItem;

class TPickItemDrawClass {
 public:
  static void Draw(QPainter& p, const QStyleOptionViewItem& option, const QFont& font, const QString& name,
                   QPoint offset);
};
