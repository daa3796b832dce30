// Time of CalculateDCM, whole and per pass of the power sweep.
#include "calculate_dcm.h"
#include "design_cases.h"

#include <benchmark/benchmark.h>

namespace {

using orvand::DcmOptions;
using orvand::DesignRecord;

DesignRecord caseA() {
    return orvand::test::Design();
}

void run(benchmark::State& state, const DesignRecord& start, const DcmOptions& options) {
    long passes = 0;
    for (auto _ : state) {
        DesignRecord r = start;
        const auto outcome = orvand::CalculateDCM(r, options);
        passes = outcome.passes;
        benchmark::DoNotOptimize(r.Pout);
    }
    state.counters["passes"] = double(passes);
    state.counters["per_pass"] =
        benchmark::Counter(double(passes) * double(state.iterations()),
                           benchmark::Counter::kIsRate | benchmark::Counter::kInvert);
}

void CaseA(benchmark::State& state) {
    DcmOptions options;
    options.poutmaxText = QStringLiteral("50");
    run(state, caseA(), options);
}
BENCHMARK(CaseA);

void CaseB(benchmark::State& state) {
    DcmOptions options;
    options.poutmaxText = QStringLiteral("50");
    options.heatsink = true;
    run(state, caseA(), options);
}
BENCHMARK(CaseB);

// About 1,000 W: a 0.05 ohm switch on a large heatsink at a high line voltage.
void Design1000W(benchmark::State& state) {
    DesignRecord r = caseA();
    r.Vacmin = 190;
    r.Vr = 150;
    r.Poutmax = 1000;
    r.Ron25 = 0.05;
    r.Rthht = 0.5;
    r.Rthjc = 0.5;
    r.Rthhs = 1.5; // 2.5 K/W in all: the sweep stops near 1,035 W
    DcmOptions options;
    options.poutmaxText = QStringLiteral("1000");
    options.heatsink = true;
    run(state, r, options);
}
BENCHMARK(Design1000W);

} // namespace

BENCHMARK_MAIN();
