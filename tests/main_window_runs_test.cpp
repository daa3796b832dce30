// Whole runs through the window: a choice in the dialogs, then Start. The
// expected values were worked out separately from the design formulas (a DCM
// sweep in 0.01 W steps from the default inputs), not by the program's engine.

#include "qstring_printer.h"
#include "workbench_fixture.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <cmath>
#include <gtest/gtest.h>

using namespace orvand;
using namespace orvand::test;

namespace {

struct ExpectedRun {
    const char* option;
    int passes; // Pout = passes × 0.01 W
    double ILpk;
    double Tjc;
    double LpriMicroHenry;
};

void PrintTo(const ExpectedRun& run, std::ostream* os) {
    *os << run.option;
}

constexpr ExpectedRun kDeviceRuns[] = {
    {"optPX11", 1202, 0.600376, 46.2108, 833.678}, {"optPX11S", 1202, 0.600376, 57.5067, 833.678},
    {"optPX12", 1548, 0.773196, 75.0271, 647.339}, {"optPX12S", 1382, 0.690282, 75.0831, 725.094},
    {"optPX13", 2711, 1.35409, 75.0341, 369.635},  {"optPX13S", 2399, 1.19825, 75.0026, 417.708},
    {"optPX14", 3545, 1.77066, 75.0214, 282.674},  {"optPX10", 1664, 0.831136, 75.0544, 602.212},
    {"optRV20", 1380, 0.689283, 75.087, 726.145},  {"optRV20D", 1336, 0.667306, 75.0966, 750.06},
    {"optRV21", 1723, 0.860605, 75.0255, 581.591}, {"optRW21", 1728, 0.863103, 75.0729, 865.534},
    {"optRV22", 3115, 1.55588, 75.0159, 321.695},  {"optRW22", 3133, 1.56487, 75.0074, 477.383},
    {"optRV22S", 2677, 1.33711, 75.0523, 374.33},  {"optRV23", 4359, 2.17724, 75.014, 229.888},
    {"optRW23", 4400, 2.19772, 75.0165, 339.919},  {"optRV31", 1723, 0.860605, 75.0255, 581.591},
    {"optRV32", 3299, 1.64779, 75.0085, 303.753},  {"optRV31D", 1668, 0.833134, 75.0432, 600.768},
    {"optRV32D", 3192, 1.59434, 75.027, 313.935},  {"optRW27", 4619, 2.3071, 75.0024, 323.802},
    {"optRV27", 4584, 2.28962, 75.0007, 218.604},
};

class RunsTest : public WorkbenchFixture {
  protected:
    void expectRun(const ExpectedRun& run) {
        // The power is a running sum of steps, and its last digits decide the
        // rounding of a value such as 65.95.
        double pout = 0.0;
        for (int i = 0; i < run.passes; ++i)
            pout += 0.01;
        EXPECT_NEAR(record.Pout, pout, 1e-9);
        EXPECT_NEAR(record.ILpk, run.ILpk, 1e-5 * run.ILpk);
        EXPECT_NEAR(record.Tjc, run.Tjc, 1e-5 * run.Tjc);
        EXPECT_NEAR(record.Lpri * 1e6, run.LpriMicroHenry, 1e-5 * run.LpriMicroHenry);
        EXPECT_EQ(box("txtOutPout")->text(), QString::number(pout, 'f', 1));
        EXPECT_EQ(box("txtoutLpri")->text(), QString::number(std::lround(run.LpriMicroHenry)));
        EXPECT_TRUE(toolkit.messages().empty());
    }
};

class DeviceRunTest : public RunsTest, public ::testing::WithParamInterface<ExpectedRun> {};

} // namespace

// A second Start begins from the results of the first, and from the power it
// wrote back into Pmax: it reaches the same power again.
TEST_P(DeviceRunTest, DeviceWithDefaultInputsReachesItsPowerAtEveryStart) {
    const ExpectedRun& run = GetParam();
    choose("cmdKestrelRdson", run.option);
    for (int start = 1; start <= 2; ++start) {
        SCOPED_TRACE(start);
        click("CmdStart");
        expectRun(run);
    }
}

INSTANTIATE_TEST_SUITE_P(EveryDevice, DeviceRunTest, ::testing::ValuesIn(kDeviceRuns));

TEST_F(RunsTest, DiscreteSwitchWithCopperArea) {
    click("cmdHarrierRdson");
    type("txtRon25", QStringLiteral("2.5"));
    choose("cmdKestrelHS", "opt3CopperDIP8");
    EXPECT_EQ(record.CopperAreaText, QStringLiteral(" (3cm² Copper Area on PCB)"));
    click("CmdStart");
    expectRun({"discrete 2.5 ohm, DIP8 3 cm²", 2164, 1.08088, 75.0416, 463.069});
    EXPECT_NEAR(record.Ipkd, 3.72002, 1e-5);
    EXPECT_TRUE(record.CopperAreaText.isEmpty());
}

// Its report is named and headed after the heatsink alone.
TEST_F(RunsTest, IntegratedDeviceOnTheHeatsinkPath) {
    choose("cmdKestrelRdson", "optRV22");
    click("chkHeatsink");
    QTemporaryDir dir;
    toolkit.queueSave(dir.filePath(QStringLiteral("hs")));
    click("optCreateFile");
    toolkit.clearShown();
    click("CmdStart");
    expectRun({"RV22 on 21.5 K/W", 6439, 3.21616, 75.0113, 155.627});
    QFile report(dir.filePath("hs Universal DCM Discrete Harrier 0.90 Ohm Rth 18.0.txt"));
    ASSERT_TRUE(report.open(QIODevice::ReadOnly))
        << QDir(dir.path()).entryList().join(u'|').toStdString();
    const QList<QByteArray> lines = report.readAll().split('\n');
    ASSERT_GE(lines.size(), 5);
    EXPECT_EQ(
        lines[1],
        "Output File for: Discrete Harrier 0.90 Ohm Device with a heatsink of Rthja = 18.0 k/W\r");
    EXPECT_EQ(lines[4], "Heatsink: \t18.0 k/W Heatsink required\r");

    // A smaller junction-to-case resistance from its dialog raises the power.
    choose("CmdRthjc", "optRthjcNo");
    box("txtPoutmax")->setText(QStringLiteral("34"));
    toolkit.clearShown();
    click("CmdStart");
    expectRun({"RV22 on 20.5 K/W", 6595, 3.29408, 75.0001, 151.945});
}
