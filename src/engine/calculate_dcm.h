#pragma once
// The flyback calculation in discontinuous conduction mode.
//
// CalculateDCM fixes the design point (VDCmin, Dmax, ILpkDesign, Lpri), the
// switch's current limit and fitted values (Ipkd, RdsonTj, Coss, tr), the
// thermal resistance of the chosen path, then raises Pout in 0.01 W steps until
// the junction temperature rise exceeds Tj - Ta or the peak current reaches the
// current limit. Last it fixes Lpri and Poutmax for the reachable power.
//
// It reads no window: the states and texts of the options it needs come in
// DcmOptions. Inputs that would leave a result undefined, or whose sign no
// flyback stage can have, are refused before or after the sweep; a refused run
// leaves the record exactly as it was.

#include "design_record.h"

#include <QString>

namespace orvand {

struct DcmOptions {
    bool dcmSelected = true;  // optflybackdcm
    bool userLpri = false;    // chkuserLpri
    QString userLpriText;     // txtUserLpri, µH
    bool steadyState = false; // chksteadystate
    bool userCext = false;    // chkCext
    QString cextText;         // txtCext, pF
    bool userTr = false;      // chktr
    QString trText;           // txttr, ns
    bool heatsink = false;    // chkHeatsink
    bool userIlpk = false;    // chkuserIlpk
    QString poutmaxText;      // txtPoutmax
};

enum class DcmRefusal {
    None,
    NoCurrentLimit,     // integrated device without a current limit
    NoDesignPoint,      // steady state without an earlier run's Dmax
    NoInductance,       // steady state with a design point but no positive Lpri
    NoUserInductance,   // a typed inductance of zero or less
    NegativeEfficiency, // Eta below zero
    NegativeFrequency,  // fwork below zero
    NegativeRiseTime,   // a typed rise time below zero
    NegativeCext,       // a typed external capacitance below zero
    NoBusVoltage,       // VDCmin not positive
    NoReflectedVoltage, // Vr, or Dmax outside steady state, not positive
    NegativeRthjc,      // heatsink path: one of its three resistances below zero
    NegativeRthht,
    NegativeRthhs,
    NoThermalResistance, // thermal resistance of the path not positive
    NoLimitReached,      // sweep reached its bound without crossing a limit
    NotFinite,           // a result, or a result as it is shown, is not a finite number
    DutyCycleAbove100,   // steady state: the duty cycle at the reached power above 100 %
};

struct DcmOutcome {
    DcmRefusal refusal = DcmRefusal::None;
    bool calculated = false; // false when DCM is not selected: nothing was written
    long passes = 0;         // passes of the power sweep
    bool ok() const { return refusal == DcmRefusal::None; }
};

// Bound of the power sweep: 10,000 W in 0.01 W steps.
inline constexpr long kMaxSweepPasses = 1'000'000;

DcmOutcome CalculateDCM(DesignRecord& record, const DcmOptions& options);

// The message shown for a refused run (title "Input Error", critical icon).
QString RefusalMessage(DcmRefusal refusal);

} // namespace orvand
