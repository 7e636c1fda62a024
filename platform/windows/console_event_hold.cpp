#include "platform/windows/console_event_hold.h"

namespace romwise {

namespace {

constexpr DWORD kPollMilliseconds = 10;

// Owned by the live holds: a critical section (unlike a slim lock, there on
// every NT version) that a handler tries until it gets it. Never deleted: a
// handler may still be waiting on it while the process ends.
CRITICAL_SECTION& holdLock() {
    static CRITICAL_SECTION* const lock = [] {
        auto* created = new CRITICAL_SECTION;
        InitializeCriticalSection(created);
        return created;
    }();
    return *lock;
}

// Every console event this process can get ends it by default, so each one
// waits. FALSE passes the event on to the next handler, in the end the
// system's, which ends the process.
BOOL WINAPI holdConsoleEvent(DWORD /*event*/) {
    ConsoleEventHold::waitForRelease(kConsoleEventWaitLimit);
    return FALSE;
}

}  // namespace

ConsoleEventHold::ConsoleEventHold() {
    EnterCriticalSection(&holdLock());
    SetConsoleCtrlHandler(holdConsoleEvent, TRUE);
}

ConsoleEventHold::~ConsoleEventHold() {
    // Released first: wine keeps its list of handlers locked while one runs,
    // so removing ours would wait for the handler that waits for this hold.
    LeaveCriticalSection(&holdLock());
    SetConsoleCtrlHandler(holdConsoleEvent, FALSE);
}

bool ConsoleEventHold::waitForRelease(DWORD limitMilliseconds) {
    const DWORD start = GetTickCount();
    for (;;) {
        if (TryEnterCriticalSection(&holdLock())) {
            LeaveCriticalSection(&holdLock());
            return true;
        }
        if (GetTickCount() - start >= limitMilliseconds) {
            return false;
        }
        Sleep(kPollMilliseconds);
    }
}

}  // namespace romwise
