// The number-text rules in a point locale (C) and a comma locale (German).
#include "locale_scope.h"
#include "number_text.h"
#include "qstring_printer.h"

#include <gtest/gtest.h>
#include <initializer_list>
#include <limits>
#include <span>
#include <tuple>
#include <utility>

using namespace orvand;
using namespace orvand::test;

namespace {

// A value, its pattern (nullptr: the default conversion) and its text as a
// point locale writes it.
using Shown = std::tuple<double, const char16_t*, const char*>;

class NumberTextInBothLocales : public ::testing::TestWithParam<bool> {
  protected:
    bool comma() const { return GetParam(); }
    LocaleScope locale{GetParam() ? CommaLocale() : PointLocale()};
    // The text a value with a fraction is written with in this locale.
    QString sep(const char* pointText) const {
        return QString::fromLatin1(pointText).replace(u'.', comma() ? u',' : u'.');
    }
};

INSTANTIATE_TEST_SUITE_P(Locales, NumberTextInBothLocales, ::testing::Values(false, true),
                         [](const auto& info) { return info.param ? "Comma" : "Point"; });

} // namespace

// The leading number of a text. Blanks and tabs before the sign or the digits
// are skipped, as in a pasted text. An exponent letter without digits ends the
// number before it (4e), and a second separator ends it too: grouping is never
// read (1.2.3). In a point locale a comma ends the number; in a comma locale it
// is the decimal separator, as the user writes numbers there. What lies beyond
// a double, or is not finite, reads as 0.
TEST_P(NumberTextInBothLocales, PlainReadingTakesTheLeadingNumber) {
    const std::pair<const char16_t*, double> rows[] = {
        {u"2.5", 2.5},   {u"12 W", 12},      {u"120 V", 120}, {u"-45", -45},
        {u"1e3", 1000},  {u"2.5E-1x", 0.25}, {u".5", 0.5},    {u"+7", 7},
        {u"   85V", 85}, {u"\t120", 120},    {u" -45", -45},  {u"\t-4.5", -4.5},
        {u" \t+7", 7},   {u"\t .5", 0.5},    {u"abc", 0},     {u"", 0},
        {u"   ", 0},     {u"\t", 0},         {u"-", 0},       {u".", 0},
        {u"4e", 4},      {u"4e+", 4},        {u"1.2.3", 1.2}, {u"1.234,5", 1.234},
        {u"1e400", 0},   {u"-1e400", 0},     {u"1e-400", 0},  {u"inf", 0},
        {u"nan", 0}};
    for (const auto& [text, value] : rows)
        EXPECT_EQ(PlainReading(text), value) << QString::fromUtf16(text).toStdString();
    EXPECT_EQ(PlainReading(u"2,5"), comma() ? 2.5 : 2.0);
    EXPECT_EQ(PlainReading(u"16,6"), comma() ? 16.6 : 16.0);
    EXPECT_EQ(PlainReading(QString(400, QLatin1Char('9'))), 0.0);
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

// What code writes into a box (no pattern: up to 15 digits, the exponent form
// from 1E+15 up and below 0.0001) and the display patterns (their decimals
// always, halves away from zero on the decimal value, no sign on a value that
// rounds to zero); a value that is not finite is written as 0.
TEST_P(NumberTextInBothLocales, NumbersAreWrittenAsShown) {
    const double nan = std::numeric_limits<double>::quiet_NaN();
    const double inf = std::numeric_limits<double>::infinity();
    const Shown written[] = {{90, nullptr, "90"},         {0, nullptr, "0"},
                             {-0.0, nullptr, "0"},        {0.45, nullptr, "0.45"},
                             {2.5, nullptr, "2.5"},       {-3.5, nullptr, "-3.5"},
                             {0.1 + 0.2, nullptr, "0.3"}, {1234567.5, nullptr, "1234567.5"},
                             {1e15, nullptr, "1E+15"},    {0.0001, nullptr, "0.0001"},
                             {0.00001, nullptr, "1E-05"}, {2.5e-7, nullptr, "2.5E-07"}};
    const Shown patterns[] = {{0.25, u"0.000", "0.250"},    {16.64, u"0.0", "16.6"},
                              {49.7, u"0", "50"},           {0.5, u"0.0", "0.5"},
                              {16640, u"0", "16640"},       {1234567.891, u"0.00", "1234567.89"},
                              {0, u"0.00", "0.00"},         {0.0036875, u"0.00", "0.00"},
                              {9.9996, u"0.000", "10.000"}, {1e-300, u"0.0", "0.0"},
                              {-12.345, u"0.0", "-12.3"}};
    const Shown halves[] = {
        {2.5, u"0", "3"},         {-2.5, u"0", "-3"},           {0.125, u"0.00", "0.13"},
        {1.005, u"0.00", "1.01"}, {0.05, u"0.0", "0.1"},        {0.5, u"0", "1"},
        {0.4999, u"0", "0"},      {99.95, u"0.0", "100.0"},     {-0.04, u"0.0", "0.0"},
        {-0.0, u"0", "0"},        {-0.0004, u"0.000", "0.000"}, {-0.0005, u"0.000", "-0.001"}};
    const Shown notFinite[] = {{nan, u"0.0", "0.0"}, {-inf, u"0", "0"}, {inf, nullptr, "0"}};
    for (const auto rows :
         std::initializer_list<std::span<const Shown>>{written, patterns, halves, notFinite})
        for (const auto& [value, pattern, text] : rows)
            EXPECT_EQ(pattern ? FormatPattern(value, pattern) : DefaultNumberText(value), sep(text))
                << value;
    EXPECT_EQ(DefaultNumberText(999999999999999.0), QStringLiteral("999999999999999"));
    EXPECT_EQ(FormatPattern(1e300, u"0").size(), 301);
}

TEST(NumberText, NoDigitGroupingInALocaleThatGroups) {
    LocaleScope locale{QLocale(QLocale::English, QLocale::UnitedStates)};
    EXPECT_EQ(DefaultNumberText(1234567.5), QStringLiteral("1234567.5"));
    EXPECT_EQ(FormatPattern(16640, u"0.0"), QStringLiteral("16640.0"));
    EXPECT_EQ(PlainReading(u"1,234"), 1.0);
}
