// Turns a processor fault inside a guarded piece of code into a failed step
// on Linux: a handler for the fault signals jumps back to the guard with
// siglongjmp.
#pragma once

namespace romwise {

// Runs `body(context)` with SIGILL, SIGSEGV, SIGBUS and SIGFPE turned into a
// return of false: a faulting instruction ends the body, and the handlers
// that were installed before are back in place afterwards, whatever happened.
// For one thread at a time; the body must not hold resources that a jump out
// of it would leak.
bool runWithFaultGuard(void (*body)(void* context), void* context);

// While an object of this class lives, the guard's handlers stay installed
// (a fault outside a guard still goes to the handler that was there before),
// so that a guarded run makes no system call at all. That keeps a timed
// instruction free of points where the scheduler could step in between the
// time-stamp reading and the counter reading it is compared with.
class FaultGuardHandlers {
  public:
    FaultGuardHandlers();
    ~FaultGuardHandlers();
    FaultGuardHandlers(const FaultGuardHandlers&) = delete;
    FaultGuardHandlers& operator=(const FaultGuardHandlers&) = delete;
};

}  // namespace romwise
