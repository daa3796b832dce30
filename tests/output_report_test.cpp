// Composing the output-data report: labels, the discrete condition, the file
// name, the line table, and the 8-bit encoding with CR LF line ends.
#include "design_cases.h"
#include "locale_scope.h"
#include "output_report.h"
#include "qstring_printer.h"

#include <gtest/gtest.h>

using namespace orvand;
using test::CommaLocale;
using test::LocaleScope;
using test::PointLocale;

namespace {

QByteArray Bytes(std::initializer_list<int> values) {
    QByteArray out;
    for (int v : values)
        out.append(static_cast<char>(v));
    return out;
}

// PX11 after its run, with Ta 25 °C, and no package-only mark left.
DesignRecord Catalogue() {
    return test::Design()
        .px11()
        .px11Results()
        .set(&DesignRecord::Ta, 25.0)
        .set(&DesignRecord::PackageOnly, 0.0)
        .set(&DesignRecord::OutputFileName, "C:\\data\\run1");
}

ReportOptions Dcm() {
    ReportOptions o;
    o.dcmSelected = true;
    return o;
}

class ReportInBothLocales : public ::testing::TestWithParam<bool> {
  protected:
    LocaleScope locale{GetParam() ? CommaLocale() : PointLocale()};
    QString sep(const char* text) const {
        QString s = QString::fromUtf8(text);
        if (GetParam())
            s.replace(u'.', u',');
        return s;
    }
};
INSTANTIATE_TEST_SUITE_P(Locales, ReportInBothLocales, ::testing::Values(false, true),
                         [](const auto& info) { return info.param ? "Comma" : "Point"; });

TEST_P(ReportInBothLocales, DocumentedLineAndFileNameExamples) {
    const OutputReport report = ComposeOutputReport(Catalogue(), Dcm());
    ASSERT_EQ(report.lines.size(), 32);

    EXPECT_EQ(EncodeReport({report.lines[9]}),
              Bytes({0x56, 0x61, 0x63, 0x69, 0x6E, 0x3A, 0x20, 0x09, 0x38, 0x35, 0x09, 0x20, 0x5B,
                     0x56, 0x5D, 0x0D, 0x0A}));
    const char sepByte = GetParam() ? 0x2C : 0x2E;
    EXPECT_EQ(EncodeReport({report.lines[14]}),
              Bytes({0x54,    0x61, 0x3A, 0x20, 0x20, 0x20, 0x20, 0x09, 0x32, 0x35,
                     sepByte, 0x30, 0x09, 0x20, 0x5B, 0xB0, 0x43, 0x5D, 0x0D, 0x0A}));
    EXPECT_EQ(report.fileName, "C:\\data\\run1 Universal DCM PX11 Rth " + sep("90.0") + ".txt");
    EXPECT_EQ(report.deviceName, "PX11");
}

TEST(OutputReport, RangeLabelFollowsVacmin) {
    LocaleScope locale(PointLocale());
    const std::pair<double, const char*> cases[] = {
        {60, "Universal"}, {85, "Universal"}, {85.01, ""},    {115, ""},
        {189.99, ""},      {190, "Small"},    {270, "Small"},
    };
    for (const auto& [vacmin, label] : cases) {
        DesignRecord r = Catalogue();
        r.Vacmin = vacmin;
        const QString expected =
            QStringLiteral("C:\\data\\run1 %1 DCM PX11 Rth 90.0.txt").arg(QLatin1String(label));
        EXPECT_EQ(ComposeOutputReport(r, Dcm()).fileName, expected) << "Vacmin " << vacmin;
    }
}

TEST(OutputReport, ModeLabelTestsCcmAfterDcm) {
    LocaleScope locale(PointLocale());
    const struct {
        bool dcm, ccm;
        const char* name;
    } cases[] = {
        {true, false, "C:\\data\\run1 Universal DCM PX11 Rth 90.0.txt"},
        {false, true, "C:\\data\\run1 Universal CCM PX11 Rth 90.0.txt"},
        {true, true, "C:\\data\\run1 Universal CCM PX11 Rth 90.0.txt"},
        {false, false, "C:\\data\\run1 Universal  PX11 Rth 90.0.txt"},
    };
    for (const auto& c : cases) {
        ReportOptions o;
        o.dcmSelected = c.dcm;
        o.ccmSelected = c.ccm;
        EXPECT_EQ(ComposeOutputReport(Catalogue(), o).fileName, QString::fromLatin1(c.name));
    }
}

TEST(OutputReport, DiscreteConditionRenamesTheDeviceAndPicksResistances) {
    LocaleScope locale(PointLocale());
    // Discrete switch without heatsink: the name carries Rthhs, the heading Rthtotal.
    DesignRecord discrete = Catalogue();
    discrete.HarrierSel = true;
    discrete.KestrelSel = false;
    discrete.Ron25 = 0.45;
    discrete.DeviceName.clear();
    OutputReport report = ComposeOutputReport(discrete, Dcm());
    EXPECT_EQ(report.deviceName, "Discrete Harrier 0.45 Ohm");
    EXPECT_EQ(report.fileName,
              "C:\\data\\run1 Universal DCM Discrete Harrier 0.45 Ohm Rth 18.0.txt");
    EXPECT_EQ(report.lines[1], "Output File for: Discrete Harrier 0.45 Ohm Device with a "
                               "heatsink of Rthja = 90.0 k/W");
    EXPECT_EQ(report.lines[4], "Heatsink: \t90.0 k/W Heatsink required ");

    // An integrated device with the heatsink ticked is named after Ron25 as well.
    DesignRecord integrated = Catalogue();
    ReportOptions heatsink = Dcm();
    heatsink.heatsink = true;
    report = ComposeOutputReport(integrated, heatsink);
    EXPECT_EQ(report.deviceName, "Discrete Harrier 3.50 Ohm");
    EXPECT_TRUE(report.lines[1].endsWith(" Rthja = 18.0 k/W"));
    EXPECT_TRUE(report.fileName.endsWith(" Rth 18.0.txt"));

    // Composing is pure: the record keeps its own name.
    EXPECT_EQ(integrated.DeviceName, "PX11");
}

TEST(OutputReport, HeatsinkLineCases) {
    LocaleScope locale(PointLocale());
    DesignRecord r = Catalogue();
    ReportOptions heatsink = Dcm();
    heatsink.heatsink = true;

    r.PackageOnly = 1.0; // wins over a ticked heatsink
    EXPECT_EQ(ComposeOutputReport(r, heatsink).lines[4], "Heatsink: \tNo Heatsink required");
    EXPECT_EQ(ComposeOutputReport(r, Dcm()).lines[4], "Heatsink: \tNo Heatsink required");

    r.PackageOnly = 0.5; // only exactly 1.0 counts
    EXPECT_EQ(ComposeOutputReport(r, heatsink).lines[4], "Heatsink: \t18.0 k/W Heatsink required");

    r.PackageOnly = 0.0;
    r.CopperAreaText = QStringLiteral(" (3cm² Copper Area on PCB)");
    EXPECT_EQ(ComposeOutputReport(r, heatsink).lines[4], "Heatsink: \t18.0 k/W Heatsink required");
    const QStringList lines = ComposeOutputReport(r, Dcm()).lines;
    EXPECT_EQ(lines[4], "Heatsink: \t90.0 k/W Heatsink required  (3cm² Copper Area on PCB)");
    EXPECT_EQ(
        EncodeReport({lines[4]}),
        QByteArray("Heatsink: \t90.0 k/W Heatsink required  (3cm\xB2 Copper Area on PCB)\r\n"));
}

TEST(OutputReport, EmptyDeviceNameLeavesItsBlanks) {
    LocaleScope locale(PointLocale());
    DesignRecord r = Catalogue();
    r.DeviceName.clear();
    const OutputReport report = ComposeOutputReport(r, Dcm());
    EXPECT_EQ(report.lines[1], "Output File for:  Device with a heatsink of Rthja = 90.0 k/W");
    EXPECT_EQ(report.lines[3], "Device: \t");
    EXPECT_EQ(report.fileName, "C:\\data\\run1 Universal DCM  Rth 90.0.txt");
}

TEST(OutputReport, LossLinesAndN3) {
    LocaleScope locale(PointLocale());
    DesignRecord r = Catalogue();
    r.Pon = 0.012542;
    r.Poff = 0.055948;
    r.Pcond = 0.76545;
    r.Ptotal = 0.83394;
    QStringList lines = ComposeOutputReport(r, Dcm()).lines;
    EXPECT_EQ(lines[27], "Power Losses");
    EXPECT_EQ(lines[28], "ON Losses\t0.01W");
    EXPECT_EQ(lines[29], "OFF Losses\t0.06W");
    EXPECT_EQ(lines[30], "Cond. Losses\t0.77W");
    EXPECT_EQ(lines[31], "Total Losses\t0.83W");
    r.HarrierN3 = true;
    lines = ComposeOutputReport(r, Dcm()).lines;
    EXPECT_EQ(lines[29], "OFF Losses\tNot Considered because of N3 Version of Harrier");
}

TEST(EncodeReport, WindowsCodePageWithCrLfAfterEveryLine) {
    // The three signs of the report, the upper block of the code page, and
    // characters the code page lacks (one '?' per character, also outside the BMP).
    const QStringList lines = {QStringLiteral("°µ²é"), QString(), QStringLiteral("€…™Ÿ"),
                               QStringLiteral("a\u0141b\U0001F600c\u0081")};
    EXPECT_EQ(EncodeReport(lines),
              Bytes({0xB0, 0xB5, 0xB2, 0xE9, 0x0D, 0x0A, 0x0D, 0x0A, 0x80, 0x85, 0x99,
                     0x9F, 0x0D, 0x0A, 'a',  '?',  'b',  '?',  'c',  '?',  0x0D, 0x0A}));
    EXPECT_TRUE(EncodeReport({}).isEmpty());
}

TEST(EncodeReport, WholeReportHasThirtyTwoLineEnds) {
    LocaleScope locale(PointLocale());
    const QByteArray bytes = EncodeReport(ComposeOutputReport(Catalogue(), Dcm()).lines);
    EXPECT_EQ(bytes.count("\r\n"), 32);
    EXPECT_EQ(bytes.count('\n'), 32);
    EXPECT_EQ(bytes.count('\r'), 32);
    EXPECT_TRUE(bytes.startsWith("\r\n"));
    EXPECT_EQ(bytes.back(), '\x0A');
}

} // namespace
