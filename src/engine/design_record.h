#pragma once
// The one record of a design: inputs, device data, flags, intermediate values,
// results and three texts. The application owns exactly one instance and hands
// it by reference to every window and procedure; nothing here is global.
//
// Units: volts, amperes, watts, °C (temperature rises in K), thermal resistances
// in K/W, resistances in ohm, capacitances in pF, rise times in ns, Lpri in henry.
// Eta and fwork change unit between runs: the edit handlers and the device
// dialog keep percent and kHz (as typed), ReadInputs turns them into a fraction
// and Hz at every Start.

#include <QString>

namespace orvand {

struct DesignRecord {
    // Inputs, read afresh by ReadInputs at every Start.
    double Vacmin = 0.0;
    double Vripple = 0.0;
    double Vr = 0.0;
    double Poutmax = 0.0;
    double Eta = 0.0;
    double fwork = 0.0;
    double Ta = 0.0;
    double Tj = 0.0;
    double Ron25 = 0.0;
    double Rthja = 0.0;
    double Rthjc = 0.0;
    double Rthht = 0.0;
    double Rthhs = 0.0;
    double ILpkUser = 0.0;

    // Device data and flags.
    double Ipkd = 0.0;
    double PackageOnly = 0.0; // 1.0 or 0.0, read by the report only
    bool KestrelSel = false;
    bool HarrierSel = false;
    bool HarrierN3 = false;
    bool InputPresent = false;

    // Intermediate values of the calculation.
    double VDCmin = 0.0;
    double dTmax = 0.0;
    double Rthtotal = 0.0;
    double ILpkDesign = 0.0;
    double Ctotal = 0.0;

    // Results.
    double Dmax = 0.0;
    double D = 0.0;
    double ILpk = 0.0;
    double Lpri = 0.0;
    double Coss = 0.0;
    double Cext = 0.0;
    double tr = 0.0;
    double RdsonTj = 0.0;
    double Pout = 0.0;
    double Pon = 0.0;
    double Poff = 0.0;
    double Pcond = 0.0;
    double Ptotal = 0.0;
    double Tjc = 0.0;

    // Texts.
    QString OutputFileName;
    QString DeviceName;
    QString CopperAreaText;

    bool operator==(const DesignRecord&) const = default;
};

// Sets the eleven result fields that every calculation starts from to 0.
// Dmax, Lpri, Cext, Coss, tr, VDCmin, ILpkDesign and Ctotal are kept on purpose:
// steady-state runs build on them.
void ClearResults(DesignRecord& record);

} // namespace orvand
