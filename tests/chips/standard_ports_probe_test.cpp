// Winbond, SMC (with the C&T test) and NSC at their standard configuration
// port pairs.
#include <gtest/gtest.h>

#include "tests/chips/sim_board.h"

namespace romwise::chips_test {
namespace {

using Trace = std::vector<std::string>;

SuperIoChip Winbond(std::uint16_t port, std::uint8_t high, std::uint8_t low) {
    return Chip(port, {Key(port, {0x87, 0x87})}, {Key(port, {0xAA})}, {{0x20, high}, {0x21, low}});
}

SuperIoChip Smc(std::uint16_t port, std::map<std::uint8_t, std::uint8_t> registers) {
    return Chip(port, {Key(port, {0x55, 0x55})}, {Key(port, {0xAA})}, std::move(registers));
}

struct Expectation {
    SuperIoChip chip;
    const char* line;
};

void ExpectEachNamed(SuperIoProbe probe, const std::vector<Expectation>& cases) {
    for (const Expectation& c : cases) {
        SimBoard board({c.chip});
        FixedText<260> line;
        ASSERT_TRUE(board.probe(probe, line)) << c.line;
        EXPECT_EQ(line.str(), c.line);
    }
}

TEST(WinbondProbe, OlderPartAnsweringTo87hAt3F0) {
    SimBoard board({Chip(0x3F0, {Key(0x3F0, {0x87, 0x87})}, {Key(0x3F0, {0xAA})}, {{0x09, 0x4A}})});
    FixedText<260> line;
    ASSERT_TRUE(board.probe(ProbeWinbond, line));
    EXPECT_EQ(line.str(), "Superio:   Winbond 877F (use 87h) rev 0 found at port 3F0h");
    EXPECT_EQ(board.trace(), (Trace{"W 250 89", "W 251 09", "R 252 FF", "W 250 AA", "W 250 88",
                                    "W 251 09", "R 252 FF", "W 250 AA", "W 3F0 87", "W 3F0 87",
                                    "W 3F0 09", "R 3F1 4A", "W 3F0 AA"}));
    EXPECT_FALSE(board.ports().isUnlocked(0));
}

TEST(WinbondProbe, OlderPartsByKeyAndNibble) {
    // Key at 250h, index 251h, data 252h; AAh at 250h closes.
    auto at250 = [](std::uint8_t key, std::uint8_t reg09) {
        SuperIoChip chip = Chip(0x251, {Key(0x250, {key})}, {Key(0x250, {0xAA})}, {{0x09, reg09}});
        chip.dataPort = 0x252;
        return chip;
    };
    auto at3F0 = [](std::uint8_t key, std::uint8_t reg09) {
        return Chip(0x3F0, {Key(0x3F0, {key, key})}, {Key(0x3F0, {0xAA})}, {{0x09, reg09}});
    };
    ExpectEachNamed(
        ProbeWinbond,
        {
            {at250(0x89, 0x07), "Superio:   Winbond 777 (use 89h) rev 0 found at port 250h"},
            {at250(0x88, 0x0C), "Superio:   Winbond 877TF (use 88h) rev 0 found at port 250h"},
            {at250(0x89, 0x18), "Superio:   Winbond 787 (use 89h) rev 0 found at port 250h"},
            {at3F0(0x86, 0x09), "Superio:   Winbond 787IF (use 86h) rev 0 found at port 3F0h"},
            {at3F0(0x86, 0x0B), "Superio:   Winbond 877AF (use 86h) rev 0 found at port 3F0h"},
            {at3F0(0x87, 0x0D), "Superio:   Winbond 877ATF (use 87h) rev 0 found at port 3F0h"},
        });
}

TEST(WinbondProbe, NewerPartsByDeviceId) {
    ExpectEachNamed(
        ProbeWinbond,
        {
            {Winbond(0x2E, 0x52, 0x17), "Superio:   Winbond 627F/HF rev 7 found at port 2Eh"},
            {Winbond(0x4E, 0x60, 0x12), "Superio:   Winbond 697HF rev 2 found at port 4Eh"},
            {Winbond(0x370, 0x52, 0x7A), "Superio:   Winbond 977CTF rev 10 found at port 370h"},
            {Winbond(0x3F0, 0x52, 0xF3), "Superio:   Winbond 977EF rev 3 found at port 3F0h"},
            {Winbond(0x2E, 0x97, 0x73), "Superio:   Winbond 977TF rev 0 found at port 2Eh"},
            {Winbond(0x2E, 0x97, 0x74), "Superio:   Winbond 977ATF rev 0 found at port 2Eh"},
            {Winbond(0x370, 0x96, 0x71), "Superio:   Winbond 967F/AF rev 0 found at port 370h"},
            {Winbond(0x370, 0x97, 0x71), "Superio:   Winbond 977F/AF rev 0 found at port 370h"},
        });
}

TEST(WinbondProbe, NewerPartEntryReadsAndExitAtEachPortInTurn) {
    SimBoard board({Winbond(0x4E, 0x60, 0x12)});
    FixedText<260> line;
    ASSERT_TRUE(board.probe(ProbeWinbond, line));
    EXPECT_EQ(line.str(), "Superio:   Winbond 697HF rev 2 found at port 4Eh");
    EXPECT_EQ(board.traceFrom(0x2E),
              (Trace{"W 2E 87", "W 2E 87", "W 2E 20", "R 2F FF", "W 2E 21", "R 2F FF", "W 2E AA",
                     "W 4E 87", "W 4E 87", "W 4E 20", "R 4F 60", "W 4E 21", "R 4F 12", "W 4E AA"}));
    EXPECT_FALSE(board.ports().isUnlocked(0)) << "closed again after the match";
}

TEST(WinbondProbe, LeavesEveryPortItOpensAndHonoursTheSkip) {
    SimBoard board({});
    FixedText<260> line(kUntouched);
    EXPECT_FALSE(board.probe(ProbeWinbond, line));
    EXPECT_EQ(line.str(), kUntouched);
    for (const char* port : {"2E", "4E", "370", "3F0"}) {
        EXPECT_EQ(board.count(std::string("W ") + port + " AA"),
                  port == std::string("3F0") ? 3u : 1u)
            << port;
    }

    SimBoard skipped({Winbond(0x2E, 0x52, 0x17), Winbond(0x4E, 0x52, 0x17)});
    EXPECT_FALSE(skipped.probe(ProbeWinbond, line, /*skipPorts2E4E=*/true));
    for (const std::uint32_t port : {0x2E, 0x2F, 0x4E, 0x4F}) {
        EXPECT_EQ(skipped.portsTouched().count(port), 0u) << port;
    }
    EXPECT_EQ(skipped.traceFrom(0x370).front(), "W 370 87");
}

TEST(SmcProbe, NamesChipsByRegister0DOr20) {
    ExpectEachNamed(
        ProbeSmc,
        {
            {Smc(0x3F0, {{0x0D, 0x66}, {0x0E, 0x81}}),
             "Superio:   SMC 666IR rev 1 found at port 3F0h"},
            {Smc(0x370, {{0x0D, 0x65}, {0x0E, 0x05}}),
             "Superio:   SMC 665GT rev 5 found at port 370h"},
            {Smc(0x2E, {{0x0D, 0x03}, {0x0E, 0x04}}), "Superio:   SMC 669 rev 4 found at port 2Eh"},
            {Smc(0x4E, {{0x0D, 0x29}, {0x0E, 0x01}}), "Superio:   SMC 869 rev 1 found at port 4Eh"},
            {Smc(0x2E, {{0x20, 0x59}, {0x21, 0x02}}),
             "Superio:   SMC LPC47M10x rev 2 found at port 2Eh"},
            {Smc(0x370, {{0x20, 0x42}, {0x21, 0x00}}),
             "Superio:   SMC 70x or 80x rev 0 found at port 370h"},
            {Smc(0x3F0, {{0x20, 0x01}, {0x21, 0x09}}),
             "Superio:   SMC 667 rev 9 found at port 3F0h"},
        });
}

TEST(SmcProbe, ARegister0DMatchSkipsRegister20AndStillLeaves) {
    SimBoard board({Smc(0x2E, {{0x0D, 0x03}, {0x0E, 0x04}, {0x20, 0x59}})});
    FixedText<260> line;
    ASSERT_TRUE(board.probe(ProbeSmc, line));
    EXPECT_EQ(line.str(), "Superio:   SMC 669 rev 4 found at port 2Eh");
    EXPECT_EQ(board.trace(),
              (Trace{"W 2E 55", "W 2E 55", "W 2E 0D", "R 2F 03", "W 2E 0E", "R 2F 04", "W 2E AA"}));
    EXPECT_FALSE(board.ports().isUnlocked(0));
}

TEST(SmcProbe, ChipsAndTechnologiesTestRunsOnlyAt3F0) {
    // Register 03h has its low three bits clear while open; AAh closes.
    SimBoard board({Smc(0x3F0, {{0x03, 0x78}})});
    FixedText<260> line;
    ASSERT_TRUE(board.probe(ProbeSmc, line));
    EXPECT_EQ(line.str(), "Superio:   C&T 82C735 or SMC 661/663/664 rev 0 found at port 3F0h");
    EXPECT_EQ(board.traceFrom(0x3F0),
              (Trace{"W 3F0 55", "W 3F0 55", "W 3F0 0D", "R 3F1 FF", "W 3F0 0E", "R 3F1 FF",
                     "W 3F0 20", "R 3F1 FF", "W 3F0 21", "R 3F1 FF", "W 3F0 03", "R 3F1 78",
                     "W 3F0 AA", "W 3F0 03", "R 3F1 FF", "W 3F0 AA"}));
    for (const char* other : {"W 2E 03", "W 4E 03", "W 370 03"}) {
        EXPECT_EQ(board.count(other), 0u) << other;
    }
}

TEST(SmcProbe, ChipsAndTechnologiesTestNeedsBothReads) {
    struct Case {
        SuperIoChip chip;
        const char* why;
    } cases[] = {
        {Smc(0x3F0, {{0x03, 0x79}}), "a low bit set while open"},
        {Chip(0x3F0, {}, {}, {{0x03, 0x78}}), "still readable after AAh"},
        {Smc(0x370, {{0x03, 0x78}}), "at 370h the test does not run"},
    };
    for (Case& c : cases) {
        SimBoard board({c.chip});
        FixedText<260> line(kUntouched);
        EXPECT_FALSE(board.probe(ProbeSmc, line)) << c.why;
        EXPECT_EQ(line.str(), kUntouched) << c.why;
    }
}

TEST(SmcProbe, HonoursTheSkip) {
    SimBoard board({Smc(0x4E, {{0x0D, 0x03}})});
    FixedText<260> line;
    EXPECT_FALSE(board.probe(ProbeSmc, line, /*skipPorts2E4E=*/true));
    EXPECT_EQ(board.trace().front(), "W 370 55");
}

TEST(NscProbe, NamesChipsByRegister08Or20) {
    auto nsc = [](std::uint16_t port, std::map<std::uint8_t, std::uint8_t> registers) {
        return Chip(port, {}, {}, std::move(registers));
    };
    ExpectEachNamed(ProbeNsc,
                    {
                        {nsc(0x15C, {{0x08, 0x73}}), "Superio:   NSC 306 rev 3 found at port 15Ch"},
                        {nsc(0x2E, {{0x08, 0x1A}}), "Superio:   NSC 332 rev 10 found at port 2Eh"},
                        {nsc(0x398, {{0x08, 0xB0}}), "Superio:   NSC 338 rev 0 found at port 398h"},
                        {nsc(0x4E, {{0x20, 0xC5}}), "Superio:   NSC 307 rev 5 found at port 4Eh"},
                        {nsc(0x26E, {{0x20, 0xD1}}), "Superio:   NSC 317 rev 1 found at port 26Eh"},
                        {nsc(0x2E, {{0x20, 0xC0}}), "Superio:   NSC 307 rev 0 found at port 2Eh"},
                        // CFh is listed whole: the 97307, not a 307 of revision 15.
                        {nsc(0x26E, {{0x20, 0xCF}, {0x27, 0x02}}),
                         "Superio:   NSC 97307 rev 2 found at port 26Eh"},
                        {nsc(0x398, {{0x20, 0xE9}, {0x27, 0x11}}),
                         "Superio:   NSC 366 rev 17 found at port 398h"},
                        {nsc(0x15C, {{0x20, 0xE0}, {0x27, 0x00}}),
                         "Superio:   NSC 309 rev 0 found at port 15Ch"},
                    });
}

TEST(NscProbe, ReadsRegisters08_20_27InOrderAndHonoursTheSkip) {
    SimBoard board({});
    FixedText<260> line(kUntouched);
    EXPECT_FALSE(board.probe(ProbeNsc, line));
    EXPECT_EQ(board.trace(),
              (Trace{"W 2E 08",  "R 2F FF",  "W 2E 20",  "R 2F FF",  "W 2E 27",  "R 2F FF",
                     "W 4E 08",  "R 4F FF",  "W 4E 20",  "R 4F FF",  "W 4E 27",  "R 4F FF",
                     "W 15C 08", "R 15D FF", "W 15C 20", "R 15D FF", "W 15C 27", "R 15D FF",
                     "W 26E 08", "R 26F FF", "W 26E 20", "R 26F FF", "W 26E 27", "R 26F FF",
                     "W 398 08", "R 399 FF", "W 398 20", "R 399 FF", "W 398 27", "R 399 FF"}));

    SimBoard skipped({Chip(0x4E, {}, {}, {{0x08, 0x73}})});
    EXPECT_FALSE(skipped.probe(ProbeNsc, line, /*skipPorts2E4E=*/true));
    EXPECT_EQ(skipped.trace().front(), "W 15C 08");
}

}  // namespace
}  // namespace romwise::chips_test
