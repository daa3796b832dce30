#pragma once
// The common inputs of the design table, as ReadInputs leaves them (efficiency
// as a fraction, frequency in Hz), with case A's discrete 3 ohm switch on a
// 90 K/W package: 85 V universal range, 20 V ripple, 100 V reflected, 50 W,
// 80 %, 100 kHz, Ta 50 °C, Tj 125 °C, heatsink path 2.5 + 1 + 18 K/W.

#include "design_record.h"

namespace orvand::test {

inline DesignRecord CaseAInputs() {
    DesignRecord r;
    r.Vacmin = 85;
    r.Vripple = 20;
    r.Vr = 100;
    r.Poutmax = 50;
    r.Eta = 0.8;
    r.fwork = 100000;
    r.Ta = 50;
    r.Tj = 125;
    r.Ron25 = 3;
    r.Rthja = 90;
    r.Rthjc = 2.5;
    r.Rthht = 1;
    r.Rthhs = 18;
    return r;
}

} // namespace orvand::test
