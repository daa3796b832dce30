#pragma once
// How text becomes a number and a number becomes text, everywhere in the program.
//
//   PlainReading      leading number of a text; a point is always a decimal
//                     separator, and so is the current locale's own separator
//                     (one per number, the first one found); never fails, 0 when
//                     there is no number or the value is not finite.
//   TextToNumber      a text with a comma comes back unchanged for the caller's
//                     LocaleReading; any other text comes back as its PlainReading.
//   LocaleReading     QLocale's conversion of the default locale; 0 when it cannot
//                     read the text or the value is not finite.
//   DefaultNumberText what code writes into an input box: up to 15 significant
//                     digits, exponent form from 1E+15 up and below 0.0001, the
//                     locale's decimal separator, no grouping.
//   FormatPattern     the display patterns "0", "0.0", "0.00", "0.000": rounded
//                     half away from zero on the decimal value, trailing zeros
//                     kept, no grouping, no sign on a value that rounds to zero.
//
// All of them follow QLocale() (the default locale), so tests can switch to a
// decimal-comma locale with QLocale::setDefault.

#include <QString>
#include <QStringView>
#include <optional>
#include <variant>

namespace orvand {

double PlainReading(QStringView text);

using TextOrNumber = std::variant<double, QString>;
TextOrNumber TextToNumber(const QString& text);

double LocaleReading(const QString& text);

// LocaleReading that tells a text it cannot read (nothing) from a number.
std::optional<double> TryLocaleReading(const QString& text);

// TextToNumber followed by the caller's conversion: a double passes, a text goes
// through LocaleReading. What txtRon25 and txtUserIlpk are read with.
double TextToNumberValue(const QString& text);

QString DefaultNumberText(double value);

// pattern is one of "0", "0.0", "0.00", "0.000".
QString FormatPattern(double value, QStringView pattern);

} // namespace orvand
