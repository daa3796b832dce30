// The DCM calculation on the cases of the design table. Every expected value is
// the table's, to the digits it shows; tolerances are half a unit of the last
// digit shown.
#include "calculate_dcm.h"
#include "design_cases.h"
#include "locale_scope.h"

#include <cmath>
#include <gtest/gtest.h>

using namespace orvand;

namespace {

DcmOptions typed(const char* poutmax) {
    DcmOptions options;
    options.poutmaxText = QString::fromLatin1(poutmax);
    return options;
}

struct Expected {
    long passes;
    double Pout, D, ILpk, Ptotal, Tjc, LpriMicro, Poutmax;
};

// Checks the table's columns; `digits` gives the tolerance of each value shown.
void expectRow(const DesignRecord& r, const DcmOutcome& outcome, const Expected& e) {
    ASSERT_TRUE(outcome.ok()) << RefusalMessage(outcome.refusal).toStdString();
    EXPECT_EQ(outcome.passes, e.passes);
    EXPECT_NEAR(r.Pout, e.Pout, 0.005);
    EXPECT_NEAR(r.D, e.D, 0.000005);
    EXPECT_NEAR(r.ILpk, e.ILpk, std::fabs(e.ILpk) * 6e-5);
    EXPECT_NEAR(r.Ptotal, e.Ptotal, std::fabs(e.Ptotal) * 6e-5);
    EXPECT_NEAR(r.Tjc, e.Tjc, 0.0005);
    EXPECT_NEAR(r.Lpri * 1e6, e.LpriMicro, 0.005);
    EXPECT_NEAR(r.Poutmax, e.Poutmax, 0.005);
}

class CalculateDcm : public ::testing::Test {
protected:
    test::LocaleScope locale{test::PointLocale()};
};

} // namespace

TEST_F(CalculateDcm, CaseADesignPointAndFittedValues) {
    DesignRecord r = test::Design();
    const DcmOutcome outcome = CalculateDCM(r, typed("50"));
    ASSERT_TRUE(outcome.ok());
    EXPECT_NEAR(r.VDCmin, 100.208, 0.0005);      // 1.41421 × 85 − 20
    EXPECT_NEAR(r.RdsonTj, 6.6554, 0.00005);     // 1.008^100 × 3
    EXPECT_NEAR(r.Ipkd, 3.1311, 0.00005);        // 3^−0.9452 × 8.8446
    EXPECT_NEAR(r.Dmax, 0.49948, 0.000005);      // 100 / 200.208
    EXPECT_NEAR(r.ILpkDesign, 2.4974, 0.00005);  // 2 × 62.5 / (0.49948 × 100.208)
    EXPECT_NEAR(r.Coss, 7.2768, 0.00005);        // 3^−0.8735 × 18.998
    EXPECT_NEAR(r.tr, 20.173, 0.0005);           // 3^−0.3317 × 29.043
    EXPECT_EQ(r.Rthtotal, 90.0);
    EXPECT_EQ(r.dTmax, 75.0);
    EXPECT_NEAR(r.Cext, 17.704, 0.0005);         // 16.64 × 1.2959 − 3.8601
    EXPECT_NEAR(r.Pon, 0.012542, 0.0000005);
    EXPECT_NEAR(r.Poff, 0.055948, 0.0000005);
    EXPECT_NEAR(r.Pcond, 0.76545, 0.000005);
    expectRow(r, outcome, {1664, 16.64, 0.49948, 0.83114, 0.83394, 75.054, 602.21, 16.64});
}

TEST_F(CalculateDcm, PoutIsTheRunningSumOfTheSteps) {
    DesignRecord r = test::Design();
    CalculateDCM(r, typed("50"));
    EXPECT_NE(r.Pout, 16.64);
    EXPECT_EQ(QString::number(r.Pout, 'g', 15), QStringLiteral("16.6399999999998"));
}

TEST_F(CalculateDcm, CaseBHeatsinkPath) {
    DesignRecord r = test::Design();
    DcmOptions options = typed("50");
    options.heatsink = true;
    const DcmOutcome outcome = CalculateDCM(r, options);
    EXPECT_EQ(r.Rthtotal, 21.5);
    expectRow(r, outcome, {3480, 34.80, 0.49948, 1.7382, 3.4892, 75.018, 287.95, 34.80});
}

