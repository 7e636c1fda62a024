// The first probe of the chain: UMC by the unlocked/locked contrast at 108h,
// ITE through the Plug and Play port 279h, ITE at 2Eh.
#include <gtest/gtest.h>

#include "tests/chips/sim_board.h"

namespace romwise::chips_test {
namespace {

using Trace = std::vector<std::string>;

// UMC: AAh opens, 55h closes; while closed the data port reads FFh.
SuperIoChip Umc(std::map<std::uint8_t, std::uint8_t> registers) {
    return Chip(0x108, {Key(0x108, {0xAA})}, {Key(0x108, {0x55})}, std::move(registers));
}

constexpr std::uint8_t kPnpKey[32] = {
    0x6A, 0xB5, 0xDA, 0xED, 0xF6, 0xFB, 0x7D, 0xBE, 0xDF, 0x6F, 0x37, 0x1B, 0x0D, 0x86, 0xC3, 0x61,
    0xB0, 0x58, 0x2C, 0x16, 0x8B, 0x45, 0xA2, 0xD1, 0xE8, 0x74, 0x3A, 0x9D, 0xCE, 0xE7, 0x73, 0x39,
};

// An ITE chip configured at 3F0h/3F1h, opened by 86h K 55h 55h at 279h and the
// Plug and Play initiation key at 3F0h, closed by 02h into register 02h.
SuperIoChip IteBehindPnpPort(std::uint8_t key, std::uint16_t id, std::uint8_t revision) {
    WriteSequence unlock = Key(0x279, {0x86, key, 0x55, 0x55});
    for (const std::uint8_t b : kPnpKey) {
        unlock.emplace_back(0x3F0, b);
    }
    SuperIoChip chip = Chip(0x3F0, {unlock}, {},
                            {{0x20, static_cast<std::uint8_t>(id >> 8)},
                             {0x21, static_cast<std::uint8_t>(id & 0xFF)},
                             {0x22, revision}});
    chip.lockOnRegisterWrite = std::make_pair(std::uint8_t{0x02}, std::uint8_t{0x02});
    return chip;
}

SuperIoChip IteAt2E(std::uint8_t key, std::uint16_t id, std::uint8_t revision) {
    SuperIoChip chip = Chip(0x2E, {Key(0x2E, {0x87, key, 0x55, 0x55})}, {},
                            {{0x20, static_cast<std::uint8_t>(id >> 8)},
                             {0x21, static_cast<std::uint8_t>(id & 0xFF)},
                             {0x22, revision}});
    chip.lockOnRegisterWrite = std::make_pair(std::uint8_t{0x02}, std::uint8_t{0x02});
    return chip;
}

TEST(UmcProbe, ContrastReadsThenRegisterC4NameThe8663B) {
    SimBoard board({Umc({{0xC2, 0x00}, {0xC4, 0x12}})});
    FixedText<260> line(kUntouched);
    ASSERT_TRUE(board.probe(ProbeUmcIte, line));
    EXPECT_EQ(line.str(), "Superio:   UMC 8663B rev 0 found at port 108h");
    EXPECT_EQ(board.trace(), (Trace{"W 108 AA", "W 108 C2", "R 109 00", "W 108 55", "W 108 C2",
                                    "R 109 FF", "W 108 AA", "W 108 C4", "R 109 12"}));
    EXPECT_TRUE(board.ports().isUnlocked(0)) << "the UMC chip is left open";
}

TEST(UmcProbe, EmptyPortFailsTheFirstContrastAndGoesOnWithoutSampling) {
    SimBoard board({});
    FixedText<260> line(kUntouched);
    EXPECT_FALSE(board.probe(ProbeUmcIte, line));
    EXPECT_EQ(line.str(), kUntouched);
    const Trace& trace = board.trace();
    ASSERT_GT(trace.size(), 7u);
    EXPECT_EQ(Trace(trace.begin(), trace.begin() + 7),
              (Trace{"W 108 AA", "W 108 C2", "R 109 FF", "W 108 55", "W 108 C2", "R 109 FF",
                     "W 279 86"}));
    EXPECT_EQ(board.count("W 108 C0"), 0u);
}

TEST(UmcProbe, AChipThatStaysReadableWhenLockedIsNoUmc) {
    // Always open: register C2h reads the same before and after 55h.
    SimBoard board({Chip(0x108, {}, {}, {{0xC2, 0x00}})});
    FixedText<260> line(kUntouched);
    EXPECT_FALSE(board.probe(ProbeUmcIte, line));
    EXPECT_EQ(board.count("W 108 C4"), 0u);
}

TEST(UmcProbe, RegisterC0SamplingTellsThe8663AFromThe8669) {
    struct Case {
        std::vector<std::uint8_t> c0Values;
        const char* line;
        std::size_t samples;
    } cases[] = {
        {{0x10, 0x11}, "Superio:   UMC 8663A rev 0 found at port 108h", 2},
        {{0x10, 0x10, 0x10, 0x7F}, "Superio:   UMC 8663A rev 0 found at port 108h", 4},
        {{0x10}, "Superio:   UMC/ITE 8669 rev 0 found at port 108h", 65535},
    };
    for (const Case& c : cases) {
        SuperIoChip chip = Umc({{0xC2, 0x00}});
        chip.sequences[0xC0] = c.c0Values;
        SimBoard board({chip});
        FixedText<260> line;
        ASSERT_TRUE(board.probe(ProbeUmcIte, line));
        EXPECT_EQ(line.str(), c.line);
        EXPECT_EQ(board.count("W 108 C0"), c.samples) << c.line;
        EXPECT_EQ(board.count("W 108 AA"), c.samples + 2) << "every sample rewrites the key";
        EXPECT_EQ(board.portsTouched(), (std::set<std::uint32_t>{0x108, 0x109}));
    }
}

TEST(ItePnpProbe, NamesTheChipBehindPort279WithEitherKey) {
    struct Case {
        std::uint8_t key;
        std::uint16_t id;
        const char* line;
        std::size_t attempts;
    } cases[] = {
        {0x61, 0x8681, "Superio:   ITE 8671 rev 4 found at port 279h", 1},
        {0x80, 0x8680, "Superio:   ITE 8679 or 8680 rev 4 found at port 279h", 2},
        {0x61, 0x8661, "Superio:   ITE 8661/SiS 6801 rev 4 found at port 279h", 1},
        {0x80, 0x8673, "Superio:   ITE 8673 rev 4 found at port 279h", 2},
        {0x61, 0x8693, "Superio:   ITE 8693 rev 4 found at port 279h", 1},
    };
    for (const Case& c : cases) {
        SimBoard board({IteBehindPnpPort(c.key, c.id, 4)});
        FixedText<260> line;
        ASSERT_TRUE(board.probe(ProbeUmcIte, line)) << c.line;
        EXPECT_EQ(line.str(), c.line);
        // Every attempt leaves configuration mode, matched or not.
        EXPECT_EQ(board.count("W 3F1 02"), c.attempts) << c.line;
        EXPECT_FALSE(board.ports().isUnlocked(0)) << c.line;
        EXPECT_EQ(board.count("W 2E 87"), 0u) << "the probe stops before 2Eh";
    }
}

TEST(ItePnpProbe, WritesTheKeysInOrder) {
    SimBoard board({});
    FixedText<260> line;
    board.probe(ProbeUmcIte, line);
    const Trace trace = board.traceFrom(0x279);
    ASSERT_GE(trace.size(), 46u);
    EXPECT_EQ(Trace(trace.begin(), trace.begin() + 5),
              (Trace{"W 279 86", "W 279 61", "W 279 55", "W 279 55", "W 3F0 6A"}));
    EXPECT_EQ(trace[35], "W 3F0 39") << "the 32nd key byte";
    EXPECT_EQ(Trace(trace.begin() + 36, trace.begin() + 45),
              (Trace{"W 3F0 20", "R 3F1 FF", "W 3F0 21", "R 3F1 FF", "W 3F0 22", "R 3F1 FF",
                     "W 3F0 02", "W 3F1 02", "W 279 86"}));
    EXPECT_EQ(trace[45], "W 279 80") << "the second attempt's key";
}

TEST(IteProbe, EntersReadsAndLeavesAt2E) {
    SimBoard board({IteAt2E(0x01, 0x8712, 7)});
    FixedText<260> line;
    ASSERT_TRUE(board.probe(ProbeUmcIte, line));
    EXPECT_EQ(line.str(), "Superio:   ITE 8712F rev 7 found at port 2Eh");
    EXPECT_EQ(board.traceFrom(0x2E),
              (Trace{"W 2E 87", "W 2E 01", "W 2E 55", "W 2E 55", "W 2E 20", "R 2F 87", "W 2E 21",
                     "R 2F 12", "W 2E 22", "R 2F 07", "W 2E 02", "W 2F 02"}));
    EXPECT_FALSE(board.ports().isUnlocked(0)) << "02h into register 02h closes the chip";
}

TEST(IteProbe, NamesEachChipAt2E) {
    struct Case {
        std::uint8_t key;
        std::uint16_t id;
        const char* line;
    } cases[] = {
        {0x01, 0x8702, "Superio:   ITE 8702F rev 1 found at port 2Eh"},
        {0x61, 0x8705, "Superio:   ITE 8705/SiS 950 rev 1 found at port 2Eh"},
        {0x61, 0x8761, "Superio:   ITE 8761E rev 1 found at port 2Eh"},
    };
    for (const Case& c : cases) {
        SimBoard board({IteAt2E(c.key, c.id, 1)});
        FixedText<260> line;
        ASSERT_TRUE(board.probe(ProbeUmcIte, line)) << c.line;
        EXPECT_EQ(line.str(), c.line);
    }
}

TEST(IteProbe, UnknownIdsAndSkippedPortsFindNothing) {
    {
        SimBoard board({IteAt2E(0x01, 0x8681, 1)});  // a 279h id is no 2Eh id
        FixedText<260> line(kUntouched);
        EXPECT_FALSE(board.probe(ProbeUmcIte, line));
        EXPECT_EQ(line.str(), kUntouched);
        EXPECT_EQ(board.count("W 2F 02"), 2u);
    }
    {
        SimBoard board({IteAt2E(0x01, 0x8712, 7)});
        FixedText<260> line(kUntouched);
        EXPECT_FALSE(board.probe(ProbeUmcIte, line, /*skipPorts2E4E=*/true));
        EXPECT_EQ(line.str(), kUntouched);
        EXPECT_EQ(board.portsTouched().count(0x2E), 0u);
        EXPECT_EQ(board.portsTouched().count(0x2F), 0u);
    }
}

}  // namespace
}  // namespace romwise::chips_test
