#include "platform/linux/linux_fault_guard.h"

#include <csetjmp>
#include <csignal>
#include <iterator>

namespace romwise {

namespace {

constexpr int kGuardedSignals[] = {SIGILL, SIGSEGV, SIGBUS, SIGFPE};

// The jump target of the guard that is running, if any.
sigjmp_buf* volatile activeGuard = nullptr;

// The handlers that were in place before the guard's own, and how many
// guarded runs or `FaultGuardHandlers` objects currently need the guard's.
struct sigaction previousHandlers[std::size(kGuardedSignals)] = {};
int handlerUsers = 0;
// Set when a signal outside any guard put the handlers from before back; the
// next guarded run installs the guard's own again.
volatile sig_atomic_t handlersGivenBack = 0;

extern "C" void jumpOutOfFault(int signal, siginfo_t* info, void*) {
    sigjmp_buf* const target = activeGuard;
    if (target == nullptr) {
        // Outside any guard: give the signal back to the handler that was
        // there before. A faulting instruction runs again under it; a signal
        // that was sent rather than raised by a fault is sent again.
        for (std::size_t i = 0; i < std::size(kGuardedSignals); ++i) {
            if (kGuardedSignals[i] == signal) {
                sigaction(signal, &previousHandlers[i], nullptr);
            }
        }
        handlersGivenBack = 1;
        if (info == nullptr || info->si_code <= 0) {
            raise(signal);
        }
        return;
    }
    siglongjmp(*target, 1);
}

void installGuardHandlers() {
    const bool first = handlerUsers++ == 0;
    if (!first && handlersGivenBack == 0) {
        return;
    }
    handlersGivenBack = 0;
    struct sigaction action = {};
    action.sa_sigaction = jumpOutOfFault;
    sigemptyset(&action.sa_mask);
    // The signal stays unblocked while the handler runs, so that the jump out
    // of it needs no saved signal mask (and no system call to restore one).
    action.sa_flags = SA_SIGINFO | SA_NODEFER;
    for (std::size_t i = 0; i < std::size(kGuardedSignals); ++i) {
        sigaction(kGuardedSignals[i], &action, first ? &previousHandlers[i] : nullptr);
    }
}

void removeGuardHandlers() {
    if (--handlerUsers > 0) {
        return;
    }
    handlersGivenBack = 0;
    for (std::size_t i = 0; i < std::size(kGuardedSignals); ++i) {
        sigaction(kGuardedSignals[i], &previousHandlers[i], nullptr);
    }
}

}  // namespace

FaultGuardHandlers::FaultGuardHandlers() {
    installGuardHandlers();
}

FaultGuardHandlers::~FaultGuardHandlers() {
    removeGuardHandlers();
}

bool runWithFaultGuard(void (*body)(void* context), void* context) {
    installGuardHandlers();
    sigjmp_buf jump;
    sigjmp_buf* const outerGuard = activeGuard;
    volatile bool completed = false;
    if (sigsetjmp(jump, 0) == 0) {
        activeGuard = &jump;
        body(context);
        completed = true;
    }
    activeGuard = outerGuard;
    removeGuardHandlers();
    return completed;
}

}  // namespace romwise
