// Holds back signals while a file operation must not be cut short.
#pragma once

#include <signal.h>

#include <initializer_list>

namespace romwise {

// Blocks the signals of `held` and `absorbed` in the calling thread for its
// lifetime. On destruction a pending signal of `absorbed` is taken and
// dropped (its effect has already come back as an error code, as EFBIG for
// SIGXFSZ or EPIPE for SIGPIPE); then the thread's old mask returns, and a
// pending signal of `held` is delivered as it would have been.
class SignalHold {
  public:
    SignalHold(std::initializer_list<int> held, std::initializer_list<int> absorbed);
    ~SignalHold();
    SignalHold(const SignalHold&) = delete;
    SignalHold& operator=(const SignalHold&) = delete;

  private:
    sigset_t absorbed_;
    sigset_t previous_;
};

// The signals whose default action ends the process and that a user or the
// system sends from outside: a file operation finishes, or cleans up, first.
inline constexpr std::initializer_list<int> kEndingSignals = {
    SIGHUP, SIGINT, SIGQUIT, SIGTERM, SIGALRM, SIGUSR1, SIGUSR2, SIGVTALRM, SIGPROF};

}  // namespace romwise
