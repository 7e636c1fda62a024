// The one command-line parser of the programs: switches, options with their
// value in either spelling, options another reader takes, and one message
// for each kind of refusal.
#include "app/command_line.h"

#include <gtest/gtest.h>

namespace romwise {
namespace {

struct Parsed {
    SharedOptions shared;
    bool own = false;
    std::optional<std::string> file;
    std::string error;
};

Parsed parse(const std::vector<std::string>& arguments, SharedOptionChoice choice = {}) {
    Parsed parsed;
    CommandLine commandLine;
    addSharedOptions(commandLine, parsed.shared, choice);
    commandLine.flag("--own", parsed.own)
        .option("--file",
                [&parsed](const std::string& value) {
                    if (value == "bad") {
                        return std::string("--file refuses \"bad\"");
                    }
                    parsed.file = value;
                    return std::string();
                })
        .passOver("-style", true)
        .passOver("-reverse", false);
    parsed.error = commandLine.parse(arguments);
    return parsed;
}

TEST(CommandLine, TakesSwitchesAndValuesInEitherSpelling) {
    const Parsed parsed = parse({"--own", "--file", "a b", "--machine=m.json", "-h"});
    EXPECT_EQ(parsed.error, "");
    EXPECT_TRUE(parsed.own);
    EXPECT_EQ(parsed.file, "a b");
    EXPECT_EQ(parsed.shared.machine, "m.json");
    EXPECT_TRUE(parsed.shared.help);
    EXPECT_EQ(parse({"--file=x=y"}).file, "x=y") << "only the first = splits";
    EXPECT_EQ(parse({"--file", "--own"}).file, "--own") << "the next argument is the value";
}

TEST(CommandLine, RefusesWithOneMessageForEachKind) {
    EXPECT_EQ(parse({"--bogus"}).error, "unknown option \"--bogus\"");
    EXPECT_EQ(parse({"--own=1"}).error, "option --own takes no value");
    EXPECT_EQ(parse({"--file"}).error, "option --file needs a value");
    EXPECT_EQ(parse({"--file=bad"}).error, "--file refuses \"bad\"");
    // A profile needs a file name, whichever way it is left out.
    for (const auto& arguments :
         {std::vector<std::string>{"--machine="}, std::vector<std::string>{"--machine", ""}}) {
        EXPECT_EQ(parse(arguments).error, "option --machine needs a profile file");
    }
    EXPECT_EQ(parse({"--machine"}).error, "option --machine needs a value");
    // Parsing stops at the first refusal.
    const Parsed parsed = parse({"--bogus", "--own"});
    EXPECT_FALSE(parsed.own);
}

TEST(CommandLine, SharedOptionsFollowTheProgramsChoice) {
    EXPECT_EQ(parse({"--skip-dmi"}).error, "unknown option \"--skip-dmi\"");
    const Parsed switches = parse({"--skip-dmi", "--skip-superio"}, {.detectionSwitches = true});
    EXPECT_TRUE(switches.shared.skipDmi && switches.shared.skipSuperIo);
    EXPECT_EQ(parse({"--machine", "m"}, {.machine = false}).error, "unknown option \"--machine\"");
    EXPECT_TRUE(parse({"--version"}, {.machine = false}).shared.version);
}

TEST(CommandLine, OptionsOfAnotherReaderArePassedOverWithTheirValues) {
    const Parsed parsed = parse({"-style", "--own", "--style=fusion", "-reverse", "--own"});
    EXPECT_EQ(parsed.error, "");
    EXPECT_TRUE(parsed.own) << "the last --own is ours; the first is -style's value";
    EXPECT_EQ(parse({"-style"}).error, "option -style needs a value");
    EXPECT_EQ(parse({"-reverse=1"}).error, "unknown option \"-reverse=1\"");
}

TEST(CommandLine, UsageErrorsKeepToTheirLinesAndNameTheProgramsHelp) {
    EXPECT_EQ(usageErrorText("romwise-cli", "unknown option \"\x1b[2J\nromwise: forged\""),
              "romwise: unknown option \"\\x1B[2J\\nromwise: forged\"\n"
              "Try 'romwise-cli --help' for more information.\n");
    EXPECT_EQ(versionText(), "Romwise Version 3.54\n");
}

}  // namespace
}  // namespace romwise
