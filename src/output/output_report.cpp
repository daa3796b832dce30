#include "output_report.h"

#include "number_text.h"

#include <array>

namespace orvand {

namespace {

const QChar kTab = u'\t';

QString RangeLabel(double vacmin) {
    if (vacmin <= 85.0)
        return QStringLiteral("Universal");
    if (vacmin >= 190.0)
        return QStringLiteral("Small");
    return {};
}

QString ModeLabel(const ReportOptions& options) {
    QString label;
    if (options.dcmSelected)
        label = QStringLiteral("DCM");
    if (options.ccmSelected)
        label = QStringLiteral("CCM");
    return label;
}

// One labelled value line: label, TAB, value, TAB, unit and whatever follows it.
QString ValueLine(const QString& label, const QString& value, const QString& tail) {
    return label + kTab + value + kTab + tail;
}

QString HeatsinkLine(const DesignRecord& record, const ReportOptions& options) {
    QString line = QStringLiteral("Heatsink: ") + kTab;
    if (record.PackageOnly == 1.0)
        return line + QStringLiteral("No Heatsink required");
    if (options.heatsink)
        return line + FormatPattern(record.Rthhs, u"0.0") +
               QStringLiteral(" k/W Heatsink required");
    return line + FormatPattern(record.Rthtotal, u"0.0") +
           QStringLiteral(" k/W Heatsink required ") + record.CopperAreaText;
}

} // namespace

OutputReport ComposeOutputReport(const DesignRecord& record, const ReportOptions& options) {
    OutputReport report;

    const bool discrete = options.heatsink || record.HarrierSel;
    report.deviceName = discrete ? QStringLiteral("Discrete Harrier ") +
                                       FormatPattern(record.Ron25, u"0.00") + QStringLiteral(" Ohm")
                                 : record.DeviceName;
    const double nameResistance = discrete ? record.Rthhs : record.Rthtotal;
    const double headingResistance = options.heatsink ? record.Rthhs : record.Rthtotal;

    report.fileName = record.OutputFileName + u' ' + RangeLabel(record.Vacmin) + u' ' +
                      ModeLabel(options) + u' ' + report.deviceName + QStringLiteral(" Rth ") +
                      FormatPattern(nameResistance, u"0.0") + QStringLiteral(".txt");

    const QString& device = report.deviceName;
    QStringList& lines = report.lines;
    lines.reserve(32);
    lines << QString();
    lines << QStringLiteral("Output File for: ") + device +
                 QStringLiteral(" Device with a heatsink of Rthja = ") +
                 FormatPattern(headingResistance, u"0.0") + QStringLiteral(" k/W");
    lines << QString();
    lines << QStringLiteral("Device: ") + kTab + device;
    lines << HeatsinkLine(record, options);
    lines << QString();
    lines << QString();
    lines << QStringLiteral("INPUT");
    lines << QStringLiteral("Application Parameter:");
    lines << ValueLine(QStringLiteral("Vacin: "), FormatPattern(record.Vacmin, u"0"),
                       QStringLiteral(" [V]"));
    lines << ValueLine(QStringLiteral("Vrip:  "), FormatPattern(record.Vripple, u"0"),
                       QStringLiteral(" [V]"));
    lines << ValueLine(QStringLiteral("Vref:  "), FormatPattern(record.Vr, u"0"),
                       QStringLiteral(" [V]"));
    lines << ValueLine(QStringLiteral("Eff.:  "), FormatPattern(record.Eta * 100.0, u"0"),
                       QStringLiteral(" [%]"));
    lines << ValueLine(QStringLiteral("Freq.: "), FormatPattern(record.fwork / 1000.0, u"0"),
                       QStringLiteral(" [kHz]"));
    lines << ValueLine(QStringLiteral("Ta:    "), FormatPattern(record.Ta, u"0.0"),
                       QStringLiteral(" [°C]"));
    lines << QStringLiteral("Harrier Parameter:");
    lines << ValueLine(QStringLiteral("Rdson: "), FormatPattern(record.Ron25, u"0.00"),
                       QStringLiteral(" [Ohm] @ 25°C"));
    lines << ValueLine(QStringLiteral("Tjmax: "), FormatPattern(record.Tj, u"0"),
                       QStringLiteral(" [°C]"));
    lines << QString();
    lines << QString();
    lines << QStringLiteral("OUTPUT");
    lines << ValueLine(QStringLiteral("Pout:  "), FormatPattern(record.Pout, u"0.0"),
                       QStringLiteral(" [W]"));
    lines << ValueLine(QStringLiteral("Rdson: "), FormatPattern(record.RdsonTj, u"0.00"),
                       QStringLiteral(" [Ohm] @ Tj = ") + FormatPattern(record.Tj, u"0.0") +
                           QStringLiteral(" [°C]"));
    lines << ValueLine(QStringLiteral("Dmax:  "), FormatPattern(record.Dmax * 100.0, u"0"),
                       QStringLiteral(" [%]"));
    lines << ValueLine(QStringLiteral("Lpri:  "), FormatPattern(record.Lpri * 1e6, u"0"),
                       QStringLiteral(" [µH] at Poutmax = ") +
                           FormatPattern(record.Poutmax, u"0.0") + u'W');
    lines << ValueLine(QStringLiteral("I Lpk: "), FormatPattern(record.ILpk, u"0.00"),
                       QStringLiteral(" [A] Peak Primary Current"));
    lines << ValueLine(QStringLiteral("I pkD: "), FormatPattern(record.Ipkd, u"0.00"),
                       QStringLiteral(" [A] Current Threshold of IC or Harrier"));
    lines << QStringLiteral("Power Losses");
    lines << QStringLiteral("ON Losses") + kTab + FormatPattern(record.Pon, u"0.00") + u'W';
    lines << QStringLiteral("OFF Losses") + kTab +
                 (record.HarrierN3
                      ? QStringLiteral("Not Considered because of N3 Version of Harrier")
                      : FormatPattern(record.Poff, u"0.00") + u'W');
    lines << QStringLiteral("Cond. Losses") + kTab + FormatPattern(record.Pcond, u"0.00") + u'W';
    lines << QStringLiteral("Total Losses") + kTab + FormatPattern(record.Ptotal, u"0.00") + u'W';
    return report;
}

namespace {

// Windows-1252 bytes 0x80 to 0x9F; 0 marks the five positions the code page
// leaves unassigned.
constexpr std::array<char16_t, 32> kHighBlock = {
    0x20AC, 0,      0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0,      0x017D, 0,      0,      0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0,      0x017E, 0x0178,
};

char EncodeCodePoint(char32_t c) {
    if (c < 0x80 || (c >= 0xA0 && c <= 0xFF))
        return static_cast<char>(c);
    for (std::size_t i = 0; i < kHighBlock.size(); ++i) {
        if (kHighBlock[i] != 0 && kHighBlock[i] == c)
            return static_cast<char>(0x80 + i);
    }
    return '?';
}

} // namespace

QByteArray EncodeReport(const QStringList& lines) {
    QByteArray bytes;
    for (const QString& line : lines) {
        for (char32_t c : line.toUcs4())
            bytes.append(EncodeCodePoint(c));
        bytes.append("\r\n", 2);
    }
    return bytes;
}

} // namespace orvand
