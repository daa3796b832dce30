// The DCM calculation on the cases of the design table. Every expected value is
// the table's, to the digits it shows; tolerances are half a unit of the last
// digit shown.
#include "calculate_dcm.h"
#include "design_cases.h"
#include "locale_scope.h"

#include <cmath>
#include <gtest/gtest.h>
#include <map>

using namespace orvand;

namespace {

using R = DesignRecord;
using test::Design;

DcmOptions typed(const char* poutmax) {
    DcmOptions options;
    options.poutmaxText = QString::fromLatin1(poutmax);
    return options;
}

// The table's value as it prints it: within half a unit of its last digit, or,
// where it is kept from what was typed, that value itself.
void expectShown(double value, const QString& shown) {
    if (shown.endsWith(u"(kept)")) {
        EXPECT_DOUBLE_EQ(value, shown.chopped(6).toDouble()) << shown.toStdString();
        return;
    }
    const qsizetype point = shown.indexOf(u'.');
    const double halfUnit = 0.5 * std::pow(10.0, point < 0 ? 0 : point + 1 - shown.size());
    EXPECT_NEAR(value, shown.toDouble(), halfUnit) << shown.toStdString();
}

// A row of the table (case, passes, Pout, D, ILpk, Ptotal, Tjc, Lpri in µH, Poutmax after),
// and what the case ticks and types beside case A: typing lpri, cext or tr ticks its box.
struct Case {
    const char* row;
    DesignRecord design = Design();
    bool heatsink = false, steadyState = false, userIlpk = false;
    const char *poutmax = "50", *lpri = nullptr, *cext = nullptr, *tr = nullptr;
};

class CalculateDcm : public ::testing::Test {
  protected:
    test::LocaleScope locale{test::PointLocale()};
};

} // namespace

// Case A's design point and fitted values as their formulas give them: VDCmin
// 1.41421 × 85 − 20, RdsonTj 1.008^100 × 3, Ipkd 3^−0.9452 × 8.8446, Dmax
// 100 / 200.208, ILpkDesign 2 × 62.5 / (0.49948 × 100.208), Coss 3^−0.8735 ×
// 18.998, tr 3^−0.3317 × 29.043, Cext 16.64 × 1.2959 − 3.8601.
TEST_F(CalculateDcm, CaseADesignPointAndFittedValues) {
    DesignRecord r = Design();
    ASSERT_TRUE(CalculateDCM(r, typed("50")).ok());
    const std::pair<double R::*, const char*> values[] = {
        {&R::VDCmin, "100.208"}, {&R::RdsonTj, "6.6554"},    {&R::Ipkd, "3.1311"},
        {&R::Dmax, "0.49948"},   {&R::ILpkDesign, "2.4974"}, {&R::Coss, "7.2768"},
        {&R::tr, "20.173"},      {&R::Cext, "17.704"},       {&R::Pon, "0.012542"},
        {&R::Poff, "0.055948"},  {&R::Pcond, "0.76545"}};
    for (const auto& [field, shown] : values)
        expectShown(r.*field, shown);
    EXPECT_EQ(std::pair(r.Rthtotal, r.dTmax), std::pair(90.0, 75.0));
    // Pout is the running sum of the steps, not 1664 × 0.01.
    EXPECT_NE(r.Pout, 16.64);
    EXPECT_EQ(QString::number(r.Pout, 'g', 15), QStringLiteral("16.6399999999998"));
}

