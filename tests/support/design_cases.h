#pragma once
// The designs of the design table as records, starting from case A's inputs as
// ReadInputs leaves them (efficiency as a fraction, frequency in Hz): 85 V
// universal range, 20 V ripple, 100 V reflected, 50 W, 80 %, 100 kHz, Ta 50 °C,
// Tj 125 °C, a discrete 3 ohm switch on a 90 K/W package, heatsink path
// 2.5 + 1 + 18 K/W. Steps add the catalogue device PX11 as its dialog leaves
// it, a run's results, or any field:
//   Design().px11().px11Results().set(&DesignRecord::Ta, 25.0)

#include "design_record.h"

namespace orvand::test {

class Design {
  public:
    Design() {
        r_.Vacmin = 85;
        r_.Vripple = 20;
        r_.Vr = 100;
        r_.Poutmax = 50;
        r_.Eta = 0.8;
        r_.fwork = 100000;
        r_.Ta = 50;
        r_.Tj = 125;
        r_.Ron25 = 3;
        r_.Rthja = 90;
        r_.Rthjc = 2.5;
        r_.Rthht = 1;
        r_.Rthhs = 18;
    }
    Design& px11() {
        r_.Ron25 = 3.5;
        r_.Ipkd = 0.6;
        r_.KestrelSel = true;
        r_.DeviceName = QStringLiteral("PX11");
        r_.PackageOnly = 1.0;
        return *this;
    }
    // What a run of case A leaves: it stops at the package's temperature rise.
    Design& caseAResults() {
        return results({6.6554, 75.054, 0.49948, 16.6399999999998, 0.012542, 0.055948, 0.76545,
                        0.83394, 0.83114, 20.173, 602.21e-6, 17.704, 7.2768})
            .set(&DesignRecord::Ipkd, 3.1311);
    }
    // What a run of PX11 leaves: it stops at the device's current limit.
    Design& px11Results() {
        return results({7.7646, 46.211, 0.49948, 12.02, 0.0123, 0.0456, 0.4556, 0.51345, 0.60038, 0,
                        833.68e-6, 0, 0});
    }
    template <typename Field, typename Value> Design& set(Field DesignRecord::*field, Value value) {
        r_.*field = Field(value);
        return *this;
    }
    operator DesignRecord() const { return r_; }

  private:
    // Dmax is D and Poutmax the power reached, as after every run without steady state.
    Design& results(std::initializer_list<double> values) {
        using R = DesignRecord;
        static constexpr double R::*fields[] = {
            &R::RdsonTj, &R::Tjc,  &R::D,  &R::Pout, &R::Pon,  &R::Poff, &R::Pcond,
            &R::Ptotal,  &R::ILpk, &R::tr, &R::Lpri, &R::Cext, &R::Coss};
        const double* value = values.begin();
        for (double R::*field : fields)
            r_.*field = *value++;
        r_.Dmax = r_.D;
        r_.Poutmax = r_.Pout;
        r_.Rthtotal = r_.Rthja;
        return *this;
    }
    DesignRecord r_;
};

} // namespace orvand::test
