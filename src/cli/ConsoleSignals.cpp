#include "cli/ConsoleSignals.h"

#include <csignal>

namespace zenthra {

namespace {

constexpr int kStopSignals[] = {SIGINT, SIGTERM, SIGHUP};

volatile std::sig_atomic_t caught = 0;

extern "C" void OnStopSignal(int signal) {
    if (caught != 0) {
        // Blocked until this handler returns, then fatal.
        std::signal(signal, SIG_DFL);
        std::raise(signal);
        return;
    }
    caught = signal;
}

}  // namespace

void CatchStopSignals() {
    struct sigaction action = {};
    action.sa_handler = OnStopSignal;
    // Restarted, a write to standard output does not fail because a signal came.
    action.sa_flags = SA_RESTART;
    sigemptyset(&action.sa_mask);
    for (const int signal : kStopSignals) {
        sigaction(signal, &action, nullptr);
    }
}

int CaughtStopSignal() {
    return caught;
}

}  // namespace zenthra
