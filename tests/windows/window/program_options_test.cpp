// romwise.exe's command line: the system's wide arguments read as UTF-8 by
// the shared parser, the window's own switch, and refusals naming the
// argument as typed.
#include <gtest/gtest.h>

#include "ui/win32/program_options.h"

namespace romwise::ui::win32 {
namespace {

TEST(ProgramOptions, TakesTheProfileEitherWayAndTheStartUpPass) {
    auto parsed = parseProgramOptions({L"--machine", L"C:\\m\\\x4e2d.json", L"--get-bios-info"});
    ASSERT_EQ(parsed.error, "");
    EXPECT_EQ(parsed.options.machine, std::string("C:\\m\\\xe4\xb8\xad.json"));
    EXPECT_TRUE(parsed.options.getBiosInfo);
    parsed = parseProgramOptions({L"--machine=a.json"});
    EXPECT_EQ(parsed.options.machine, std::string("a.json"));
    EXPECT_FALSE(parsed.options.getBiosInfo);
    EXPECT_FALSE(parseProgramOptions({}).options.machine.has_value());
}

TEST(ProgramOptions, RefusesAProfileWithoutAFileAndUnknownArguments) {
    EXPECT_EQ(parseProgramOptions({L"--machine"}).error, "option --machine needs a value");
    EXPECT_EQ(parseProgramOptions({L"--machine", L""}).error,
              "option --machine needs a profile file");
    EXPECT_EQ(parseProgramOptions({L"--fast\x4e2d"}).error,
              "unknown option \"--fast\xe4\xb8\xad\"");
    EXPECT_EQ(parseProgramOptions({L"--get-bios-info", L"-x"}).error, "unknown option \"-x\"");
}

}  // namespace
}  // namespace romwise::ui::win32