TEST_F(CalculateDcm, CaseCSteadyStateRightAfterA) {
    DesignRecord r = test::Design();
    CalculateDCM(r, typed("50"));
    // The next Start clears the results and reads the same inputs again.
    ClearResults(r);
    r.Poutmax = 16.6; // what the window wrote back and read again
    DcmOptions options = typed("16.6");
    options.steadyState = true;
    const DcmOutcome outcome = CalculateDCM(r, options);
    expectRow(r, outcome, {1663, 16.63, 0.49933, 0.83089, 0.83345, 75.011, 602.39, 16.63});
}

TEST_F(CalculateDcm, CaseDSteadyStateWithATypedInductance) {
    DesignRecord r = test::Design();
    CalculateDCM(r, typed("50"));
    ClearResults(r);
    r.Poutmax = 50;
    DcmOptions options = typed("50");
    options.steadyState = true;
    options.userLpri = true;
    options.userLpriText = QStringLiteral("800");
    const DcmOutcome outcome = CalculateDCM(r, options);
    expectRow(r, outcome, {2200, 22.00, 0.66195, 0.82916, 0.83365, 75.028, 800, 50});
    // The conduction loss keeps the kept Dmax while D runs above it.
    EXPECT_GT(r.D, r.Dmax);
    EXPECT_NEAR(r.Pcond, 0.76181, 0.000005);
}

TEST_F(CalculateDcm, CaseEIntegratedDeviceStopsAtItsCurrentLimit) {
    DesignRecord r = test::Design();
    r.KestrelSel = true;
    r.Ipkd = 0.6;
    r.Ron25 = 3.5;
    r.Poutmax = 12;
    const DcmOutcome outcome = CalculateDCM(r, typed("12"));
    EXPECT_EQ(r.Ipkd, 0.6); // the catalogue value is not fitted over
    expectRow(r, outcome, {1202, 12.02, 0.49948, 0.60038, 0.51345, 46.211, 833.68, 12.02});
}

TEST_F(CalculateDcm, CaseFN3SwitchHasNoRiseTimeAndNoTurnOffLoss) {
    DesignRecord r = test::Design();
    r.KestrelSel = true;
    r.Ipkd = 3.2;
    r.HarrierN3 = true;
    r.Poutmax = 21;
    DcmOptions options = typed("21");
    options.userTr = true; // ignored for an N3 switch
    options.trText = QStringLiteral("10");
    const DcmOutcome outcome = CalculateDCM(r, options);
    EXPECT_EQ(r.tr, 0.0);
    EXPECT_EQ(r.Poff, 0.0);
    expectRow(r, outcome, {1723, 17.23, 0.49948, 0.86061, 0.83362, 75.026, 581.59, 17.23});
}

TEST_F(CalculateDcm, CasesGAndHTypedInductanceKeptOnlyBelowTheTypedMaximum) {
    DesignRecord g = test::Design();
    DcmOptions options = typed("50");
    options.userLpri = true;
    options.userLpriText = QStringLiteral("800");
    expectRow(g, CalculateDCM(g, options),
              {1664, 16.64, 0.49948, 0.83114, 0.83394, 75.054, 800, 50});

    DesignRecord h = test::Design();
    h.Poutmax = 10;
    options.poutmaxText = QStringLiteral("10");
    expectRow(h, CalculateDCM(h, options),
              {1664, 16.64, 0.49948, 0.83114, 0.83394, 75.054, 602.21, 16.64});
}

