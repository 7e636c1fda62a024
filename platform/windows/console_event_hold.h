// Holds back the console's ending events while a file operation must not be
// cut short.
#pragma once

#include <windows.h>

namespace romwise {

// While a hold lives, Ctrl-C, Ctrl-Break, closing the console, logging off
// and shutting down wait: the system delivers them on a thread of its own,
// where a handler of this hold waits until no hold is left (at most
// kConsoleEventWaitLimit), then passes the event on, so that the default
// handling ends the process once the operation is over. Holds on several
// threads run one after the other. The system itself ends a process 5 s
// after a close, logoff or shutdown event, waiting or not.
class ConsoleEventHold {
  public:
    ConsoleEventHold();
    ~ConsoleEventHold();
    ConsoleEventHold(const ConsoleEventHold&) = delete;
    ConsoleEventHold& operator=(const ConsoleEventHold&) = delete;

    // What the handler does: waits until no hold is left, at most
    // `limitMilliseconds`; true when none is left.
    static bool waitForRelease(DWORD limitMilliseconds);
};

inline constexpr DWORD kConsoleEventWaitLimit = 10000;

}  // namespace romwise
