#include "calculate_dcm.h"

#include "number_text.h"

#include <cmath>
#include <initializer_list>

namespace orvand {

namespace {

bool allFinite(std::initializer_list<double> values) {
    for (double value : values)
        if (!std::isfinite(value))
            return false;
    return true;
}

// Everything before the sweep: the design point, the switch's current limit and
// fitted values, the thermal path. Steps 1 to 11.
void designPoint(DesignRecord& r, const DcmOptions& o) {
    r.VDCmin = std::pow(2.0, 0.5) * r.Vacmin - r.Vripple;
    r.RdsonTj = std::pow(1.0 + 0.8 / 100.0, r.Tj - 25.0) * r.Ron25;
    if (!r.KestrelSel)
        r.Ipkd = std::pow(r.Ron25, -0.9452) * 8.8446;
    if (o.userLpri) {
        r.Lpri = PlainReading(o.userLpriText);
        r.Lpri = std::pow(10.0, -6.0) * r.Lpri;
    }
    if (!o.steadyState) {
        r.Dmax = r.Vr / (r.Vr + r.VDCmin);
        r.ILpkDesign = 2.0 * (r.Poutmax / r.Eta) / (r.Dmax * r.VDCmin);
        if (!o.userLpri)
            r.Lpri = (r.Dmax * r.VDCmin) / (r.fwork * r.ILpkDesign);
    }
    r.Coss = std::pow(r.Ron25, -0.8735) * 18.998;
    if (o.userCext)
        r.Cext = PlainReading(o.cextText);
    if (r.HarrierN3)
        r.tr = 0.0;
    else if (!o.userTr)
        r.tr = std::pow(r.Ron25, -0.3317) * 29.043;
    else
        r.tr = PlainReading(o.trText);
    r.Rthtotal = o.heatsink ? r.Rthht + r.Rthjc + r.Rthhs : r.Rthja;
    r.dTmax = r.Tj - r.Ta;
    if (o.userIlpk)
        r.Ipkd = r.ILpkUser;
}

DcmRefusal refusalBeforeSweep(const DesignRecord& r, const DcmOptions& o) {
    if (r.KestrelSel && !o.userIlpk && !(r.Ipkd > 0.0))
        return DcmRefusal::NoCurrentLimit;
    // Only a run outside steady state writes Dmax: in steady state a typed
    // inductance cannot stand in for it.
    if (o.steadyState && !(r.Dmax > 0.0))
        return DcmRefusal::NoDesignPoint;
    if (o.steadyState && !(r.Lpri > 0.0))
        return DcmRefusal::NoInductance;
    // Outside steady state a typed inductance takes no part in the sweep, but
    // it is kept and shown as the design's whenever the power stays below the
    // typed maximum.
    if (o.userLpri && !(r.Lpri > 0.0))
        return DcmRefusal::NoUserInductance;
    // The Start checks refuse only zero. With a negative sign the formulas
    // still give numbers, but negative inductances, currents and losses, and
    // a temperature rise that shrinks as the losses grow.
    if (r.Eta < 0.0)
        return DcmRefusal::NegativeEfficiency;
    if (r.fwork < 0.0)
        return DcmRefusal::NegativeFrequency;
    // Only a typed value can be negative; an N3 switch never reads it.
    if (r.tr < 0.0)
        return DcmRefusal::NegativeRiseTime;
    if (o.userCext && r.Cext < 0.0)
        return DcmRefusal::NegativeCext;
    if (!(r.VDCmin > 0.0))
        return DcmRefusal::NoBusVoltage;
    // A negative Vr gives a negative Dmax outside steady state (the peak
    // current never reaches the limit and the sweep runs to its bound), and in
    // steady state a turn-off loss below zero. Dmax can still round to zero
    // for a Vr below the smallest normal double.
    if (!(r.Vr > 0.0) || (!o.steadyState && !(r.Dmax > 0.0)))
        return DcmRefusal::NoReflectedVoltage;
    // Each resistance on the heatsink path on its own: a negative one hides in
    // a positive sum and understates the temperature rise. The path not in use
    // is not looked at.
    if (o.heatsink) {
        if (r.Rthjc < 0.0)
            return DcmRefusal::NegativeRthjc;
        if (r.Rthht < 0.0)
            return DcmRefusal::NegativeRthht;
        if (r.Rthhs < 0.0)
            return DcmRefusal::NegativeRthhs;
    }
    if (!(r.Rthtotal > 0.0))
        return DcmRefusal::NoThermalResistance;
    if (!allFinite({r.VDCmin, r.RdsonTj, r.Ipkd, r.Lpri, r.Dmax, r.ILpkDesign, r.Coss, r.Cext, r.tr,
                    r.Rthtotal, r.dTmax}) ||
        !(r.Ipkd > 0.0))
        return DcmRefusal::NotFinite;
    return DcmRefusal::None;
}

// Step 12. Loop invariants are computed once; the arithmetic of every pass is
// the same as written out in full.
DcmRefusal sweep(DesignRecord& r, const DcmOptions& o, long& passes) {
    const double picoFarad = std::pow(10.0, -12.0);
    const double nanoSecond = std::pow(10.0, -9.0);
    const double busSquared = std::pow(r.VDCmin, 2.0);
    passes = 0;
    for (;;) {
        if (r.Tjc > r.dTmax)
            return DcmRefusal::None;
        if (r.ILpk >= r.Ipkd)
            return DcmRefusal::None;
        if (std::isnan(r.Tjc) || std::isnan(r.ILpk))
            return DcmRefusal::NotFinite;
        if (passes == kMaxSweepPasses)
            return DcmRefusal::NoLimitReached;
        ++passes;

        r.Pout = r.Pout + 0.01;
        if (o.steadyState)
            r.D = std::pow(2.0 * r.Lpri * r.Pout / r.Eta * r.fwork, 1.0 / 2.0) * (1.0 / r.VDCmin);
        else
            r.D = r.Dmax;
        r.ILpk = 2.0 * r.Pout / (r.D * r.VDCmin * r.Eta);
        if (r.Pout > 3.0 && !o.userCext)
            r.Cext = r.Pout * 1.2959 - 3.8601;
        r.Ctotal = r.Cext + r.Coss;
        r.Pon = picoFarad * (r.Ctotal * 0.5) * busSquared * r.fwork;
        r.Poff = nanoSecond * ((r.Vr + r.VDCmin) * (1.0 / 6.0) * r.ILpk * r.fwork * r.tr);
        r.Pcond = std::pow(r.ILpk, 2.0) * ((1.0 / 3.0) * r.RdsonTj) * r.Dmax;
        r.Ptotal = r.Poff + r.Pon + r.Pcond;
        r.Tjc = r.Ptotal * r.Rthtotal;
    }
}

// Step 13: the inductance and maximum power for the reachable power. The box's
// text is compared by the locale reading; a text the locale cannot read is
// compared by its plain reading.
void fixForReachablePower(DesignRecord& r, const DcmOptions& o) {
    const double typedMaximum =
        TryLocaleReading(o.poutmaxText).value_or(PlainReading(o.poutmaxText));
    if (r.Pout > typedMaximum || !o.userLpri) {
        r.Lpri = (r.Dmax * r.VDCmin) / (r.ILpk * r.fwork);
        r.Poutmax = r.Pout;
    }
}

} // namespace

DcmOutcome CalculateDCM(DesignRecord& record, const DcmOptions& options) {
    DcmOutcome outcome;
    if (!options.dcmSelected)
        return outcome;

    // Work on a copy: a refused run leaves the record as it found it.
    DesignRecord r = record;
    designPoint(r, options);
    outcome.refusal = refusalBeforeSweep(r, options);
    if (outcome.refusal == DcmRefusal::None)
        outcome.refusal = sweep(r, options, outcome.passes);
    if (outcome.refusal == DcmRefusal::None) {
        fixForReachablePower(r, options);
        // The output section and the report scale these before they show them,
        // and a value that overflows there would be shown as 0: an Lpri finite
        // in henry can be infinite in µH.
        if (!allFinite({r.Lpri, r.Poutmax, r.Pout, r.D, r.ILpk, r.Cext, r.Ctotal, r.Pon, r.Poff,
                        r.Pcond, r.Ptotal, r.Tjc, r.Lpri * 1e6, r.D * 100.0, r.Dmax * 100.0,
                        r.Eta * 100.0, r.fwork / 1000.0}))
            outcome.refusal = DcmRefusal::NotFinite;
        // Outside steady state D is Dmax, always below 1. In steady state the
        // inductance fixes D; above Dmax it is only noted, but no switch is on
        // for more than the whole period.
        else if (options.steadyState && r.D > 1.0)
            outcome.refusal = DcmRefusal::DutyCycleAbove100;
    }
    if (outcome.refusal != DcmRefusal::None)
        return outcome;

    outcome.calculated = true;
    record = r;
    return outcome;
}

QString RefusalMessage(DcmRefusal refusal) {
    switch (refusal) {
    case DcmRefusal::None:
        return QString();
    case DcmRefusal::NoCurrentLimit:
        return QStringLiteral("No current limit is set. Please choose a Kestrel device with the "
                              "Kestrel button, or a Harrier switch with the Harrier button.");
    case DcmRefusal::NoDesignPoint:
        return QStringLiteral("Steady State Operation needs the design point of an earlier run. "
                              "Please start once without Steady State Operation.");
    case DcmRefusal::NoInductance:
        return QStringLiteral("Steady State Operation needs a positive primary inductance. Please "
                              "insert a positive primary inductance.");
    case DcmRefusal::NoUserInductance:
        return QStringLiteral("The primary inductance is zero or negative. Please insert a "
                              "positive primary inductance.");
    case DcmRefusal::NegativeEfficiency:
        return QStringLiteral("The efficiency is negative. Please insert a positive efficiency.");
    case DcmRefusal::NegativeFrequency:
        return QStringLiteral("The frequency is negative. Please insert a positive frequency.");
    case DcmRefusal::NegativeRiseTime:
        return QStringLiteral("The rise time is negative. Please insert a rise time of zero or "
                              "more.");
    case DcmRefusal::NegativeCext:
        return QStringLiteral("The external capacitance is negative. Please insert an external "
                              "capacitance of zero or more.");
    case DcmRefusal::NoBusVoltage:
        return QStringLiteral("The minimum DC bus voltage is zero or negative. Please check the "
                              "input voltage and the ripple voltage.");
    case DcmRefusal::NoReflectedVoltage:
        return QStringLiteral("The reflected voltage is zero or negative. Please insert a "
                              "positive reflected voltage.");
    case DcmRefusal::NegativeRthjc:
        return QStringLiteral("The thermal resistance Rthjc is negative. Please insert a positive "
                              "Rthjc.");
    case DcmRefusal::NegativeRthht:
        return QStringLiteral("The thermal resistance Rthht is negative. Please insert an Rthht of "
                              "zero or more.");
    case DcmRefusal::NegativeRthhs:
        return QStringLiteral("The thermal resistance Rthhs is negative. Please insert a positive "
                              "Rthhs.");
    case DcmRefusal::NoThermalResistance:
        return QStringLiteral("The thermal resistance of the package or heatsink is zero or "
                              "negative. Please check your Rth values.");
    case DcmRefusal::NoLimitReached:
        return QStringLiteral("No limit was reached up to an output power of 10000 W. Please "
                              "check the efficiency and the thermal resistances.");
    case DcmRefusal::NotFinite:
        return QStringLiteral("The calculation gives no valid result for these inputs. Please "
                              "check your inputs.");
    case DcmRefusal::DutyCycleAbove100:
        return QStringLiteral("The duty cycle at the reached output power is above 100 %. Please "
                              "check the primary inductance, the frequency and the ripple "
                              "voltage.");
    }
    return QString();
}

} // namespace orvand
