// Fuzzes the number-text rules with arbitrary texts and doubles, in a point and a
// comma locale. Besides "no crash" it checks what the rest of the program relies
// on: every reading is finite, a written value reads back as itself, and a
// display pattern always has exactly its number of decimals.
#include "number_text.h"

#include <QLocale>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>

using namespace orvand;

namespace {

void fail(const char* what, const QString& detail) {
    std::fprintf(stderr, "property violated: %s: %s\n", what, qPrintable(detail));
    std::abort();
}

void check(bool condition, const char* what, const QString& detail) {
    if (!condition)
        fail(what, detail);
}

void checkReadings(const QString& text) {
    check(std::isfinite(PlainReading(text)), "plain reading finite", text);
    check(std::isfinite(LocaleReading(text)), "locale reading finite", text);
    const double value = TextToNumberValue(text);
    check(std::isfinite(value), "TextToNumber finite", text);
    if (text.contains(QLatin1Char(',')) && !TryLocaleReading(text))
        check(value == 0.0, "unreadable comma text gives 0", text);
}

void checkWriting(double value) {
    if (!std::isfinite(value))
        return;
    const QString written = DefaultNumberText(value);
    const double back = PlainReading(written);
    // Fifteen significant digits: the value comes back to within that precision,
    // and writing it again gives the same text.
    // Subnormal values lie outside what the readings accept and read as 0.
    const bool subnormal = value != 0.0 && std::fabs(value) < 2.3e-308;
    check(subnormal || std::fabs(back - value) <= std::fabs(value) * 1e-14,
          "default conversion reads back", written);
    check(subnormal || DefaultNumberText(back) == written, "default conversion stable", written);

    const QString separator = QLocale().decimalPoint();
    static const char16_t* const patterns[] = {u"0", u"0.0", u"0.00", u"0.000"};
    for (int decimals = 0; decimals < 4; ++decimals) {
        const QString shown = FormatPattern(value, patterns[decimals]);
        const qsizetype at = shown.indexOf(separator);
        if (decimals == 0)
            check(at < 0, "no separator in pattern 0", shown);
        else
            check(at >= 1 && shown.size() - at - 1 == decimals, "exact decimals", shown);
        for (qsizetype i = 0; i < shown.size(); ++i) {
            const QChar c = shown[i];
            const bool allowed = c.isDigit() || (i == at) || (i == 0 && c == QLatin1Char('-'));
            check(allowed, "only digits, sign and separator", shown);
        }
        if (PlainReading(shown) == 0.0)
            check(!shown.startsWith(QLatin1Char('-')), "no sign on a rounded zero", shown);
        if (std::fabs(value) < 1e15) {
            const double tolerance = 0.5 * std::pow(10.0, -decimals) + std::fabs(value) * 1e-15;
            check(std::fabs(PlainReading(shown) - value) <= tolerance, "pattern rounds", shown);
        }
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (size == 0)
        return 0;
    static const QLocale point = QLocale::c();
    static const QLocale comma(QLocale::German, QLocale::Germany);
    QLocale::setDefault((data[0] & 1) ? comma : point);
    ++data;
    --size;

    const QString text = QString::fromUtf8(reinterpret_cast<const char*>(data), qsizetype(size));
    checkReadings(text);
    checkWriting(PlainReading(text));
    checkWriting(TextToNumberValue(text));
    if (size >= sizeof(double)) {
        double raw = 0;
        std::memcpy(&raw, data, sizeof raw);
        checkWriting(raw);
    }
    return 0;
}
