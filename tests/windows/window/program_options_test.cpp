// romwise.exe's command line: the profile with or without "=", the start-up
// pass, and refusals of what it does not know or a profile without a file.
#include <gtest/gtest.h>

#include "ui/win32/program_options.h"

namespace romwise::ui::win32 {
namespace {

TEST(ProgramOptions, TakesTheProfileEitherWayAndTheStartUpPass) {
    auto parsed = parseProgramOptions({L"--machine", L"C:\\m\\\x4e2d.json", L"--get-bios-info"});
    ASSERT_EQ(parsed.error, "");
    EXPECT_EQ(parsed.options.machine, std::wstring(L"C:\\m\\\x4e2d.json"));
    EXPECT_TRUE(parsed.options.getBiosInfo);
    parsed = parseProgramOptions({L"--machine=a.json"});
    EXPECT_EQ(parsed.options.machine, std::wstring(L"a.json"));
    EXPECT_FALSE(parsed.options.getBiosInfo);
    EXPECT_FALSE(parseProgramOptions({}).options.machine.has_value());
}

TEST(ProgramOptions, RefusesAProfileWithoutAFileAndUnknownArgumentsNamingThemInAscii) {
    EXPECT_EQ(parseProgramOptions({L"--machine"}).error, "option '--machine' needs a profile file");
    EXPECT_EQ(parseProgramOptions({L"--machine", L""}).error,
              "option '--machine' needs a profile file");
    EXPECT_EQ(parseProgramOptions({L"--machine="}).error,
              "option '--machine' needs a profile file");
    EXPECT_EQ(parseProgramOptions({L"--fast\x4e2d"}).error, "unknown argument '--fast?'");
    EXPECT_EQ(parseProgramOptions({L"--get-bios-info", L"-x"}).error, "unknown argument '-x'");
}

}  // namespace
}  // namespace romwise::ui::win32
