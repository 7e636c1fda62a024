// The Super I/O chain as a whole, the south-bridge probe and the Intel
// 82091AA probe.
#include <gtest/gtest.h>

#include "tests/chips/sim_board.h"

namespace romwise::chips_test {
namespace {

using Trace = std::vector<std::string>;

TEST(SouthBridgeProbe, NamesTheBridgeWithItsDeviceNumberAsPort) {
    struct Case {
        std::vector<PciDevice> pci;
        const char* line;
    } cases[] = {
        {{{0, 0x10B9, 0x1541, 4}, {7, 0x10B9, 0x1543, 195}},
         "Superio:   ALi M1543 rev 195 found at port 7h"},
        {{{3, 0x10B9, 0x1533, 1}, {17, 0x10B9, 0x1535, 8}},
         "Superio:   ALi M1535 rev 8 found at port 11h"},
        {{{7, 0x1106, 0x0686, 27}}, "Superio:   VIA 686 rev 27 found at port 7h"},
    };
    for (const Case& c : cases) {
        SimBoard board({}, c.pci);
        FixedText<260> line;
        ASSERT_TRUE(board.probe(ProbeSouthBridge, line)) << c.line;
        EXPECT_EQ(line.str(), c.line);
    }
}

TEST(SouthBridgeProbe, ScansAllDevicesOfBus0ReadingRevisionFirst) {
    SimBoard board({}, {{0, 0x8086, 0x7190, 3}, {7, 0x1106, 0x0586, 0}});
    FixedText<260> line(kUntouched);
    EXPECT_FALSE(board.probe(ProbeSouthBridge, line));
    EXPECT_EQ(line.str(), kUntouched);
    const Trace& trace = board.trace();
    ASSERT_EQ(trace.size(), 128u);
    EXPECT_EQ(
        Trace(trace.begin(), trace.begin() + 4),
        (Trace{"W32 CF8 80000008", "R32 CFC 00000003", "W32 CF8 80000000", "R32 CFC 71908086"}));
    EXPECT_EQ(trace[126], "W32 CF8 8000F800");
}

TEST(Intel82091Probe, FoundAt24TouchingOnly22And24) {
    SimBoard board({Chip(0x24, {}, {}, {{0x00, 0xA0}, {0x01, 0x03}})});
    FixedText<260> line;
    ASSERT_TRUE(board.probe(ProbeIntel82091, line));
    EXPECT_EQ(line.str(), "Superio:   Intel 82091AA rev 3 found at port 24h");
    EXPECT_EQ(board.trace(), (Trace{"W 22 00", "R 23 FF", "W 22 01", "R 23 FF", "W 24 00",
                                    "R 25 A0", "W 24 01", "R 25 03"}));
}

TEST(Intel82091Probe, TriesEachPortInTurn) {
    for (const std::uint16_t port : {0x22, 0x26E, 0x398}) {
        SimBoard board({Chip(port, {}, {}, {{0x00, 0xA0}, {0x01, 0x01}})});
        FixedText<260> line;
        ASSERT_TRUE(board.probe(ProbeIntel82091, line)) << port;
        FixedText<260> expected;
        expected.format("Superio:   Intel 82091AA rev 1 found at port %Xh", port);
        EXPECT_EQ(line.str(), expected.str());
    }
}

class SuperIoChain : public testing::Test {};

// What each probe costs on a machine with nothing to find: these counts are
// the request budget of the chain.
TEST_F(SuperIoChain, EmptyMachineRequestsPerProbe) {
    struct Case {
        SuperIoProbe probe;
        const char* name;
        std::size_t requests;
    } cases[] = {
        {ProbeUmcIte, "UMC and ITE", 118},
        {ProbeSouthBridge, "south bridge", 128},
        {ProbeWinbond, "Winbond", 46},
        {ProbeSmc, "SMC", 49},
        {ProbeNsc, "NSC", 30},
        {ProbeLgs, "LGS", 16},
        {ProbeAli, "ALi", 26},
        {ProbeHmc, "HMC", 7},
        {ProbeIntel82091, "Intel 82091AA", 16},
    };
    std::size_t total = 0;
    for (const Case& c : cases) {
        SimBoard board({});
        FixedText<260> line;
        EXPECT_FALSE(board.probe(c.probe, line)) << c.name;
        EXPECT_EQ(board.trace().size(), c.requests) << c.name;
        total += c.requests;
    }
    SimBoard board({});
    FixedText<260> line(kUntouched);
    EXPECT_FALSE(board.identify(line));
    EXPECT_EQ(line.str(), kUntouched);
    EXPECT_EQ(board.trace().size(), total) << "the chain runs every probe once";

    // Without 2Eh and 4Eh: ITE at 2Eh (24), Winbond (14), SMC (22) and NSC (12) fewer.
    SimBoard skipped({});
    skipped.skipPorts2E4E = true;
    EXPECT_FALSE(skipped.identify(line));
    EXPECT_EQ(skipped.trace().size(), total - 24 - 14 - 22 - 12);
}

TEST_F(SuperIoChain, StopsAtTheFirstMatch) {
    // A UMC chip matched by the first probe: nothing but 108h/109h is touched.
    SimBoard umc(
        {Chip(0x108, {Key(0x108, {0xAA})}, {Key(0x108, {0x55})}, {{0xC2, 0x00}, {0xC4, 0x01}})});
    FixedText<260> line;
    ASSERT_TRUE(umc.identify(line));
    EXPECT_EQ(line.str(), "Superio:   UMC 8663B rev 0 found at port 108h");
    EXPECT_EQ(umc.portsTouched(), (std::set<std::uint32_t>{0x108, 0x109}));

    // The south bridge is named before the Winbond chip is looked for.
    SimBoard bridge(
        {Chip(0x2E, {Key(0x2E, {0x87, 0x87})}, {Key(0x2E, {0xAA})}, {{0x20, 0x52}, {0x21, 0x17}})},
        {{7, 0x10B9, 0x1543, 195}});
    ASSERT_TRUE(bridge.identify(line));
    EXPECT_EQ(line.str(), "Superio:   ALi M1543 rev 195 found at port 7h");
    EXPECT_EQ(bridge.count("W 250 89"), 0u) << "the Winbond probe did not run";
}

TEST_F(SuperIoChain, DefaultBoardsWinbondIsNamedByTheNewerPartProbe) {
    SimBoard board({Chip(0x3F0, {Key(0x3F0, {0x87, 0x87})}, {Key(0x3F0, {0xAA})},
                         {{0x07, 0x00}, {0x20, 0x52}, {0x21, 0xF3}, {0x22, 0xFF}, {0x26, 0x00}})},
                   {{0, 0x8086, 0x7190, 3}, {7, 0x8086, 0x7110, 2}});
    FixedText<260> line;
    ASSERT_TRUE(board.identify(line));
    EXPECT_EQ(line.str(), "Superio:   Winbond 977EF rev 3 found at port 3F0h");
    EXPECT_FALSE(board.ports().isUnlocked(0)) << "left locked";
}

TEST_F(SuperIoChain, SkippedPortsHideAChipAt2E) {
    const SuperIoChip winbond =
        Chip(0x2E, {Key(0x2E, {0x87, 0x87})}, {Key(0x2E, {0xAA})}, {{0x20, 0x52}, {0x21, 0x17}});
    {
        SimBoard board({winbond});
        FixedText<260> line;
        ASSERT_TRUE(board.identify(line));
        EXPECT_EQ(line.str(), "Superio:   Winbond 627F/HF rev 7 found at port 2Eh");
    }
    SimBoard board({winbond});
    board.skipPorts2E4E = true;
    FixedText<260> line(kUntouched);
    EXPECT_FALSE(board.identify(line));
    EXPECT_EQ(line.str(), kUntouched);
    for (const std::uint32_t port : {0x2E, 0x2F, 0x4E, 0x4F}) {
        EXPECT_EQ(board.portsTouched().count(port), 0u) << port;
    }
}

// A detector that reads PCI configuration space its own way (as on Linux,
// through the kernel) never writes CF8h for the south-bridge probe.
class FixedPci final : public PciConfigAccess {
  public:
    std::uint32_t ReadConfigDword(std::uint32_t, std::uint32_t device, std::uint32_t,
                                  std::uint32_t reg) override {
        ++reads;
        if (device != 9) {
            return 0xFFFFFFFFu;
        }
        return reg == 0x08 ? 0x00000005u : 0x06861106u;
    }
    int reads = 0;
};

TEST_F(SuperIoChain, SouthBridgeProbeUsesTheGivenPciAccess) {
    SimBoard board({});
    FixedPci pci;
    SuperIoDetector detector(board.driver(), pci);
    FixedText<260> line;
    ASSERT_TRUE(detector.identify(line));
    EXPECT_EQ(line.str(), "Superio:   VIA 686 rev 5 found at port 9h");
    EXPECT_EQ(pci.reads, 20);
    EXPECT_EQ(board.portsTouched().count(0xCF8), 0u);
}

}  // namespace
}  // namespace romwise::chips_test