TEST_F(CalculateDcm, TheDesignTable) {
    const Case cases[] = {
        {.row = "A 1664 16.64 0.49948 0.83114 0.83394 75.054 602.21 16.64"},
        {.row = "B 3480 34.80 0.49948 1.7382 3.4892 75.018 287.95 34.80", .heatsink = true},
        {.row = "C 1663 16.63 0.49933 0.83089 0.83345 75.011 602.39 16.63",
         .steadyState = true,
         .poutmax = "16.6"},
        {.row = "D 2200 22.00 0.66195 0.82916 0.83365 75.028 800(kept) 50(kept)",
         .steadyState = true,
         .lpri = "800"},
        {.row = "E 1202 12.02 0.49948 0.60038 0.51345 46.211 833.68 12.02",
         .design = Design().px11(),
         .poutmax = "12"},
        {.row = "F 1723 17.23 0.49948 0.86061 0.83362 75.026 581.59 17.23",
         .design = Design().set(&R::KestrelSel, true).set(&R::Ipkd, 3.2).set(&R::HarrierN3, true),
         .poutmax = "21",
         .tr = "10"},
        {.row = "G 1664 16.64 0.49948 0.83114 0.83394 75.054 800(kept) 50(kept)", .lpri = "800"},
        {.row = "H 1664 16.64 0.49948 0.83114 0.83394 75.054 602.21 16.64",
         .poutmax = "10",
         .lpri = "800"},
        {.row = "I 1665 16.65 0.49948 0.83164 0.83353 75.018 601.85 16.65", .cext = "15"},
        {.row = "J 1694 16.94 0.49948 0.84612 0.83427 75.084 591.55 16.94", .tr = "10"},
        {.row = "K 1002 10.02 0.49948 0.50048 0.31948 28.753 1000.08 10.02",
         .design = Design().set(&R::ILpkUser, 0.5),
         .userIlpk = true},
        {.row = "L 1 0.01 0.49948 0.00049948 0.0036875 0.33187 1002080 0.01",
         .design = Design().set(&R::Ta, 125)},
    };
    std::map<QString, DesignRecord> after;
    for (const Case& c : cases) {
        SCOPED_TRACE(c.row);
        const QStringList row = QString::fromUtf8(c.row).split(u' ');
        DesignRecord& r = after[row[0]] = c.design;
        DcmOptions options = typed(c.poutmax);
        options.heatsink = c.heatsink;
        options.steadyState = c.steadyState;
        options.userIlpk = c.userIlpk;
        options.userLpri = c.lpri;
        options.userLpriText = QString::fromLatin1(c.lpri);
        options.userCext = c.cext;
        options.cextText = QString::fromLatin1(c.cext);
        options.userTr = c.tr;
        options.trText = QString::fromLatin1(c.tr);
        // A steady-state Start follows case A's, whose results it clears first.
        if (c.steadyState) {
            CalculateDCM(r, typed("50"));
            ClearResults(r);
        }
        r.Poutmax = options.poutmaxText.toDouble(); // as the Start reads it from its box
        const DcmOutcome outcome = CalculateDCM(r, options);
        ASSERT_TRUE(outcome.ok()) << RefusalMessage(outcome.refusal).toStdString();
        EXPECT_EQ(outcome.passes, row[1].toLong());
        const double values[] = {r.Pout, r.D, r.ILpk, r.Ptotal, r.Tjc, r.Lpri * 1e6, r.Poutmax};
        for (int i = 0; i < 7; ++i)
            expectShown(values[i], row[i + 2]);
    }
    EXPECT_EQ(after["B"].Rthtotal, 21.5);
    // The conduction loss keeps the kept Dmax while D runs above it.
    EXPECT_GT(after["D"].D, after["D"].Dmax);
    EXPECT_NEAR(after["D"].Pcond, 0.76181, 0.000005);
    EXPECT_EQ(after["E"].Ipkd, 0.6); // the catalogue value is not fitted over
    EXPECT_EQ(after["F"].tr, 0.0);   // an N3 switch ignores the typed rise time
    EXPECT_EQ(after["F"].Poff, 0.0);
    EXPECT_EQ(after["I"].Cext, 15.0);
    EXPECT_EQ(after["K"].Ipkd, 0.5);
    EXPECT_EQ(after["L"].Pout, 0.01); // the first step already crosses the limit
    EXPECT_EQ(after["L"].Cext, 0.0);  // the step lies below 3 W
}

TEST_F(CalculateDcm, CextAtOrBelow3WKeepsTheValueTheRunBeganWith) {
    DesignRecord r = Design().set(&R::Ta, 125).set(&R::Cext, 42); // Cext of an earlier run
    CalculateDCM(r, typed("50"));
    EXPECT_EQ(std::pair(r.Cext, r.Ctotal), std::pair(42.0, 42.0 + r.Coss));
}

TEST_F(CalculateDcm, StepThirteenComparesTheBoxTextByTheLocaleReading) {
    // With a comma locale, 1.000 is a thousand: 16.64 does not exceed it, so the
    // typed inductance stays. Its plain reading (1) or the field (10) would not.
    test::LocaleScope comma{test::CommaLocale()};
    DesignRecord kept = Design().set(&R::Poutmax, 10);
    DcmOptions options = typed("1.000");
    options.userLpri = true;
    options.userLpriText = QStringLiteral("800");
    CalculateDCM(kept, options);
    EXPECT_NEAR(kept.Lpri, 800e-6, 1e-15);
    EXPECT_EQ(kept.Poutmax, 10.0);

    // 16,6 is 16.6: 16.64 lies above it, so both are replaced; the field (50) would keep them.
    DesignRecord r = Design();
    options.poutmaxText = QStringLiteral("16,6");
    CalculateDCM(r, options);
    EXPECT_NEAR(r.Poutmax, 16.64, 1e-9);
    EXPECT_NEAR(r.Lpri * 1e6, 602.21, 0.005);

    // A text the locale cannot read is compared by its plain reading (50).
    DesignRecord unit = Design();
    options.poutmaxText = QStringLiteral("50 W");
    CalculateDCM(unit, options);
    EXPECT_NEAR(unit.Lpri, 800e-6, 1e-15);
}

TEST_F(CalculateDcm, NothingIsWrittenOutsideDcm) {
    DesignRecord r = Design();
    DcmOptions options = typed("50");
    options.dcmSelected = false;
    const DcmOutcome outcome = CalculateDCM(r, options);
    EXPECT_EQ(std::tuple(outcome.ok(), outcome.calculated, r.VDCmin, r.Pout),
              std::tuple(true, false, 0.0, 0.0));
}

