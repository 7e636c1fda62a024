// LGS, ALi and HMC: chips opened by a key and told by what they answer, or by
// the contrast of a register before and after the lock key.
#include <gtest/gtest.h>

#include "tests/chips/sim_board.h"

namespace romwise::chips_test {
namespace {

using Trace = std::vector<std::string>;

// LGS Prime: 33h 33h opens, 55h or CCh closes.
SuperIoChip Lgs(std::map<std::uint8_t, std::uint8_t> registers) {
    return Chip(0x398, {Key(0x398, {0x33, 0x33})}, {Key(0x398, {0x55}), Key(0x398, {0xCC})},
                std::move(registers));
}

// An ALi M5113/M5119 answers on one port: 51h opens, then a write selects.
SuperIoChip AliSinglePort(std::uint16_t port, std::map<std::uint8_t, std::uint8_t> registers) {
    SuperIoChip chip = Chip(port, {Key(port, {0x51})}, {}, std::move(registers));
    chip.dataPort = port;
    return chip;
}

SuperIoChip AliPair(std::uint16_t port, std::uint8_t model) {
    return Chip(port, {Key(port, {0x51, 0x23})}, {Key(port, {0xBB})},
                {{0x20, model}, {0x21, 0x51}});
}

// HMC: EAh EAh at 250h opens, ADh closes; index 251h, data 252h.
SuperIoChip Hmc(std::vector<WriteSequence> lock) {
    SuperIoChip chip = Chip(0x251, {Key(0x250, {0xEA, 0xEA})}, std::move(lock), {{0x00, 0x5A}});
    chip.dataPort = 0x252;
    return chip;
}

TEST(LgsProbe, Prime3CByIdAndLock) {
    SimBoard board({Lgs({{0xC0, 0x3C}, {0xC1, 0x02}})});
    FixedText<260> line;
    ASSERT_TRUE(board.probe(ProbeLgs, line));
    EXPECT_EQ(line.str(), "Superio:   LGS Prime 3C rev 2 found at port 398h");
    EXPECT_EQ(board.trace(), (Trace{"W 398 33", "W 398 33", "W 398 C0", "R 399 3C", "W 398 C1",
                                    "R 399 02", "W 398 55", "W 398 C0", "R 399 FF"}));
    EXPECT_FALSE(board.ports().isUnlocked(0)) << "LGS chips are left locked";
}

TEST(LgsProbe, Prime3BByTheContrastOfRegisterA0) {
    SimBoard board({Lgs({{0xC0, 0x12}, {0xA0, 0x00}})});
    FixedText<260> line;
    ASSERT_TRUE(board.probe(ProbeLgs, line));
    EXPECT_EQ(line.str(), "Superio:   LGS Prime 3B rev 0 found at port 398h");
    const Trace& trace = board.trace();
    ASSERT_EQ(trace.size(), 16u);
    EXPECT_EQ(Trace(trace.begin() + 9, trace.end()),
              (Trace{"W 398 33", "W 398 33", "W 398 A0", "R 399 00", "W 398 CC", "W 398 A0",
                     "R 399 FF"}));
    EXPECT_FALSE(board.ports().isUnlocked(0));
}

TEST(LgsProbe, AnId3CThatStaysReadableIsNoPrime3C) {
    // No lock key: C0h still reads 3Ch after 55h, and A0h after CCh.
    SimBoard board({Chip(0x398, {}, {}, {{0xC0, 0x3C}, {0xA0, 0x00}})});
    FixedText<260> line(kUntouched);
    EXPECT_FALSE(board.probe(ProbeLgs, line));
    EXPECT_EQ(line.str(), kUntouched);
    EXPECT_EQ(board.count("W 398 CC"), 1u) << "the Prime 3B test ran";
}

TEST(AliProbe, SinglePortPartsAnswerOnTheirOwnPort) {
    struct Case {
        SuperIoChip chip;
        const char* line;
    } cases[] = {
        {AliSinglePort(0x3F1, {{0x29, 0x93}}), "Superio:   ALi M5113 rev 0 found at port 3F1h"},
        {AliSinglePort(0x3F1, {{0x19, 0x91}}), "Superio:   ALi M5119 rev 0 found at port 3F1h"},
        {AliSinglePort(0x398, {{0x29, 0x93}}), "Superio:   ALi M5113 rev 0 found at port 398h"},
        {AliSinglePort(0x398, {{0x19, 0x91}}), "Superio:   ALi M5119 rev 0 found at port 398h"},
    };
    for (const Case& c : cases) {
        SimBoard board({c.chip});
        FixedText<260> line;
        ASSERT_TRUE(board.probe(ProbeAli, line)) << c.line;
        EXPECT_EQ(line.str(), c.line);
        EXPECT_EQ(board.count("W 3F0 51"), 0u) << "the second stage did not run";
    }
    SimBoard board({AliSinglePort(0x3F1, {{0x29, 0x93}})});
    FixedText<260> line;
    board.probe(ProbeAli, line);
    EXPECT_EQ(board.trace(), (Trace{"W 3F1 51", "W 3F1 29", "R 3F1 93"}));

    // Both selections at 3F1h come before 398h, and no closing key is written.
    SimBoard m5119({AliSinglePort(0x398, {{0x19, 0x91}})});
    m5119.probe(ProbeAli, line);
    EXPECT_EQ(m5119.trace(),
              (Trace{"W 3F1 51", "W 3F1 29", "R 3F1 FF", "W 3F1 51", "W 3F1 19", "R 3F1 FF",
                     "W 398 51", "W 398 29", "R 398 FF", "W 398 51", "W 398 19", "R 398 91"}));
}

TEST(AliProbe, PairPartsNameTheirModelInLowerCaseHex) {
    struct Case {
        std::uint16_t port;
        std::uint8_t model;
        const char* line;
    } cases[] = {
        {0x3F0, 0x43, "Superio:   ALi M5143 rev 0 found at port 3F0h"},
        {0x370, 0x2B, "Superio:   ALi M512b rev 0 found at port 370h"},
    };
    for (const Case& c : cases) {
        SimBoard board({AliPair(c.port, c.model)});
        FixedText<260> line;
        ASSERT_TRUE(board.probe(ProbeAli, line)) << c.line;
        EXPECT_EQ(line.str(), c.line);
        EXPECT_FALSE(board.ports().isUnlocked(0)) << "BBh leaves configuration";
    }
    SimBoard board({AliPair(0x370, 0x2B)});
    FixedText<260> line;
    board.probe(ProbeAli, line);
    EXPECT_EQ(board.traceFrom(0x3F0),
              (Trace{"W 3F0 51", "W 3F0 23", "W 3F0 20", "R 3F1 FF", "W 3F0 21", "R 3F1 FF",
                     "W 3F0 BB", "W 370 51", "W 370 23", "W 370 20", "R 371 2B", "W 370 21",
                     "R 371 51", "W 370 BB"}));
}

TEST(AliProbe, PairPartNeeds51hInRegister21) {
    SimBoard wrongSignature({Chip(0x3F0, {Key(0x3F0, {0x51, 0x23})}, {Key(0x3F0, {0xBB})},
                                  {{0x20, 0x43}, {0x21, 0x50}})});
    FixedText<260> line(kUntouched);
    EXPECT_FALSE(wrongSignature.probe(ProbeAli, line));
    EXPECT_EQ(line.str(), kUntouched);
}

TEST(HmcProbe, UnlockedLockedContrastOfRegister00) {
    SimBoard board({Hmc({Key(0x250, {0xAD})})});
    FixedText<260> line;
    ASSERT_TRUE(board.probe(ProbeHmc, line));
    EXPECT_EQ(line.str(), "Superio:   HMC 83755 rev 0 found at port 250h");
    EXPECT_EQ(board.trace(), (Trace{"W 250 EA", "W 250 EA", "W 251 00", "R 252 5A", "W 250 AD",
                                    "W 251 00", "R 252 FF"}));
    EXPECT_FALSE(board.ports().isUnlocked(0));

    SimBoard neverLocks({Hmc({})});
    FixedText<260> untouched(kUntouched);
    EXPECT_FALSE(neverLocks.probe(ProbeHmc, untouched));
    EXPECT_EQ(untouched.str(), kUntouched);
}

}  // namespace
}  // namespace romwise::chips_test