TEST_F(CalculateDcm, CasesIToLUserValuesAndTheFirstStep) {
    DesignRecord i = test::Design();
    DcmOptions cext = typed("50");
    cext.userCext = true;
    cext.cextText = QStringLiteral("15");
    expectRow(i, CalculateDCM(i, cext),
              {1665, 16.65, 0.49948, 0.83164, 0.83353, 75.018, 601.85, 16.65});
    EXPECT_EQ(i.Cext, 15.0);

    DesignRecord j = test::Design();
    DcmOptions rise = typed("50");
    rise.userTr = true;
    rise.trText = QStringLiteral("10");
    expectRow(j, CalculateDCM(j, rise),
              {1694, 16.94, 0.49948, 0.84612, 0.83427, 75.084, 591.55, 16.94});

    DesignRecord k = test::Design();
    k.ILpkUser = 0.5;
    DcmOptions peak = typed("50");
    peak.userIlpk = true;
    expectRow(k, CalculateDCM(k, peak),
              {1002, 10.02, 0.49948, 0.50048, 0.31948, 28.753, 1000.08, 10.02});
    EXPECT_EQ(k.Ipkd, 0.5);

    DesignRecord l = test::Design();
    l.Ta = 125;
    const DcmOutcome first = CalculateDCM(l, typed("50"));
    ASSERT_TRUE(first.ok());
    EXPECT_EQ(first.passes, 1);
    EXPECT_NEAR(l.Pout, 0.01, 1e-12);
    EXPECT_NEAR(l.ILpk, 0.00049948, 0.000000005);
    EXPECT_NEAR(l.Ptotal, 0.0036875, 0.00000005);
    EXPECT_NEAR(l.Tjc, 0.33187, 0.000005);
    EXPECT_NEAR(l.Lpri * 1e6, 1002080, 1);
    EXPECT_EQ(l.Cext, 0.0); // the step lies below 3 W
}

TEST_F(CalculateDcm, CextAtOrBelow3WKeepsTheValueTheRunBeganWith) {
    DesignRecord r = test::Design();
    r.Ta = 125;
    r.Cext = 42; // left by an earlier run
    CalculateDCM(r, typed("50"));
    EXPECT_EQ(r.Cext, 42.0);
    EXPECT_EQ(r.Ctotal, 42.0 + r.Coss);
}

TEST_F(CalculateDcm, StepThirteenComparesTheBoxTextByTheLocaleReading) {
    // With a comma locale, 1.000 is a thousand: 16.64 does not exceed it, so the
    // typed inductance stays. Its plain reading (1) or the field (10) would not.
    test::LocaleScope comma{test::CommaLocale()};
    DesignRecord kept = test::Design();
    kept.Poutmax = 10;
    DcmOptions options = typed("1.000");
    options.userLpri = true;
    options.userLpriText = QStringLiteral("800");
    CalculateDCM(kept, options);
    EXPECT_NEAR(kept.Lpri, 800e-6, 1e-15);
    EXPECT_EQ(kept.Poutmax, 10.0);

    // 16,6 is 16.6: 16.64 lies above it, so both are replaced; the field (50) would keep them.
    DesignRecord r = test::Design();
    options.poutmaxText = QStringLiteral("16,6");
    CalculateDCM(r, options);
    EXPECT_NEAR(r.Poutmax, 16.64, 1e-9);
    EXPECT_NEAR(r.Lpri * 1e6, 602.21, 0.005);

    // A text the locale cannot read is compared by its plain reading (50).
    DesignRecord unit = test::Design();
    options.poutmaxText = QStringLiteral("50 W");
    CalculateDCM(unit, options);
    EXPECT_NEAR(unit.Lpri, 800e-6, 1e-15);
}

TEST_F(CalculateDcm, NothingIsWrittenOutsideDcm) {
    DesignRecord r = test::Design();
    DcmOptions options = typed("50");
    options.dcmSelected = false;
    const DcmOutcome outcome = CalculateDCM(r, options);
    EXPECT_TRUE(outcome.ok());
    EXPECT_FALSE(outcome.calculated);
    EXPECT_EQ(r.VDCmin, 0.0);
    EXPECT_EQ(r.Pout, 0.0);
}

