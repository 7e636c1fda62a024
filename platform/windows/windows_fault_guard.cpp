#include "platform/windows/windows_fault_guard.h"

#include <windows.h>

#include <cstdint>

namespace romwise {

namespace {

// Room left between the faulting stack pointer and the frame of
// resumeAfterFault, so that it writes nothing the faulting code's callers
// still use (x86-64 functions may write 32 bytes above their return address).
constexpr std::uintptr_t kStackMargin = 128;

struct Guard {
    void* jump[5];  // __builtin_setjmp's buffer
    Guard* outer;
};

// The guard the thread runs in, if any: faults of other threads are never
// taken for this one's.
thread_local Guard* activeGuard = nullptr;

void* handler = nullptr;
int handlerUsers = 0;

[[noreturn]] __attribute__((noinline)) void resumeAfterFault() {
    __builtin_longjmp(activeGuard->jump, 1);
}

bool isGuardedFault(DWORD code) {
    return code == EXCEPTION_ILLEGAL_INSTRUCTION || code == EXCEPTION_PRIV_INSTRUCTION ||
           code == EXCEPTION_ACCESS_VIOLATION;
}

LONG CALLBACK jumpOutOfFault(EXCEPTION_POINTERS* exception) {
    if (activeGuard == nullptr || !isGuardedFault(exception->ExceptionRecord->ExceptionCode)) {
        return EXCEPTION_CONTINUE_SEARCH;
    }
    CONTEXT* registers = exception->ContextRecord;
    // Resume as if resumeAfterFault had been called: a return-address slot
    // below a 16-byte aligned stack pointer.
#if defined(_WIN64)
    registers->Rsp = ((registers->Rsp - kStackMargin) & ~DWORD64{15}) - sizeof(void*);
    registers->Rip = reinterpret_cast<DWORD64>(&resumeAfterFault);
#else
    registers->Esp = ((registers->Esp - kStackMargin) & ~DWORD{15}) - sizeof(void*);
    registers->Eip = reinterpret_cast<DWORD>(&resumeAfterFault);
#endif
    return EXCEPTION_CONTINUE_EXECUTION;
}

void installHandler() {
    if (handlerUsers++ == 0) {
        // First in the chain: a guarded fault must not reach anyone else.
        handler = AddVectoredExceptionHandler(1, jumpOutOfFault);
    }
}

void removeHandler() {
    if (--handlerUsers == 0 && handler != nullptr) {
        RemoveVectoredExceptionHandler(handler);
        handler = nullptr;
    }
}

}  // namespace

FaultGuardHandler::FaultGuardHandler() {
    installHandler();
}

FaultGuardHandler::~FaultGuardHandler() {
    removeHandler();
}

bool runWithFaultGuard(void (*body)(void* context), void* context) {
    installHandler();
    Guard guard{};
    guard.outer = activeGuard;
    volatile bool completed = false;
    if (__builtin_setjmp(guard.jump) == 0) {
        activeGuard = &guard;
        body(context);
        completed = true;
    }
    activeGuard = guard.outer;
    removeHandler();
    return completed;
}

}  // namespace romwise
