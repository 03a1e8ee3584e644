#include "Currency.h"

#include <cmath>

Currency Currency::FromDouble(double value) {
  // nearbyint rounds half to even under the default rounding mode.
  return FromRaw(static_cast<qint64>(std::nearbyint(value * 10000.0)));
}
