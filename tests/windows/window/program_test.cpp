// romwise.exe as a program: it answers --version and --help on its output,
// and refuses bad arguments and a profile it cannot load with a message on
// its error output and status 2, before any window shows.
#include <gtest/gtest.h>

#include <string>

#include "../wine_host.h"

namespace romwise {
namespace {

const std::string kProgram = "\"" + test::hostPath(ROMWISE_WINDOW_PROGRAM) + "\"";

TEST(WindowProgram, AnswersVersionAndHelpOnItsOutput) {
    const auto version = test::runProgram(kProgram + " --version");
    EXPECT_EQ(version.exitCode, 0u);
    EXPECT_EQ(version.out, "Romwise Version 3.54\n");
    const auto help = test::runProgram(kProgram + " --help");
    EXPECT_EQ(help.exitCode, 0u);
    EXPECT_EQ(help.out.rfind("Usage: romwise [--machine FILE] [--get-bios-info]", 0), 0u);
}

TEST(WindowProgram, RefusesBadArgumentsAndAnUnreadableProfileWithStatus2) {
    const auto bad = test::runProgram(kProgram + " --frobnicate");
    EXPECT_EQ(bad.exitCode, 2u);
    EXPECT_EQ(bad.err.rfind("romwise: unknown option \"--frobnicate\"\n", 0), 0u) << bad.err;
    const auto missing = test::runProgram(kProgram + " --machine Z:\\no\\such\\profile.json");
    EXPECT_EQ(missing.exitCode, 2u);
    EXPECT_EQ(missing.err.rfind("romwise: machine profile refused: ", 0), 0u) << missing.err;
    EXPECT_EQ(missing.out, "");
}

}  // namespace
}  // namespace romwise
