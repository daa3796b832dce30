#pragma once
// Keeps the signals that end a program from ending it half-way through a
// report: while one lives, SIGINT, SIGTERM, SIGHUP and SIGQUIT are held back
// and delivered, as they would have been, once it ends. SIGXFSZ is ignored
// meanwhile, so a write past the file-size limit fails with EFBIG instead of
// ending the program. The dispositions are the process's, not one thread's:
// a signal taken by any thread of the program is held back.

#include <csignal>

namespace orvand {

class DeferredSignals {
  public:
    DeferredSignals();
    ~DeferredSignals();
    DeferredSignals(const DeferredSignals&) = delete;
    DeferredSignals& operator=(const DeferredSignals&) = delete;

    // SIGINT, SIGTERM, SIGHUP and SIGQUIT.
    static constexpr int kDeferredCount = 4;

  private:
    struct sigaction deferred_[kDeferredCount] = {};
    struct sigaction sizeLimit_ = {};
};

} // namespace orvand
