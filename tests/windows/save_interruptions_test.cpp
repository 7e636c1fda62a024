// A save that the program's end cuts into: a console event (Ctrl-C) waits
// until the save is over, then ends the program; a program killed midway
// leaves no temporary file. Each case runs in a child: this test program
// started again on a DISABLED_ child test, with the target in the
// environment.
#include <windows.h>

#include <gtest/gtest.h>

#include <atomic>
#include <memory>
#include <string>
#include <thread>
#include <vector>

#include "platform/windows/console_event_hold.h"
#include "platform/windows/windows_report_files.h"
#include "wine_host.h"

namespace romwise {
namespace {

using Names = std::vector<std::string>;

constexpr char kChildVariable[] = "ROMWISE_INTERRUPTED_SAVE";
constexpr char kOldReport[] = "an older report\r\n";
constexpr char kNewReport[] = "the new report\r\n";
constexpr UINT kKilled = 7;
constexpr UINT kNoConsole = 99;
constexpr UINT kSurvived = 3;
constexpr UINT kSaveFailed = 4;

// Runs the child test `scenario` on `target`; its exit code.
DWORD runChild(const std::string& scenario, const std::string& target) {
    char self[MAX_PATH];
    GetModuleFileNameA(nullptr, self, MAX_PATH);
    SetEnvironmentVariableA(kChildVariable, (scenario + "|" + target).c_str());
    const auto run =
        test::runProgram(std::string("\"") + self +
                         "\" --gtest_also_run_disabled_tests --gtest_filter=InterruptedSaveChild."
                         "DISABLED_" +
                         scenario);
    SetEnvironmentVariableA(kChildVariable, nullptr);
    return run.exitCode;
}

// In a child, the target its parent gave for `scenario`; empty otherwise.
std::string childTarget(const std::string& scenario) {
    char value[MAX_PATH + 64];
    const DWORD length = GetEnvironmentVariableA(kChildVariable, value, sizeof value);
    const std::string given(value, length < sizeof value ? length : 0);
    const std::string prefix = scenario + "|";
    return given.compare(0, prefix.size(), prefix) == 0 ? given.substr(prefix.size()) : "";
}

TEST(InterruptedSaveChild, DISABLED_Killed) {
    const std::string target = childTarget("Killed");
    if (target.empty()) {
        GTEST_SKIP() << "runs as a child of InterruptedSave.KilledProgramLeavesNoTemporaryFile";
    }
    WindowsReportFiles files;
    auto file = files.createBeside(target);
    if (file != nullptr && file->write(kNewReport)) {
        TerminateProcess(GetCurrentProcess(), kKilled);
    }
    ExitProcess(1);
}

TEST(InterruptedSaveChild, DISABLED_ConsoleEvent) {
    const std::string target = childTarget("ConsoleEvent");
    if (target.empty()) {
        GTEST_SKIP() << "runs as a child of InterruptedSave.ConsoleEventWaitsUntilTheSaveIsOver";
    }
    // A console of its own, with Ctrl-C handled as by default.
    FreeConsole();
    if (!AllocConsole() || !SetConsoleCtrlHandler(nullptr, FALSE)) {
        ExitProcess(kNoConsole);
    }
    WindowsReportFiles files;
    auto file = files.createBeside(target);
    if (file == nullptr || !file->write(kNewReport) || !GenerateConsoleCtrlEvent(CTRL_C_EVENT, 0)) {
        ExitProcess(kNoConsole);
    }
    Sleep(500);  // the event arrives meanwhile, and waits
    const bool saved = file->close() && file->replaceTarget();
    file.reset();  // the event ends the program here
    Sleep(5000);
    ExitProcess(saved ? kSurvived : kSaveFailed);
}

class InterruptedSave : public ::testing::Test {
  protected:
    void SetUp() override { test::writeFileBytes(target, kOldReport); }

    test::ScratchFolder folder;
    const std::string target = folder.file("bios.txt");
};

TEST_F(InterruptedSave, KilledProgramLeavesNoTemporaryFile) {
    if (GetProcAddress(GetModuleHandleA("kernel32.dll"), "SetFileInformationByHandle") == nullptr) {
        GTEST_SKIP() << "before Vista a file cannot be marked for deletion while it is written";
    }
    EXPECT_EQ(runChild("Killed", target), kKilled);
    EXPECT_EQ(folder.fileNames(), Names{"bios.txt"});
    EXPECT_EQ(test::readFileBytes(target), kOldReport);
}

TEST_F(InterruptedSave, ConsoleEventWaitsUntilTheSaveIsOver) {
    const DWORD start = GetTickCount();
    const DWORD fate = runChild("ConsoleEvent", target);
    const DWORD took = GetTickCount() - start;
    if (fate == kNoConsole) {
        GTEST_SKIP() << "the child could not have a console of its own";
    }
    EXPECT_TRUE(fate != kSurvived && fate != kSaveFailed) << "not ended by the event: " << fate;
    EXPECT_LT(took, kConsoleEventWaitLimit / 2) << "the event waited out its limit";
    if (!test::runningUnderWine()) {  // wine's default handling ends with status 0
        EXPECT_EQ(fate, static_cast<DWORD>(STATUS_CONTROL_C_EXIT));
    }
    EXPECT_EQ(test::readFileBytes(target), kNewReport) << "the save was cut short";
    EXPECT_EQ(folder.fileNames(), Names{"bios.txt"});
}

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
