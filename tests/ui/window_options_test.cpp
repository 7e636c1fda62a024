// The window program's arguments.
#include <gtest/gtest.h>

#include "ui/qt/window_options.h"

namespace romwise::ui {
namespace {

TEST(WindowOptions, MachineTakesAFileInEitherSpelling) {
    EXPECT_EQ(parseWindowOptions({"--machine", "a.json"}).options.machine, "a.json");
    EXPECT_EQ(parseWindowOptions({"--machine=b.json"}).options.machine, "b.json");
    EXPECT_FALSE(parseWindowOptions({}).options.machine.has_value());
    EXPECT_FALSE(parseWindowOptions({"--machine"}).error.empty());
    EXPECT_FALSE(parseWindowOptions({"--machine="}).error.empty());
    EXPECT_FALSE(parseWindowOptions({"--machine", ""}).error.empty());
}

TEST(WindowOptions, SwitchesAndUnknownArguments) {
    const auto parsed = parseWindowOptions({"--get-bios-info", "--exit-after-first-paint"});
    EXPECT_TRUE(parsed.error.empty());
    EXPECT_TRUE(parsed.options.getBiosInfo);
    EXPECT_TRUE(parsed.options.exitAfterFirstPaint);
    EXPECT_EQ(parseWindowOptions({"-x"}).error, "unknown argument '-x'");
    EXPECT_TRUE(parseWindowOptions({"--help"}).options.help);
    EXPECT_TRUE(parseWindowOptions({"--version"}).options.version);
}

TEST(WindowOptions, QtsOwnOptionsAreLeftToQt) {
    const auto parsed = parseWindowOptions({"-platform", "offscreen", "--style=fusion", "-reverse",
                                            "--machine", "a.json", "-display", ":0"});
    EXPECT_TRUE(parsed.error.empty()) << parsed.error;
    EXPECT_EQ(parsed.options.machine, "a.json") << "a Qt option's value is no argument of ours";
    EXPECT_EQ(parseWindowOptions({"-style"}).error, "option '-style' needs a value");
    EXPECT_EQ(parseWindowOptions({"-reverse=1"}).error, "unknown argument '-reverse=1'");
    EXPECT_EQ(parseWindowOptions({"--bogus"}).error, "unknown argument '--bogus'");
}

}  // namespace
}  // namespace romwise::ui
