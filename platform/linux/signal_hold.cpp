#include "platform/linux/signal_hold.h"

#include <pthread.h>
#include <time.h>

namespace romwise {

SignalHold::SignalHold(std::initializer_list<int> held, std::initializer_list<int> absorbed) {
    sigset_t blocked;
    sigemptyset(&blocked);
    sigemptyset(&absorbed_);
    for (const int signal : held) {
        sigaddset(&blocked, signal);
    }
    for (const int signal : absorbed) {
        sigaddset(&blocked, signal);
        sigaddset(&absorbed_, signal);
    }
    pthread_sigmask(SIG_BLOCK, &blocked, &previous_);
}

SignalHold::~SignalHold() {
    // Only signals this hold blocked are taken: one the thread had blocked
    // already stays pending for whoever blocked it.
    sigset_t take;
    sigemptyset(&take);
    sigset_t pending;
    sigpending(&pending);
    for (int signal = 1; signal < NSIG; ++signal) {
        if (sigismember(&absorbed_, signal) == 1 && sigismember(&previous_, signal) == 0 &&
            sigismember(&pending, signal) == 1) {
            sigaddset(&take, signal);
        }
    }
    const timespec immediately{};
    while (sigtimedwait(&take, nullptr, &immediately) > 0) {
    }
    pthread_sigmask(SIG_SETMASK, &previous_, nullptr);
}

}  // namespace romwise
