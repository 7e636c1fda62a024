// romwise-cli.exe as a user runs it: a pass on this computer (under wine,
// where no hardware-access driver exists) takes the firmware-tables route
// from wine's SMBIOS table and says so on one line; a report saved to a file has the
// same bytes as the one printed, CR LF line ends and no doubled CR; a profile
// path works with either slash; a stale standard handle gets NUL.
#include <windows.h>

#include <io.h>

#include <gtest/gtest.h>
#include <nlohmann/json.hpp>

#include <string>
#include <vector>

#include "platform/standard_descriptors.h"
#include "wine_host.h"

namespace romwise {
namespace {

using test::hostPath;
using test::runProgram;

const std::string kProgram = "\"" + hostPath(ROMWISE_CLI_PROGRAM) + "\"";
const std::string kSamples = hostPath(ROMWISE_SAMPLES_DIR);

std::vector<std::string> lines(const std::string& text) {
    std::vector<std::string> result;
    std::string::size_type start = 0;
    while (start < text.size()) {
        const auto end = text.find('\n', start);
        result.push_back(text.substr(start, end - start));
        if (end == std::string::npos) {
            break;
        }
        start = end + 1;
    }
    return result;
}

// Wine has no port driver, but its firmware-table service hands out an
// SMBIOS table: the pass takes the firmware-tables route and completes, and
// one line says so, with the reason the driver gave.
TEST(CliOnThisComputer, PassWithoutTheDriverTakesTheFirmwareTablesRoute) {
    if (!test::runningUnderWine()) {
        GTEST_SKIP() << "on a real Windows the driver may well be installed";
    }
    const auto run = runProgram(kProgram);
    EXPECT_EQ(run.exitCode, 0u) << run.err;
    EXPECT_NE(run.out.find("Superio:   Not probed (no port access)"), std::string::npos) << run.out;
    const auto errors = lines(run.err);
    ASSERT_EQ(errors.size(), 1u) << run.err;
    EXPECT_EQ(errors[0].rfind("romwise: no port driver: ", 0), 0u) << errors[0];
    EXPECT_EQ(run.err.find('\r'), std::string::npos) << "standard error is not translated";
    for (const char* fact : {"\\\\.\\TVicDevice1", "\\\\.\\TVicDevice0", "TVicHW32.dll"}) {
        EXPECT_NE(errors[0].find(fact), std::string::npos) << "the note names " << fact;
    }

    const auto json = runProgram(kProgram + " --format json");
    EXPECT_EQ(json.exitCode, 0u) << json.err;
    const auto document = nlohmann::json::parse(json.out);
    EXPECT_EQ(document["runState"], "Completed");
    EXPECT_TRUE(document["messages"].empty());
    const auto& access = document["access"];
    EXPECT_EQ(access["route"], "firmware-tables");
    EXPECT_EQ(access["dmi"], "smbios-tables");
    EXPECT_EQ(access["superIo"], "not-probed");
    ASSERT_FALSE(lines(json.err).empty());
    EXPECT_EQ(lines(json.err)[0].find("romwise: " + access["why"].get<std::string>()), 0u)
        << "the note starts with the document's why";
}

TEST(CliOnAProfile, CaptureNamesAndFilesAsTheSaveWritesThem) {
    test::ScratchFolder folder;
    const std::string capture =
        kProgram + " --machine \"" + kSamples + "\\award-440bx.json\" --capture ";
    // Names that cannot be a profile: either separator ends a folder's
    // name, and a dump's name matches without case.
    for (const std::string& name : {folder.file("x.DMI"), folder.path(),
                                    folder.path().substr(0, folder.path().size() - 1) + "/"}) {
        // A backslash before the closing quote is doubled, as the command
        // line wants it, so that it does not quote the quote.
        const std::string quoted = name.back() == '\\' ? name + "\\" : name;
        const auto run = runProgram(capture + "\"" + quoted + "\"");
        EXPECT_EQ(run.exitCode, 2u) << name;
        EXPECT_EQ(run.err.rfind("romwise: --capture \"", 0), 0u) << run.err;
        EXPECT_EQ(run.out, "") << "no pass ran";
    }
    EXPECT_TRUE(folder.fileNames().empty());

    // An earlier capture stays whole when one of its files cannot be replaced.
    const std::string profile = folder.file("machine.json");
    ASSERT_EQ(runProgram(capture + "\"" + profile + "\"").exitCode, 0u);
    const std::string dump = test::readFileBytes(folder.file("machine.dmi"));
    ASSERT_TRUE(SetFileAttributesA(folder.file("machine.dmi").c_str(), FILE_ATTRIBUTE_READONLY));
    const auto refused = runProgram(kProgram + " --machine \"" + kSamples +
                                    "\\smbios3-server.json\" --capture \"" + profile + "\"");
    SetFileAttributesA(folder.file("machine.dmi").c_str(), FILE_ATTRIBUTE_NORMAL);
    EXPECT_EQ(refused.exitCode, 5u) << refused.err;
    EXPECT_NE(refused.err.find("no file of the capture was changed"), std::string::npos);
    EXPECT_EQ(test::readFileBytes(folder.file("machine.dmi")), dump);
    EXPECT_EQ(test::readFileBytes(profile).find("smbios3"), std::string::npos);
    EXPECT_EQ(folder.fileNames().size(), 3u) << "no temporary file is left";
}

TEST(CliOnAProfile, SavedReportIsThePrintedOneWithCrLfLineEnds) {
    test::ScratchFolder folder;
    const std::string profile = kSamples + "\\award-440bx.json";
    const auto printed = runProgram(kProgram + " --machine \"" + profile + "\"");
    ASSERT_EQ(printed.exitCode, 0u) << printed.err;
    const std::string target = folder.file("bios.txt");
    const auto saved =
        runProgram(kProgram + " --machine \"" + profile + "\" --output \"" + target + "\"");
    ASSERT_EQ(saved.exitCode, 0u) << saved.err;
    EXPECT_EQ(saved.out, "");

    const std::string report = test::readFileBytes(target);
    EXPECT_EQ(report, printed.out);
    ASSERT_GT(report.size(), 100u);
    std::size_t lineEnds = 0;
    for (std::size_t i = 0; i < report.size(); ++i) {
        if (report[i] == '\n') {
            ASSERT_GT(i, 0u);
            EXPECT_EQ(report[i - 1], '\r') << "a bare LF at " << i;
            ++lineEnds;
        } else if (report[i] == '\r') {
            ASSERT_LT(i + 1, report.size());
            EXPECT_EQ(report[i + 1], '\n') << "a CR not followed by LF at " << i;
        }
    }
    EXPECT_GE(lineEnds, 17u);
    EXPECT_EQ(folder.fileNames(), std::vector<std::string>{"bios.txt"})
        << "no temporary file is left";
}

// A standard handle whose value is no handle of the program gets NUL before
// any file could be given that value. (Wine's process start turns such a
// value into none, so the program is checked here, on standard input.)
TEST(StandardHandles, AStaleOneGetsNul) {
    const HANDLE given = GetStdHandle(STD_INPUT_HANDLE);
    ASSERT_TRUE(SetStdHandle(STD_INPUT_HANDLE, reinterpret_cast<HANDLE>(0x7FF0)));
    EXPECT_TRUE(openClosedStandardDescriptors());
    const HANDLE now = GetStdHandle(STD_INPUT_HANDLE);
    EXPECT_EQ(GetFileType(now), static_cast<DWORD>(FILE_TYPE_CHAR));
    EXPECT_EQ(reinterpret_cast<HANDLE>(_get_osfhandle(0)), now);
    SetStdHandle(STD_INPUT_HANDLE, given);
}

TEST(CliOnAProfile, ProfilePathTakesEitherSlash) {
    // The profile names its ROM, SMBIOS and CPUID files relative to itself;
    // a file it cannot read refuses the profile (exit status 2).
    const std::string backslashes = kSamples + "\\award-440bx.json";
    std::string slashes = backslashes;
    for (char& c : slashes) {
        if (c == '\\') {
            c = '/';
        }
    }
    const auto first = runProgram(kProgram + " --format json --machine \"" + backslashes + "\"");
    const auto second = runProgram(kProgram + " --format json --machine \"" + slashes + "\"");
    ASSERT_EQ(first.exitCode, 0u) << first.err;
    EXPECT_EQ(second.exitCode, 0u) << second.err;
    EXPECT_EQ(first.out, second.out);
}

}  // namespace
}  // namespace romwise
