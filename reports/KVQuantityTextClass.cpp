#include "KVQuantityTextClass.h"

#include <vector>

QString KVQuantityTextClass::Text(qint64 quantity) {
  static const std::vector<QString> texts = [] {
    std::vector<QString> t;
    t.reserve(static_cast<size_t>(kHighest - kLowest + 1));
    for (qint64 n = kLowest; n <= kHighest; ++n) t.push_back(QString::number(n));
    return t;
  }();
  if (quantity < kLowest || quantity > kHighest) return QString::number(quantity);
  return texts[static_cast<size_t>(quantity - kLowest)];
}
