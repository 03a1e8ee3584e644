#include "Format.h"

#include <gtest/gtest.h>

#include <QLocale>

#include <limits>

namespace {

qint64 Raw(const char* text) { return kos::TextToCurrency(QString::fromUtf8(text)).Raw(); }

TEST(TextToCurrency, DecimalTimesTenThousandHalvesToEven) {
  EXPECT_EQ(Raw("7.5"), 75000);
  EXPECT_EQ(Raw(" 12.3456 "), 123456);
  EXPECT_EQ(Raw("-5."), -50000);
  EXPECT_EQ(Raw(".5"), 5000);
  EXPECT_EQ(Raw("+1e2"), 1000000);
  EXPECT_EQ(Raw("25E-6"), 0);   // 0.25 ten-thousandths
  EXPECT_EQ(Raw("0.00005"), 0);   // half: to the even 0
  EXPECT_EQ(Raw("0.00015"), 2);   // half: to the even 2
  EXPECT_EQ(Raw("0.00025"), 2);
  EXPECT_EQ(Raw("-0.00035"), -4);
  EXPECT_EQ(Raw("0.000050001"), 1);  // above the half
  EXPECT_EQ(Raw("0.99995"), 10000);  // carries into the units
  EXPECT_EQ(Raw("922337203685477.5807"), std::numeric_limits<qint64>::max());
}

TEST(TextToCurrency, TextThatIsNoNumberGivesZero) {
  for (const char* bad : {"", " ", "abc", ".", "-", "1,000", "1.2.3", "12a", "1e", "e5", "0x10",
                          "922337203685477.5808", "1e30"}) {
    EXPECT_EQ(Raw(bad), 0) << bad;
    EXPECT_FALSE(kos::TryTextToCurrency(QString::fromUtf8(bad)).has_value()) << bad;
  }
  EXPECT_EQ(kos::TryTextToCurrency("0"), Currency{});
}

TEST(TextToFloat, ReadsPlainDecimalsOnly) {
  EXPECT_EQ(kos::TextToFloat("1.5"), 1.5);
  EXPECT_EQ(kos::TextToFloat(" -2e3 "), -2000.0);
  EXPECT_EQ(kos::TextToFloat("5."), 5.0);
  EXPECT_FALSE(kos::TextToFloat("1,5").has_value());
  EXPECT_FALSE(kos::TextToFloat("nan").has_value());
  EXPECT_FALSE(kos::TextToFloat("1e400").has_value());
}

struct FloatCase {
  const char* format;
  double value;
  const char* text;
};

TEST(FormatFloat, PicturesOfTheProgramsRoundHalfAwayFromZero) {
  const FloatCase cases[] = {
      {"0.00", 7.5, "7.50"},          {"0.00", 2.675, "2.68"},
      {"0.00", 1.005, "1.01"},        {"0.00", -1.005, "-1.01"},
      {"0.00", 0.125f, "0.13"},       {"0.00", -0.001, "0.00"},
      {"0.00", 1e-20, "0.00"},        {"0.00", 12345678.9, "12345678.90"},
      {"00", 5, "05"},                {"00", 123, "123"},
      {"00", 2.5, "03"},              {"00000000", 517, "00000517"},
      {"00000000", -517, "-00000517"}, {"0", -2.5, "-3"},
      {"#,##0.00", 1234567.891, "1,234,567.89"},
      {"#,##0.00", -1234.5, "-1,234.50"},
      {"#,##0.00", 999.995, "1,000.00"},
      {"#,##0.00", 0, "0.00"},        {"#,##0.00", 12, "12.00"},
      {"0.000", 1.0 / 3.0, "0.333"},  {"0.000", 2.0 / 3.0, "0.667"},
      {"0.0000", 0.00005, "0.0001"},  {"0.##", 1.5, "1.5"},
      {"(0.00)", 3, "(3.00)"},
  };
  for (const FloatCase& c : cases) {
    EXPECT_EQ(kos::FormatFloat(c.format, c.value), c.text) << c.format << " " << c.value;
  }
}

TEST(FormatFloat, MoneyFromItsExactDigits) {
  EXPECT_EQ(kos::FormatFloat("0.00", Currency::FromRaw(75000)), "7.50");
  EXPECT_EQ(kos::FormatFloat("0.00", Currency::FromRaw(12350)), "1.24");
  EXPECT_EQ(kos::FormatFloat("0.00", Currency::FromRaw(-12350)), "-1.24");
  EXPECT_EQ(kos::FormatFloat("0.00", Currency::FromRaw(-49)), "0.00");
  EXPECT_EQ(kos::FormatFloat("0.0000", Currency::FromRaw(-1)), "-0.0001");
  EXPECT_EQ(kos::FormatFloat("#,##0.00", Currency::FromRaw(std::numeric_limits<qint64>::max())),
            "922,337,203,685,477.58");
  EXPECT_EQ(kos::FormatFloat("#,##0.00", Currency::FromRaw(std::numeric_limits<qint64>::min())),
            "-922,337,203,685,477.58");
}

TEST(FormatDateTime, PatternsOfTheProgramsAndTheMinutesRule) {
  const QDateTime t(QDate(2009, 3, 5), QTime(7, 8, 9, 45));
  EXPECT_EQ(kos::FormatDateTime("yyyy-mm-dd", t), "2009-03-05");
  EXPECT_EQ(kos::FormatDateTime("yyyy-mm-dd ", t), "2009-03-05 ");
  EXPECT_EQ(kos::FormatDateTime("yyyy-mm-dd hh:nn:ss", t), "2009-03-05 07:08:09");
  EXPECT_EQ(kos::FormatDateTime("dd/mm/yyyy", t), "05/03/2009");
  EXPECT_EQ(kos::FormatDateTime("hh:nn:ss.zzz", t), "07:08:09.045");
  EXPECT_EQ(kos::FormatDateTime("hh:mm", t), "07:08");
  EXPECT_EQ(kos::FormatDateTime("d/m/yy h:n:s.z", t), "5/3/09 7:8:9.45");
  EXPECT_EQ(kos::FormatDateTime("ddd dddd mmm mmmm", t), "Thu Thursday Mar March");
  EXPECT_EQ(kos::FormatDateTime("'day' d \"mm\"", t), "day 5 mm");
  EXPECT_EQ(kos::FormatDateTime("yyyy-mm-dd", QDate(2024, 12, 31)), "2024-12-31");
  EXPECT_EQ(kos::FormatDateTime("hh:nn:ss.zzz", QTime::fromMSecsSinceStartOfDay(3723004)),
            "01:02:03.004");
}

TEST(Formats, IgnoreTheMachinesLocale) {
  const QLocale old;
  QLocale::setDefault(QLocale(QLocale::German, QLocale::Germany));
  EXPECT_EQ(kos::FormatFloat("#,##0.00", 1234.5), "1,234.50");
  EXPECT_EQ(kos::TextToFloat("1.5"), 1.5);
  EXPECT_EQ(Raw("1.5"), 15000);
  EXPECT_EQ(kos::FormatDateTime("dddd", QDate(2009, 3, 5)), "Thursday");
  QLocale::setDefault(old);
}

}  // namespace
