// The number-text rules in a point locale (C) and a comma locale (German).
#include "locale_scope.h"
#include "number_text.h"

#include <gtest/gtest.h>
#include <limits>

using namespace orvand;
using test::CommaLocale;
using test::LocaleScope;
using test::PointLocale;

namespace {

class NumberTextInBothLocales : public ::testing::TestWithParam<bool> {
protected:
    bool comma() const { return GetParam(); }
    LocaleScope locale{GetParam() ? CommaLocale() : PointLocale()};
    // The text a value with a fraction is written with in this locale.
    QString sep(const char* pointText) const {
        QString text = QString::fromLatin1(pointText);
        if (comma())
            text.replace(QLatin1Char('.'), QLatin1Char(','));
        return text;
    }
};

INSTANTIATE_TEST_SUITE_P(Locales, NumberTextInBothLocales, ::testing::Values(false, true),
                         [](const auto& info) { return info.param ? "Comma" : "Point"; });

} // namespace

TEST_P(NumberTextInBothLocales, PlainReadingTakesTheLeadingNumber) {
    EXPECT_EQ(PlainReading(u"2.5"), 2.5);
    EXPECT_EQ(PlainReading(u"12 W"), 12.0);
    EXPECT_EQ(PlainReading(u"120 V"), 120.0);
    EXPECT_EQ(PlainReading(u"-45"), -45.0);
    EXPECT_EQ(PlainReading(u"1e3"), 1000.0);
    EXPECT_EQ(PlainReading(u"2.5E-1x"), 0.25);
    EXPECT_EQ(PlainReading(u".5"), 0.5);
    EXPECT_EQ(PlainReading(u"+7"), 7.0);
    EXPECT_EQ(PlainReading(u"   85V"), 85.0);
    EXPECT_EQ(PlainReading(u"abc"), 0.0);
    EXPECT_EQ(PlainReading(u""), 0.0);
    EXPECT_EQ(PlainReading(u"   "), 0.0);
    EXPECT_EQ(PlainReading(u"-"), 0.0);
    EXPECT_EQ(PlainReading(u"."), 0.0);
    // An exponent letter without digits ends the number before it.
    EXPECT_EQ(PlainReading(u"4e"), 4.0);
    EXPECT_EQ(PlainReading(u"4e+"), 4.0);
    // A second separator ends the number: grouping is never read.
    EXPECT_EQ(PlainReading(u"1.2.3"), 1.2);
}

TEST_P(NumberTextInBothLocales, PlainReadingReadsTheLocalesOwnSeparatorOnlyThere) {
    // In a point locale a comma ends the number; in a comma locale it is the
    // decimal separator, as the user writes numbers there.
    EXPECT_EQ(PlainReading(u"2,5"), comma() ? 2.5 : 2.0);
    EXPECT_EQ(PlainReading(u"16,6"), comma() ? 16.6 : 16.0);
    EXPECT_EQ(PlainReading(u"1.234,5"), 1.234);
}

TEST_P(NumberTextInBothLocales, OutOfRangeAndNotFiniteReadAsZero) {
    EXPECT_EQ(PlainReading(u"1e400"), 0.0);
    EXPECT_EQ(PlainReading(u"-1e400"), 0.0);
    EXPECT_EQ(PlainReading(u"1e-400"), 0.0);
    EXPECT_EQ(PlainReading(QString(400, QLatin1Char('9'))), 0.0);
    EXPECT_EQ(PlainReading(u"inf"), 0.0);
    EXPECT_EQ(PlainReading(u"nan"), 0.0);
    EXPECT_EQ(LocaleReading(QStringLiteral("inf")), 0.0);
    EXPECT_EQ(LocaleReading(QStringLiteral("1e400")), 0.0);
    EXPECT_EQ(TextToNumberValue(QStringLiteral("9,9e999")), 0.0);
    EXPECT_FALSE(std::signbit(PlainReading(u"-0")));
}

TEST_P(NumberTextInBothLocales, TextToNumberHandsCommaTextsToTheLocaleReading) {
    EXPECT_EQ(std::get<double>(TextToNumber(QStringLiteral("0.45"))), 0.45);
    EXPECT_EQ(std::get<double>(TextToNumber(QString())), 0.0);
    EXPECT_EQ(std::get<double>(TextToNumber(QStringLiteral("abc"))), 0.0);
    EXPECT_EQ(std::get<QString>(TextToNumber(QStringLiteral("0,45"))), QStringLiteral("0,45"));

    EXPECT_EQ(TextToNumberValue(QStringLiteral("0.45")), 0.45);
    EXPECT_EQ(TextToNumberValue(QStringLiteral("0,45")), comma() ? 0.45 : 0.0);
    // A comma text the locale cannot read gives 0, never a negative value.
    EXPECT_EQ(TextToNumberValue(QStringLiteral("-0,4,5x")), 0.0);
    EXPECT_EQ(TextToNumberValue(QStringLiteral(",")), 0.0);
}