// Inputs that pass the Start checks but leave a result undefined: each is
// refused with a message that names its cause, and the record is left exactly
// as it was. The cases sit on the edges of their rules.
TEST_F(CalculateDcm, RefusedRunsLeaveTheRecordUntouched) {
    // The user's peak current is a limit of its own: a device without one runs.
    DesignRecord user = Design().set(&R::KestrelSel, true).set(&R::Ipkd, 0).set(&R::ILpkUser, 0.5);
    DcmOptions peak = typed("50");
    peak.userIlpk = true;
    ASSERT_TRUE(CalculateDCM(user, peak).ok());
    EXPECT_EQ(user.Ipkd, 0.5);

    const QString noBus = "The minimum DC bus voltage is zero or negative. Please check the input "
                          "voltage and the ripple voltage.";
    const QString noVr = "The reflected voltage is zero or negative. Please insert a positive "
                         "reflected voltage.";
    const QString noRth = "The thermal resistance of the package or heatsink is zero or negative. "
                          "Please check your Rth values.";
    DcmOptions steady = typed("50"), heatsink = typed("50");
    steady.steadyState = heatsink.heatsink = true;
    DcmOptions emptyLpri = steady;
    emptyLpri.userLpri = true;
    DcmOptions typedLpri = emptyLpri;
    typedLpri.userLpriText = QStringLiteral("800");
    const std::tuple<const char*, DcmRefusal, QString, DesignRecord, DcmOptions> cases[] = {
        {"device dialog closed without a choice", DcmRefusal::NoCurrentLimit,
         "No current limit is set. Please choose a Kestrel device with the Kestrel button, or a "
         "Harrier switch with the Harrier button.",
         Design().set(&R::KestrelSel, true).set(&R::Ipkd, 0), typed("50")},
        // A typed inductance does not stand in for the Dmax of an earlier run.
        {"steady state with a typed inductance before any design point", DcmRefusal::NoDesignPoint,
         "Steady State Operation needs the design point of an earlier run. Please start once "
         "without Steady State Operation.",
         Design(), typedLpri},
        {"steady state with an empty typed inductance", DcmRefusal::NoInductance,
         "Steady State Operation needs a positive primary inductance. Please insert a positive "
         "primary inductance.",
         Design().set(&R::Dmax, 0.5), emptyLpri},
        {"ripple above the line peak", DcmRefusal::NoBusVoltage, noBus,
         Design().set(&R::Vripple, 200), typed("50")},
        // 128 is a power of two, so the line peak is exact and VDCmin exactly 0.
        {"ripple equal to the line peak", DcmRefusal::NoBusVoltage, noBus,
         Design().set(&R::Vacmin, 128).set(&R::Vripple, std::pow(2.0, 0.5) * 128), typed("50")},
        // Vr + VDCmin below 0 gives a positive Dmax; only the sum shows the fault.
        {"reflected voltage below minus the bus voltage", DcmRefusal::NoReflectedVoltage, noVr,
         Design().set(&R::Vr, -150), typed("50")},
        // Dmax negative: the sweep would run to its bound.
        {"reflected voltage above minus the bus voltage", DcmRefusal::NoReflectedVoltage, noVr,
         Design().set(&R::Vr, -50), typed("50")},
        {"zero package resistance", DcmRefusal::NoThermalResistance, noRth,
         Design().set(&R::Rthja, 0), typed("50")},
        {"heatsink path of zero", DcmRefusal::NoThermalResistance, noRth,
         Design().set(&R::Rthjc, 0).set(&R::Rthht, 0).set(&R::Rthhs, 0), heatsink},
        // A micro-ohm switch (a current limit of millions of amperes) on a
        // nano-kelvin-per-watt path: neither limit is within 10 kW.
        {"no limit within reach", DcmRefusal::NoLimitReached,
         "No limit was reached up to an output power of 10000 W. Please check the efficiency and "
         "the thermal resistances.",
         Design().set(&R::Ron25, 1e-6).set(&R::Rthja, 1e-9), typed("50")},
        {"a negative on-resistance has no fitted values", DcmRefusal::NotFinite,
         "The calculation gives no valid result for these inputs. Please check your inputs.",
         Design().set(&R::Ron25, -1), typed("50")},
        {"steady state with a negative efficiency", DcmRefusal::NegativeEfficiency,
         "The efficiency is negative. Please insert a positive efficiency.",
         Design().set(&R::Lpri, 600e-6).set(&R::Dmax, 0.5).set(&R::Eta, -0.8), steady},
    };
    for (const auto& [what, reason, message, design, options] : cases) {
        SCOPED_TRACE(what);
        DesignRecord r = design;
        r.Cext = 12.5;
        const DesignRecord before = r;
        const DcmOutcome outcome = CalculateDCM(r, options);
        EXPECT_EQ(outcome.refusal, reason);
        EXPECT_EQ(RefusalMessage(outcome.refusal), message);
        EXPECT_TRUE(r == before);
        if (reason == DcmRefusal::NoLimitReached) {
            EXPECT_EQ(outcome.passes, 1'000'000) << "the sweep stops at 10000 W, in 0.01 W steps";
        }
    }
}
