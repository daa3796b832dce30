// Composing the output-data report: labels, the discrete condition, the file
// name, the line table, and the 8-bit encoding with CR LF line ends.
#include "design_cases.h"
#include "locale_scope.h"
#include "output_report.h"
#include "qstring_printer.h"

#include <gtest/gtest.h>

using namespace orvand;
using namespace orvand::test;

namespace {

// PX11 after its run, with Ta 25 °C, and no package-only mark left.
Design Catalogue() {
    return Design()
        .px11()
        .px11Results()
        .set(&DesignRecord::Ta, 25.0)
        .set(&DesignRecord::PackageOnly, 0.0)
        .set(&DesignRecord::OutputFileName, "C:\\data\\run1");
}

const ReportOptions kDcm{.dcmSelected = true};

class ReportInBothLocales : public ::testing::TestWithParam<bool> {
  protected:
    LocaleScope locale{GetParam() ? CommaLocale() : PointLocale()};
    QString sep(const char* text) const {
        return QString::fromUtf8(text).replace(u'.', GetParam() ? u',' : u'.');
    }
};
INSTANTIATE_TEST_SUITE_P(Locales, ReportInBothLocales, ::testing::Values(false, true),
                         [](const auto& info) { return info.param ? "Comma" : "Point"; });

TEST_P(ReportInBothLocales, DocumentedLineAndFileNameExamples) {
    const OutputReport report = ComposeOutputReport(Catalogue(), kDcm);
    ASSERT_EQ(report.lines.size(), 32);

    EXPECT_EQ(EncodeReport({report.lines[9]}),
              QByteArray::fromHex("56 61 63 69 6E 3A 20 09 38 35 09 20 5B 56 5D 0D 0A"));
    EXPECT_EQ(EncodeReport({report.lines[14]}),
              QByteArray::fromHex(QByteArray("54 61 3A 20 20 20 20 09 32 35 ") +
                                  (GetParam() ? "2C" : "2E") + " 30 09 20 5B B0 43 5D 0D 0A"));
    EXPECT_EQ(report.fileName, "C:\\data\\run1 Universal DCM PX11 Rth " + sep("90.0") + ".txt");
    EXPECT_EQ(report.deviceName, "PX11");
    // The whole report: CR LF after every line, the first one empty, and no other line end.
    const QByteArray bytes = EncodeReport(report.lines);
    EXPECT_EQ(std::tuple(bytes.count("\r\n"), bytes.count('\n'), bytes.count('\r')),
              std::tuple(32, 32, 32));
    EXPECT_TRUE(bytes.startsWith("\r\n") && bytes.endsWith("\r\n"));
}

// Where a case looks besides the lines: the file name, without its folder and
// ".txt", or the device name.
constexpr int kFileName = -1, kDeviceName = -2;

TEST(OutputReport, EachCaseShowsInItsLine) {
    LocaleScope locale(PointLocale());
    using R = DesignRecord;
    // A discrete switch without heatsink: the name carries Rthhs, the heading
    // Rthtotal.
    const DesignRecord discrete = Catalogue()
                                      .set(&R::HarrierSel, true)
                                      .set(&R::KestrelSel, false)
                                      .set(&R::Ron25, 0.45)
                                      .set(&R::DeviceName, "");
    const DesignRecord unnamed = Catalogue().set(&R::DeviceName, "");
    const DesignRecord copper = Catalogue().set(&R::CopperAreaText, " (3cm² Copper Area on PCB)");
    const DesignRecord caseA = Design().caseAResults();
    const DesignRecord n3 = Design().caseAResults().set(&R::HarrierN3, true);
    const struct {
        DesignRecord record;
        const char* ticks; // D: DCM, C: CCM, H: heatsink
        int line;
        const char* text;
    } cases[] = {
        // The range label follows Vacmin.
        {Catalogue().set(&R::Vacmin, 60), "D", kFileName, "Universal DCM PX11 Rth 90.0"},
        {Catalogue().set(&R::Vacmin, 85), "D", kFileName, "Universal DCM PX11 Rth 90.0"},
        {Catalogue().set(&R::Vacmin, 85.01), "D", kFileName, " DCM PX11 Rth 90.0"},
        {Catalogue().set(&R::Vacmin, 115), "D", kFileName, " DCM PX11 Rth 90.0"},
        {Catalogue().set(&R::Vacmin, 189.99), "D", kFileName, " DCM PX11 Rth 90.0"},
        {Catalogue().set(&R::Vacmin, 190), "D", kFileName, "Small DCM PX11 Rth 90.0"},
        {Catalogue().set(&R::Vacmin, 270), "D", kFileName, "Small DCM PX11 Rth 90.0"},
        // The mode label tests CCM after DCM.
        {Catalogue(), "C", kFileName, "Universal CCM PX11 Rth 90.0"},
        {Catalogue(), "DC", kFileName, "Universal CCM PX11 Rth 90.0"},
        {Catalogue(), "", kFileName, "Universal  PX11 Rth 90.0"},
        {discrete, "D", kDeviceName, "Discrete Harrier 0.45 Ohm"},
        {discrete, "D", kFileName, "Universal DCM Discrete Harrier 0.45 Ohm Rth 18.0"},
        {discrete, "D", 1,
         "Output File for: Discrete Harrier 0.45 Ohm Device with a heatsink of Rthja = 90.0 k/W"},
        {discrete, "D", 4, "Heatsink: \t90.0 k/W Heatsink required "},
        // An integrated device with the heatsink ticked is named after Ron25 as well.
        {Catalogue(), "DH", kDeviceName, "Discrete Harrier 3.50 Ohm"},
        {Catalogue(), "DH", kFileName, "Universal DCM Discrete Harrier 3.50 Ohm Rth 18.0"},
        {Catalogue(), "DH", 1,
         "Output File for: Discrete Harrier 3.50 Ohm Device with a heatsink of Rthja = 18.0 k/W"},
        // The package alone wins over a ticked heatsink; only exactly 1.0 counts.
        {Catalogue().set(&R::PackageOnly, 1.0), "DH", 4, "Heatsink: \tNo Heatsink required"},
        {Catalogue().set(&R::PackageOnly, 1.0), "D", 4, "Heatsink: \tNo Heatsink required"},
        {Catalogue().set(&R::PackageOnly, 0.5), "DH", 4, "Heatsink: \t18.0 k/W Heatsink required"},
        {copper, "DH", 4, "Heatsink: \t18.0 k/W Heatsink required"},
        {copper, "D", 4, "Heatsink: \t90.0 k/W Heatsink required  (3cm² Copper Area on PCB)"},
        // An empty device name leaves its blanks.
        {unnamed, "D", 1, "Output File for:  Device with a heatsink of Rthja = 90.0 k/W"},
        {unnamed, "D", 3, "Device: \t"},
        {unnamed, "D", kFileName, "Universal DCM  Rth 90.0"},
        {caseA, "D", 27, "Power Losses"},
        {caseA, "D", 28, "ON Losses\t0.01W"},
        {caseA, "D", 29, "OFF Losses\t0.06W"},
        {caseA, "D", 30, "Cond. Losses\t0.77W"},
        {caseA, "D", 31, "Total Losses\t0.83W"},
        {n3, "D", 29, "OFF Losses\tNot Considered because of N3 Version of Harrier"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.text);
        const QString ticks = QString::fromLatin1(c.ticks);
        const OutputReport report = ComposeOutputReport(
            c.record, {ticks.contains(u'D'), ticks.contains(u'C'), ticks.contains(u'H')});
        ASSERT_EQ(report.lines.size(), 32);
        if (c.line == kFileName)
            EXPECT_EQ(report.fileName, "C:\\data\\run1 " + QString::fromUtf8(c.text) + ".txt");
        else
            EXPECT_EQ(c.line == kDeviceName ? report.deviceName : report.lines[c.line],
                      QString::fromUtf8(c.text));
    }
    EXPECT_EQ(
        EncodeReport({ComposeOutputReport(copper, kDcm).lines[4]}),
        QByteArray("Heatsink: \t90.0 k/W Heatsink required  (3cm\xB2 Copper Area on PCB)\r\n"));
    // Composing is pure: the record keeps its own name.
    EXPECT_EQ(copper.DeviceName, "PX11");
}

TEST(EncodeReport, WindowsCodePageWithCrLfAfterEveryLine) {
    // The three signs of the report, the upper block of the code page, and
    // characters the code page lacks (one '?' per character, also outside the BMP).
    const QStringList lines = {QStringLiteral("°µ²é"), QString(), QStringLiteral("€…™Ÿ"),
                               QStringLiteral("a\u0141b\U0001F600c\u0081")};
    EXPECT_EQ(EncodeReport(lines),
              QByteArray::fromHex("B0 B5 B2 E9 0D 0A 0D 0A 80 85 99 9F 0D 0A") + "a?b?c?\r\n");
    EXPECT_TRUE(EncodeReport({}).isEmpty());
}

} // namespace