// Inputs that pass the Start checks but leave a result undefined: each is
// refused with a message that names its cause, and the record is left exactly
// as it was. The cases sit on the edges of their rules.
TEST_F(CalculateDcm, RefusedRunsLeaveTheRecordUntouched) {
    // The user's peak current is a limit of its own: a device without one runs.
    DesignRecord user = test::Design();
    user.KestrelSel = true;
    user.Ipkd = 0;
    user.ILpkUser = 0.5;
    DcmOptions peak = typed("50");
    peak.userIlpk = true;
    ASSERT_TRUE(CalculateDCM(user, peak).ok());
    EXPECT_EQ(user.Ipkd, 0.5);

    struct Refused {
        const char* what;
        DcmRefusal reason;
        const char* names; // part of the message that names the cause
        void (*prepare)(DesignRecord&, DcmOptions&);
    };
    const Refused cases[] = {
        {"device dialog closed without a choice", DcmRefusal::NoCurrentLimit,
         "No current limit is set.",
         [](DesignRecord& r, DcmOptions&) {
             r.KestrelSel = true;
             r.Ipkd = 0;
         }},
        // A typed inductance does not stand in for the Dmax of an earlier run.
        {"steady state with a typed inductance before any design point", DcmRefusal::NoDesignPoint,
         "Please start once without Steady State Operation.",
         [](DesignRecord&, DcmOptions& o) {
             o.steadyState = true;
             o.userLpri = true;
             o.userLpriText = QStringLiteral("800");
         }},
        {"steady state with an empty typed inductance", DcmRefusal::NoInductance,
         "Please insert a positive primary inductance.",
         [](DesignRecord& r, DcmOptions& o) {
             r.Dmax = 0.5;
             o.steadyState = true;
             o.userLpri = true;
         }},
        {"ripple above the line peak", DcmRefusal::NoBusVoltage,
         "The minimum DC bus voltage is zero or negative.",
         [](DesignRecord& r, DcmOptions&) { r.Vripple = 200; }},
        // 128 is a power of two, so the line peak is exact and VDCmin exactly 0.
        {"ripple equal to the line peak", DcmRefusal::NoBusVoltage,
         "The minimum DC bus voltage is zero or negative.",
         [](DesignRecord& r, DcmOptions&) {
             r.Vacmin = 128;
             r.Vripple = std::pow(2.0, 0.5) * 128;
         }},
        // Vr + VDCmin below 0 gives a positive Dmax; only the sum shows the fault.
        {"reflected voltage below minus the bus voltage", DcmRefusal::NoReflectedVoltage,
         "The reflected voltage is zero or negative.",
         [](DesignRecord& r, DcmOptions&) { r.Vr = -150; }},
        // Dmax negative: the sweep would run to its bound.
        {"reflected voltage above minus the bus voltage", DcmRefusal::NoReflectedVoltage,
         "The reflected voltage is zero or negative.",
         [](DesignRecord& r, DcmOptions&) { r.Vr = -50; }},
        {"zero package resistance", DcmRefusal::NoThermalResistance, "thermal resistance",
         [](DesignRecord& r, DcmOptions&) { r.Rthja = 0; }},
        {"heatsink path of zero", DcmRefusal::NoThermalResistance, "thermal resistance",
         [](DesignRecord& r, DcmOptions& o) {
             o.heatsink = true;
             r.Rthjc = r.Rthht = r.Rthhs = 0;
         }},
        {"no limit within reach", DcmRefusal::NoLimitReached, "10000 W",
         [](DesignRecord& r, DcmOptions&) {
             r.Ron25 = 1e-6;
             r.Rthja = 1e-9;
         }},
        {"a negative on-resistance has no fitted values", DcmRefusal::NotFinite, "no valid result",
         [](DesignRecord& r, DcmOptions&) { r.Ron25 = -1; }},
        {"steady state with a negative efficiency", DcmRefusal::NegativeEfficiency,
         "Please insert a positive efficiency.",
         [](DesignRecord& r, DcmOptions& o) {
             r.Lpri = 600e-6;
             r.Dmax = 0.5;
             r.Eta = -0.8;
             o.steadyState = true;
         }},
    };
    for (const Refused& c : cases) {
        SCOPED_TRACE(c.what);
        DesignRecord r = test::Design();
        r.Cext = 12.5;
        DcmOptions options = typed("50");
        c.prepare(r, options);
        const DesignRecord before = r;
        const DcmOutcome outcome = CalculateDCM(r, options);
        EXPECT_EQ(outcome.refusal, c.reason);
        EXPECT_TRUE(RefusalMessage(outcome.refusal).contains(QLatin1String(c.names)))
            << RefusalMessage(outcome.refusal).toStdString();
        EXPECT_TRUE(r == before);
    }
}

TEST_F(CalculateDcm, TheRunawaySweepIsBoundedAt10000W) {
    // A micro-ohm switch (a current limit of millions of amperes) on a
    // nano-kelvin-per-watt path: neither limit is within 10 kW.
    DesignRecord r = test::Design();
    r.Ron25 = 1e-6;
    r.Rthja = 1e-9;
    const DcmOutcome outcome = CalculateDCM(r, typed("50"));
    EXPECT_EQ(outcome.refusal, DcmRefusal::NoLimitReached);
    EXPECT_EQ(outcome.passes, kMaxSweepPasses);
}
