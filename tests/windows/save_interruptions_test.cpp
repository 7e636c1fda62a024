// A save that the program's end cuts into: a console event (Ctrl-C) waits
// until the save is over, then ends the program.
#include <windows.h>

#include <gtest/gtest.h>

#include <atomic>
#include <memory>
#include <thread>

#include "platform/windows/console_event_hold.h"

namespace romwise {
namespace {

TEST(ConsoleEventHold, EventWaitsForTheHoldButNotForever) {
    EXPECT_TRUE(ConsoleEventHold::waitForRelease(0)) << "nothing held";
    auto hold = std::make_unique<ConsoleEventHold>();
    bool gaveUp = false;
    std::thread([&] { gaveUp = !ConsoleEventHold::waitForRelease(50); }).join();
    EXPECT_TRUE(gaveUp);

    std::atomic<bool> released{false};
    bool waitedForRelease = false;
    std::thread waiter(
        [&] { waitedForRelease = ConsoleEventHold::waitForRelease(10000) && released; });
    Sleep(100);
    released = true;
    hold.reset();
    waiter.join();
    EXPECT_TRUE(waitedForRelease);
}

}  // namespace
}  // namespace romwise
