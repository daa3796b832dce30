#include "number_text.h"

#include <QLocale>
#include <array>
#include <charconv>
#include <cmath>
#include <string>

namespace orvand {

namespace {

bool isDigit(QChar c) {
    return c >= QLatin1Char('0') && c <= QLatin1Char('9');
}

// The locale's decimal separator when it is a single character other than the
// point; the point is a separator in every locale anyway.
QChar extraDecimalSeparator() {
    const QString separator = QLocale().decimalPoint();
    if (separator.size() == 1 && separator.at(0) != QLatin1Char('.'))
        return separator.at(0);
    return QLatin1Char('.');
}

double finiteOrZero(double value) {
    if (!std::isfinite(value) || value == 0.0)
        return 0.0; // also turns -0 into 0
    return value;
}

} // namespace

double PlainReading(QStringView text) {
    const QChar localeSeparator = extraDecimalSeparator();
    qsizetype i = 0;
    const qsizetype n = text.size();
    while (i < n && (text[i] == QLatin1Char(' ') || text[i] == QLatin1Char('\t')))
        ++i;

    std::string number;
    bool negative = false;
    if (i < n && (text[i] == QLatin1Char('+') || text[i] == QLatin1Char('-'))) {
        negative = text[i] == QLatin1Char('-');
        ++i;
    }
    bool digits = false;
    bool separatorSeen = false;
    for (; i < n; ++i) {
        const QChar c = text[i];
        if (isDigit(c)) {
            number.push_back(char(c.unicode()));
            digits = true;
        } else if (!separatorSeen && (c == QLatin1Char('.') || c == localeSeparator)) {
            number.push_back('.');
            separatorSeen = true;
        } else {
            break;
        }
    }
    if (!digits)
        return 0.0;

    // An exponent counts only when digits follow the letter (and its sign).
    if (i < n && (text[i] == QLatin1Char('e') || text[i] == QLatin1Char('E'))) {
        qsizetype j = i + 1;
        std::string exponent = "e";
        if (j < n && (text[j] == QLatin1Char('+') || text[j] == QLatin1Char('-')))
            exponent.push_back(char(text[j++].unicode()));
        if (j < n && isDigit(text[j])) {
            while (j < n && isDigit(text[j]))
                exponent.push_back(char(text[j++].unicode()));
            number += exponent;
        }
    }

    double value = 0.0;
    const auto [end, error] = std::from_chars(number.data(), number.data() + number.size(), value);
    if (error != std::errc() || end != number.data() + number.size())
        return 0.0; // out of the double's range
    return finiteOrZero(negative ? -value : value);
}

TextOrNumber TextToNumber(const QString& text) {
    if (text.contains(QLatin1Char(',')))
        return text;
    return PlainReading(text);
}

std::optional<double> TryLocaleReading(const QString& text) {
    bool ok = false;
    const double value = QLocale().toDouble(text, &ok);
    if (!ok || !std::isfinite(value))
        return std::nullopt;
    return finiteOrZero(value);
}

double LocaleReading(const QString& text) {
    return TryLocaleReading(text).value_or(0.0);
}

double TextToNumberValue(const QString& text) {
    const TextOrNumber result = TextToNumber(text);
    if (const double* value = std::get_if<double>(&result))
        return *value;
    return LocaleReading(std::get<QString>(result));
}

QString DefaultNumberText(double value) {
    value = finiteOrZero(value);
    std::array<char, 64> buffer{};
    auto result = std::to_chars(buffer.data(), buffer.data() + buffer.size(), value,
                                std::chars_format::general, 15);
    // Next to the largest double, 15 digits round up past it and would read back
    // as nothing: such a value is written with the digits it needs.
    double back = 0.0;
    if (std::from_chars(buffer.data(), result.ptr, back).ec == std::errc::result_out_of_range)
        result = std::to_chars(buffer.data(), buffer.data() + buffer.size(), value,
                               std::chars_format::general);
    QString text = QString::fromLatin1(buffer.data(), result.ptr - buffer.data());
    text.replace(QLatin1Char('e'), QLatin1Char('E'));
    const QString separator = QLocale().decimalPoint();
    if (separator != QLatin1String("."))
        text.replace(QLatin1Char('.'), separator);
    return text;
}

QString FormatPattern(double value, QStringView pattern) {
    const qsizetype point = pattern.indexOf(QLatin1Char('.'));
    const int decimals = point < 0 ? 0 : int(pattern.size() - point - 1);
    if (!std::isfinite(value))
        value = 0.0;

    // The shortest decimal text that reads back as the value: rounding works on
    // that text, so 0.125 gives 0.13 and 1.005 gives 1.01, as a person reads it.
    std::array<char, 64> buffer{};
    const auto result = std::to_chars(buffer.data(), buffer.data() + buffer.size(),
                                      std::fabs(value), std::chars_format::scientific);
    const std::string_view scientific(buffer.data(), result.ptr - buffer.data());
    const auto e = scientific.find('e');
    std::string mantissa;
    for (char c : scientific.substr(0, e))
        if (c != '.')
            mantissa.push_back(c);
    int exponent = 0;
    std::from_chars(scientific.data() + e + 1 + (scientific[e + 1] == '+' ? 1 : 0),
                    scientific.data() + scientific.size(), exponent);

    // The value times 10^decimals, rounded half away from zero to a whole number.
    const long long integerDigits = static_cast<long long>(exponent) + decimals + 1;
    std::string scaled;
    if (integerDigits <= 0) {
        scaled.assign(1, (integerDigits == 0 && mantissa[0] >= '5') ? '1' : '0');
    } else if (integerDigits >= static_cast<long long>(mantissa.size())) {
        scaled = mantissa + std::string(integerDigits - mantissa.size(), '0');
    } else {
        scaled = mantissa.substr(0, integerDigits);
        if (mantissa[integerDigits] >= '5') {
            qsizetype k = qsizetype(scaled.size()) - 1;
            while (k >= 0 && scaled[k] == '9')
                scaled[k--] = '0';
            if (k < 0)
                scaled.insert(scaled.begin(), '1');
            else
                ++scaled[k];
        }
    }
    const auto firstNonZero = scaled.find_first_not_of('0');
    const bool zero = firstNonZero == std::string::npos;
    scaled = zero ? std::string("0") : scaled.substr(firstNonZero);
    if (scaled.size() < static_cast<size_t>(decimals) + 1)
        scaled = std::string(decimals + 1 - scaled.size(), '0') + scaled;

    QString text;
    if (value < 0 && !zero)
        text += QLatin1Char('-');
    text += QString::fromLatin1(scaled.data(), qsizetype(scaled.size() - decimals));
    if (decimals > 0) {
        text += QLocale().decimalPoint();
        text += QString::fromLatin1(scaled.data() + scaled.size() - decimals, decimals);
    }
    return text;
}

} // namespace orvand
