// romwise.exe's command line: the system's wide arguments read as UTF-8 by
// the shared parser, the window's own switch, and refusals naming the
// argument as typed.
#include <gtest/gtest.h>

#include "ui/win32/window_options.h"

namespace romwise::ui::win32 {
namespace {

TEST(WindowOptions, TakesTheProfileEitherWayAndTheStartUpPass) {
    auto parsed = parseWindowOptions({L"--machine", L"C:\\m\\\x4e2d.json", L"--get-bios-info"});
    ASSERT_EQ(parsed.error, "");
    EXPECT_EQ(parsed.options.machine, std::string("C:\\m\\\xe4\xb8\xad.json"));
    EXPECT_TRUE(parsed.options.getBiosInfo);
    parsed = parseWindowOptions({L"--machine=a.json"});
    EXPECT_EQ(parsed.options.machine, std::string("a.json"));
    EXPECT_FALSE(parsed.options.getBiosInfo);
    EXPECT_FALSE(parseWindowOptions({}).options.machine.has_value());
}

TEST(WindowOptions, RefusesAProfileWithoutAFileAndUnknownArguments) {
    EXPECT_EQ(parseWindowOptions({L"--machine"}).error, "option --machine needs a value");
    EXPECT_EQ(parseWindowOptions({L"--machine", L""}).error,
              "option --machine needs a profile file");
    EXPECT_EQ(parseWindowOptions({L"--fast\x4e2d"}).error, "unknown option \"--fast\xe4\xb8\xad\"");
    EXPECT_EQ(parseWindowOptions({L"--get-bios-info", L"-x"}).error, "unknown option \"-x\"");
}

}  // namespace
}  // namespace romwise::ui::win32
