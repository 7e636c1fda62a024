// Turns a processor fault inside a guarded piece of code into a failed step
// on Windows, where MinGW's g++ has no __try.
//
// How: a vectored exception handler sees the fault first. When the faulting
// thread is inside a guard, it rewrites the saved registers so that, once
// the system resumes the thread, the thread runs resumeAfterFault() on its
// own stack (somewhat below where it faulted) instead of the faulting
// instruction. That function jumps back to the guard with
// __builtin_longjmp, which restores the guard's stack and frame pointers; the
// guard's function was compiled knowing it can be re-entered that way
// (__builtin_setjmp), so its registers are reloaded from its frame. The jump
// happens in plain thread context, after the system has finished dispatching
// the exception, so no dispatcher state is left half-done. Nothing is
// unwound: the guarded code must not hold resources (or C++ objects with
// destructors) that a jump out of it would leak.
#pragma once

namespace romwise {

// Runs `body(context)`; false when an invalid or privileged instruction or an
// access violation ended it. For one thread at a time per guard; guards nest.
bool runWithFaultGuard(void (*body)(void* context), void* context);

// While an object of this class lives, the handler stays installed, so that
// a guarded run does not add and remove it each time (newer Windows versions
// make a system call for that). A fault outside any guard goes on to the
// handlers after it, as if it were not there.
class FaultGuardHandler {
  public:
    FaultGuardHandler();
    ~FaultGuardHandler();
    FaultGuardHandler(const FaultGuardHandler&) = delete;
    FaultGuardHandler& operator=(const FaultGuardHandler&) = delete;
};

}  // namespace romwise
