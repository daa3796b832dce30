#pragma once
// The designs of the design table as records, from case A's inputs as
// ReadInputs leaves them (efficiency as a fraction, frequency in Hz; a discrete
// switch on a package, and a heatsink path). Steps add the catalogue device PX11
// as its dialog leaves it, a run's results or any field; another design gives
// its inputs and results as lists, in the order of the fields below.

#include "design_record.h"

#include <cstddef>

namespace orvand::test {

class Design {
    using R = DesignRecord;

  public:
    Design() { inputs({85, 20, 100, 50, 0.8, 100000, 50, 125, 3, 90, 2.5, 1, 18}); }
    template <std::size_t N> Design& inputs(const double (&values)[N]) {
        static constexpr double R::*fields[] = {
            &R::Vacmin, &R::Vripple, &R::Vr,    &R::Poutmax, &R::Eta,   &R::fwork, &R::Ta,
            &R::Tj,     &R::Ron25,   &R::Rthja, &R::Rthjc,   &R::Rthht, &R::Rthhs};
        return fill(fields, values);
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
    // Dmax is D and Poutmax the power reached, as after every run without steady state.
    template <std::size_t N> Design& results(const double (&values)[N]) {
        static constexpr double R::*fields[] = {
            &R::RdsonTj, &R::Tjc,  &R::D,  &R::Pout, &R::Pon,  &R::Poff, &R::Pcond,
            &R::Ptotal,  &R::ILpk, &R::tr, &R::Lpri, &R::Cext, &R::Coss};
        fill(fields, values);
        r_.Dmax = r_.D;
        r_.Poutmax = r_.Pout;
        r_.Rthtotal = r_.Rthja;
        return *this;
    }
    template <typename Field, typename Value> Design& set(Field DesignRecord::*field, Value value) {
        r_.*field = Field(value);
        return *this;
    }
    operator DesignRecord() const { return r_; }

  private:
    // One value for each field: a list of another length does not compile.
    template <std::size_t N>
    Design& fill(double R::*const (&fields)[N], const double (&values)[N]) {
        for (std::size_t i = 0; i < N; ++i)
            r_.*fields[i] = values[i];
        return *this;
    }
    DesignRecord r_;
};

} // namespace orvand::test
