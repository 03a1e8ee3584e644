#pragma once
// Money: fixed-point, 64-bit, four decimal places (1.0000 is 10000).
#include <QtGlobal>
#include <compare>

class Currency {
 public:
  constexpr Currency() = default;
  static constexpr Currency FromRaw(qint64 raw) { Currency c; c.raw_ = raw; return c; }
  static constexpr Currency FromInt(qint64 units) { return FromRaw(units * 10000); }
  // value * 10000 rounded half to even.
  static Currency FromDouble(double value);
  constexpr qint64 Raw() const { return raw_; }
  double ToDouble() const { return static_cast<double>(raw_) / 10000.0; }

  constexpr Currency operator+(Currency o) const { return FromRaw(raw_ + o.raw_); }
  constexpr Currency operator-(Currency o) const { return FromRaw(raw_ - o.raw_); }
  constexpr Currency operator-() const { return FromRaw(-raw_); }
  constexpr Currency& operator+=(Currency o) { raw_ += o.raw_; return *this; }
  constexpr Currency& operator-=(Currency o) { raw_ -= o.raw_; return *this; }
  constexpr Currency operator*(qint64 n) const { return FromRaw(raw_ * n); }
  constexpr auto operator<=>(const Currency&) const = default;

 private:
  qint64 raw_ = 0;
};
