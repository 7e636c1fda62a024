// The window program's arguments: its own switches beside the shared ones,
// and Qt's standard options left to QApplication.
#include <gtest/gtest.h>

#include "ui/qt/window_options.h"

namespace romwise::ui {
namespace {

TEST(WindowOptions, OwnSwitchesBesideTheSharedOptions) {
    const auto parsed = parseWindowOptions(
        {"--get-bios-info", "--exit-after-first-paint", "--machine=b.json", "--version"});
    EXPECT_EQ(parsed.error, "");
    EXPECT_TRUE(parsed.options.getBiosInfo);
    EXPECT_TRUE(parsed.options.exitAfterFirstPaint);
    EXPECT_EQ(parsed.options.machine, "b.json");
    EXPECT_TRUE(parsed.options.version);
    EXPECT_EQ(parseWindowOptions({"--skip-dmi"}).error, "unknown option \"--skip-dmi\"")
        << "the window's switches are set in its options dialog";
    EXPECT_EQ(parseWindowOptions({"--machine="}).error, "option --machine needs a profile file");
}

TEST(WindowOptions, QtsOwnOptionsAreLeftToQt) {
    const auto parsed = parseWindowOptions({"-platform", "offscreen", "--style=fusion", "-reverse",
                                            "--machine", "a.json", "-display", ":0"});
    EXPECT_TRUE(parsed.error.empty()) << parsed.error;
    EXPECT_EQ(parsed.options.machine, "a.json") << "a Qt option's value is no argument of ours";
    EXPECT_EQ(parseWindowOptions({"-style"}).error, "option -style needs a value");
    EXPECT_EQ(parseWindowOptions({"-reverse=1"}).error, "unknown option \"-reverse=1\"");
}

}  // namespace
}  // namespace romwise::ui
