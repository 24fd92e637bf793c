#include "core/NumberText.h"

#include <QLocale>

#include <gtest/gtest.h>

using namespace cfx;

TEST(NumericValue, ReadsTheLeadingNumericPart) {
    EXPECT_DOUBLE_EQ(numericValue("10"), 10.0);
    EXPECT_DOUBLE_EQ(numericValue("  250abc"), 250.0);
    EXPECT_DOUBLE_EQ(numericValue("3.75 m"), 3.75);
    EXPECT_DOUBLE_EQ(numericValue("-12"), -12.0);
    EXPECT_DOUBLE_EQ(numericValue(".5"), 0.5);
    EXPECT_DOUBLE_EQ(numericValue("1e3x"), 1000.0);
    EXPECT_DOUBLE_EQ(numericValue("1e"), 1.0);  // an exponent without digits is not part of it
    EXPECT_DOUBLE_EQ(numericValue("1,5"), 1.0); // only "." is a decimal point
}

TEST(NumericValue, PlainIntegersOfAnyLength) {
    EXPECT_DOUBLE_EQ(numericValue("+7"), 7.0);
    EXPECT_DOUBLE_EQ(numericValue(" 007"), 7.0);
    EXPECT_DOUBLE_EQ(numericValue("2147483648"), 2147483648.0);
    EXPECT_DOUBLE_EQ(numericValue("-999999999999999"), -999999999999999.0);
    EXPECT_DOUBLE_EQ(numericValue("12345678901234567890"), 12345678901234567890.0);
}

TEST(NumericValue, IsZeroWithoutANumber) {
    EXPECT_DOUBLE_EQ(numericValue(""), 0.0);
    EXPECT_DOUBLE_EQ(numericValue(" "), 0.0);
    EXPECT_DOUBLE_EQ(numericValue("abc"), 0.0);
    EXPECT_DOUBLE_EQ(numericValue("-"), 0.0);
    EXPECT_DOUBLE_EQ(numericValue("."), 0.0);
    EXPECT_DOUBLE_EQ(numericValue("S00:00:10.00"), 0.0);
}

TEST(RoundHalfEven, SendsHalvesToTheEvenNeighbour) {
    EXPECT_EQ(roundHalfEven(4.5), 4);
    EXPECT_EQ(roundHalfEven(5.5), 6);
    EXPECT_EQ(roundHalfEven(2.5), 2);
    EXPECT_EQ(roundHalfEven(-2.5), -2);
    EXPECT_EQ(roundHalfEven(-3.5), -4);
    EXPECT_EQ(roundHalfEven(2.5000001), 3);
    EXPECT_EQ(roundHalfEven(0.49), 0);
}

TEST(RoundHalfEven, SaturatesInsteadOfOverflowing) {
    EXPECT_EQ(roundHalfEvenToInt32(3e9), 2147483647);
    EXPECT_EQ(roundHalfEvenToInt32(-3e9), -2147483647 - 1);
    EXPECT_EQ(roundHalfEven(1e300), std::numeric_limits<qint64>::max());
}

TEST(TwoDigits, PadsToAtLeastTwo) {
    EXPECT_EQ(twoDigits(0), "00");
    EXPECT_EQ(twoDigits(7), "07");
    EXPECT_EQ(twoDigits(59), "59");
    EXPECT_EQ(twoDigits(142), "142");
}

class LocaleFormats : public ::testing::Test {
protected:
    void SetUp() override { QLocale::setDefault(QLocale::c()); }
};

TEST(Formats, FixedAndHashesInTheCLocale) {
    // The test process runs with LANG unset or C, so the system locale is C.
    if (QLocale::system().decimalPoint() != QLatin1String("."))
        GTEST_SKIP() << "system locale does not use '.'";
    EXPECT_EQ(formatFixed(100.0), "100.00");
    EXPECT_EQ(formatFixed(46.153846), "46.15");
    EXPECT_EQ(formatFixed(0.004), "0.00");
    EXPECT_EQ(formatFixed(12345.678), "12345.68"); // no grouping
    EXPECT_EQ(formatHashes(36.0), "36.0");
    EXPECT_EQ(formatHashes(20.454545), "20.4545");
    EXPECT_EQ(formatHashes(6.81818), "6.8182");
    EXPECT_EQ(formatHashes(0.5), "0.5");
    EXPECT_EQ(formatHashes(1234567.25), "1234567.25");
}

TEST(Formats, GeneralDateHasNoTimeZone) {
    const QDateTime when(QDate(2026, 3, 4), QTime(13, 5, 6));
    const QString text = generalDate(when);
    EXPECT_TRUE(text.contains("13:05:06") || text.contains("1:05:06")) << text.toStdString();
    EXPECT_FALSE(text.contains("UTC")) << text.toStdString();
    EXPECT_FALSE(text.endsWith(' '));
}