TEST_P(NumberTextInBothLocales, DefaultConversionWritesUpTo15Digits) {
    EXPECT_EQ(DefaultNumberText(90), QStringLiteral("90"));
    EXPECT_EQ(DefaultNumberText(0), QStringLiteral("0"));
    EXPECT_EQ(DefaultNumberText(-0.0), QStringLiteral("0"));
    EXPECT_EQ(DefaultNumberText(0.45), sep("0.45"));
    EXPECT_EQ(DefaultNumberText(2.5), sep("2.5"));
    EXPECT_EQ(DefaultNumberText(-3.5), sep("-3.5"));
    EXPECT_EQ(DefaultNumberText(0.1 + 0.2), sep("0.3"));
    EXPECT_EQ(DefaultNumberText(1234567.5), sep("1234567.5"));
    EXPECT_EQ(DefaultNumberText(999999999999999.0), QStringLiteral("999999999999999"));
    EXPECT_EQ(DefaultNumberText(1e15), QStringLiteral("1E+15"));
    EXPECT_EQ(DefaultNumberText(0.0001), sep("0.0001"));
    EXPECT_EQ(DefaultNumberText(0.00001), QStringLiteral("1E-05"));
    EXPECT_EQ(DefaultNumberText(2.5e-7), sep("2.5E-07"));
}

TEST_P(NumberTextInBothLocales, WrittenValuesReadBackAsTheSameNumber) {
    for (double value : {90.0, 2.5, 0.45, 3.5, 16.6, 1.5, -12.25, 1e15, 2.5e-7, 0.0001, 121.0})
        EXPECT_EQ(PlainReading(DefaultNumberText(value)), value) << value;
    for (double value : {16.64, 0.25, 602.21})
        EXPECT_EQ(PlainReading(FormatPattern(value, u"0.00")), value) << value;
    EXPECT_EQ(PlainReading(FormatPattern(16.6399999999998, u"0.0")), 16.6);
    EXPECT_EQ(TextToNumberValue(DefaultNumberText(0.45)), 0.45);
    // 15 digits of the largest double round past it; it still reads back.
    const double largest = std::numeric_limits<double>::max();
    EXPECT_EQ(PlainReading(DefaultNumberText(largest)), largest);
    EXPECT_EQ(PlainReading(DefaultNumberText(-largest)), -largest);
}

TEST_P(NumberTextInBothLocales, DisplayPatterns) {
    EXPECT_EQ(FormatPattern(0.25, u"0.000"), sep("0.250"));
    EXPECT_EQ(FormatPattern(16.64, u"0.0"), sep("16.6"));
    EXPECT_EQ(FormatPattern(49.7, u"0"), QStringLiteral("50"));
    EXPECT_EQ(FormatPattern(0.5, u"0.0"), sep("0.5"));
    EXPECT_EQ(FormatPattern(16640, u"0"), QStringLiteral("16640"));
    EXPECT_EQ(FormatPattern(1234567.891, u"0.00"), sep("1234567.89"));
    EXPECT_EQ(FormatPattern(0, u"0.00"), sep("0.00"));
    EXPECT_EQ(FormatPattern(0.0036875, u"0.00"), sep("0.00"));
    EXPECT_EQ(FormatPattern(9.9996, u"0.000"), sep("10.000"));
    EXPECT_EQ(FormatPattern(1e-300, u"0.0"), sep("0.0"));
    EXPECT_EQ(FormatPattern(-12.345, u"0.0"), sep("-12.3"));
}

TEST_P(NumberTextInBothLocales, HalvesRoundAwayFromZeroOnTheDecimalValue) {
    EXPECT_EQ(FormatPattern(2.5, u"0"), QStringLiteral("3"));
    EXPECT_EQ(FormatPattern(-2.5, u"0"), QStringLiteral("-3"));
    EXPECT_EQ(FormatPattern(0.125, u"0.00"), sep("0.13"));
    EXPECT_EQ(FormatPattern(1.005, u"0.00"), sep("1.01"));
    EXPECT_EQ(FormatPattern(0.05, u"0.0"), sep("0.1"));
    EXPECT_EQ(FormatPattern(0.5, u"0"), QStringLiteral("1"));
    EXPECT_EQ(FormatPattern(0.4999, u"0"), QStringLiteral("0"));
    EXPECT_EQ(FormatPattern(99.95, u"0.0"), sep("100.0"));
}

TEST_P(NumberTextInBothLocales, ANegativeValueThatRoundsToZeroHasNoSign) {
    EXPECT_EQ(FormatPattern(-0.04, u"0.0"), sep("0.0"));
    EXPECT_EQ(FormatPattern(-0.0, u"0"), QStringLiteral("0"));
    EXPECT_EQ(FormatPattern(-0.0004, u"0.000"), sep("0.000"));
    EXPECT_EQ(FormatPattern(-0.0005, u"0.000"), sep("-0.001"));
}

TEST_P(NumberTextInBothLocales, NonFiniteValuesAreNeverWritten) {
    const double nan = std::numeric_limits<double>::quiet_NaN();
    const double inf = std::numeric_limits<double>::infinity();
    EXPECT_EQ(FormatPattern(nan, u"0.0"), sep("0.0"));
    EXPECT_EQ(FormatPattern(-inf, u"0"), QStringLiteral("0"));
    EXPECT_EQ(DefaultNumberText(inf), QStringLiteral("0"));
    EXPECT_EQ(FormatPattern(1e300, u"0").size(), 301);
}

TEST(NumberText, NoDigitGroupingInALocaleThatGroups) {
    LocaleScope locale{QLocale(QLocale::English, QLocale::UnitedStates)};
    EXPECT_EQ(DefaultNumberText(1234567.5), QStringLiteral("1234567.5"));
    EXPECT_EQ(FormatPattern(16640, u"0.0"), QStringLiteral("16640.0"));
    EXPECT_EQ(PlainReading(u"1,234"), 1.0);
}
