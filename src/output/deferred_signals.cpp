#include "deferred_signals.h"

namespace orvand {

namespace {

constexpr int kDeferred[DeferredSignals::kDeferredCount] = {SIGINT, SIGTERM, SIGHUP, SIGQUIT};

// What arrived meanwhile, one flag a signal. A signal handler can safely
// reach nothing but variables of this kind, so these are the program's.
volatile sig_atomic_t arrived[DeferredSignals::kDeferredCount] = {};

void Hold(int signal) {
    for (int i = 0; i < DeferredSignals::kDeferredCount; ++i)
        if (kDeferred[i] == signal)
            arrived[i] = 1;
}

} // namespace

DeferredSignals::DeferredSignals() {
    for (volatile sig_atomic_t& flag : arrived)
        flag = 0;
    struct sigaction hold {};
    hold.sa_handler = Hold;
    hold.sa_flags = SA_RESTART;
    sigemptyset(&hold.sa_mask);
    for (const int signal : kDeferred)
        sigaddset(&hold.sa_mask, signal);
    for (int i = 0; i < kDeferredCount; ++i)
        sigaction(kDeferred[i], &hold, &deferred_[i]);
    struct sigaction ignore {};
    ignore.sa_handler = SIG_IGN;
    sigemptyset(&ignore.sa_mask);
    sigaction(SIGXFSZ, &ignore, &sizeLimit_);
}

DeferredSignals::~DeferredSignals() {
    sigaction(SIGXFSZ, &sizeLimit_, nullptr);
    for (int i = 0; i < kDeferredCount; ++i)
        sigaction(kDeferred[i], &deferred_[i], nullptr);
    // Each as it would have come: to a handler of the program's, ignored, or
    // ending the program.
    for (int i = 0; i < kDeferredCount; ++i)
        if (arrived[i]) {
            arrived[i] = 0;
            raise(kDeferred[i]);
        }
}

} // namespace orvand
