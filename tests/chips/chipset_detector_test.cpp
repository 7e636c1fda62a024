// Chipset identification over PCI bus 0 of a simulated board.
#include <gtest/gtest.h>

#include "chips/chipset_detector.h"
#include "tests/chips/sim_board.h"

namespace romwise::chips_test {
namespace {

class ChipsetDetectorTest : public testing::Test {
  protected:
    bool identify(SimBoard& board, FixedText<260>& line) {
        PortPciConfigAccess pci(board.driver());
        ChipsetDetector detector(pci);
        return detector.identify(line, skipPorts2E4E);
    }

    bool skipPorts2E4E = false;
};

TEST_F(ChipsetDetectorTest, NamesTheFirstDeviceOfAKnownVendor) {
    struct Case {
        std::vector<PciDevice> pci;
        const char* line;
        bool skipsPorts2E4E;
    } cases[] = {
        {{{0, 0x8086, 0x7190, 3}, {7, 0x8086, 0x7110, 2}},
         "Chipset:   Intel 440BX/ZX rev 3",
         false},
        {{{0, 0x1234, 0x5678, 9}, {1, 0x8086, 0x7000, 1}}, "Chipset:   Intel 7000 rev 1", false},
        {{{0, 0x8086, 0x122D, 2}}, "Chipset:   Intel Triton 430FX rev 2", false},
        {{{0, 0x8086, 0x71A2, 0}}, "Chipset:   Intel 440GX rev 0", false},
        {{{0, 0x8086, 0x7122, 1}}, "Chipset:   Intel Whitney 82810-DC100 rev 1", false},
        {{{0, 0x1106, 0x0597, 4}}, "Chipset:   VIA 82C597 rev 4", false},
        {{{0, 0x1106, 0x3099, 0}}, "Chipset:   VIA 82C3099 rev 0", false},
        {{{0, 0x1106, 0x1571, 6}}, "Chipset:   VIA 82C416 rev 6", false},
        {{{0, 0x1106, 0x1595, 5}}, "Chipset:   AMD 640 rev 5", false},
        {{{0, 0x1106, 0x0576, 1}}, "Chipset:   VIA 82C576 rev 1", true},
        {{{0, 0x1106, 0x0585, 2}}, "Chipset:   VIA 82C585 rev 2", true},
        {{{0, 0x1039, 0x0406, 1}}, "Chipset:   SiS 501 rev 1", false},
        {{{0, 0x1039, 0x0002, 1}}, "Chipset:   SiS 6202 rev 1", false},
        {{{0, 0x1039, 0x0205, 1}}, "Chipset:   SiS 6205 rev 1", false},
        {{{0, 0x1039, 0x5597, 1}}, "Chipset:   SiS 5597 rev 1", false},
        {{{0, 0x1022, 0x7006, 37}}, "Chipset:   AMD 751 rev 37", false},
        {{{0, 0x1022, 0x700E, 0}}, "Chipset:   AMD 700E rev 0", false},
        {{{0, 0x1004, 0x0005, 0}}, "Chipset:   VLSI VL82C591 rev 0", true},
        {{{0, 0x1004, 0x0007, 1}}, "Chipset:   VLSI VL82C594 rev 1", false},
        {{{0, 0x1004, 0x000C, 1}}, "Chipset:   VLSI VL82C541 rev 1", false},
        {{{0, 0x1004, 0x000D, 1}}, "Chipset:   VLSI VL82C543 rev 1", false},
        {{{0, 0x1004, 0x0010, 1}}, "Chipset:   VLSI 10 rev 1", false},
        {{{0, 0x1045, 0xC557, 0}}, "Chipset:   OPTi 82C557 rev 0", false},
        {{{0, 0x10B9, 0x1541, 4}}, "Chipset:   ALi M1541 rev 4", false},
        {{{31, 0x8086, 0x84CA, 255}}, "Chipset:   Intel 450NX rev 255", false},
    };
    for (const Case& c : cases) {
        skipPorts2E4E = false;
        SimBoard board({}, c.pci);
        FixedText<260> line;
        ASSERT_TRUE(identify(board, line)) << c.line;
        EXPECT_EQ(line.str(), c.line);
        EXPECT_EQ(skipPorts2E4E, c.skipsPorts2E4E) << c.line;
    }
}

TEST_F(ChipsetDetectorTest, ReadsRevisionThenIdAndStopsAtTheNamedDevice) {
    SimBoard board({}, {{0, 0x1234, 0x0001, 0}, {2, 0x8086, 0x7190, 3}, {3, 0x1106, 0x0585, 0}});
    FixedText<260> line;
    ASSERT_TRUE(identify(board, line));
    EXPECT_EQ(line.str(), "Chipset:   Intel 440BX/ZX rev 3");
    EXPECT_EQ(board.trace(),
              (std::vector<std::string>{
                  "W32 CF8 80000008", "R32 CFC 00000000", "W32 CF8 80000000", "R32 CFC 00011234",
                  "W32 CF8 80000808", "R32 CFC FFFFFFFF", "W32 CF8 80000800", "R32 CFC FFFFFFFF",
                  "W32 CF8 80001008", "R32 CFC 00000003", "W32 CF8 80001000", "R32 CFC 71908086"}));
    EXPECT_FALSE(skipPorts2E4E) << "the VIA device after it is never read";
}

TEST_F(ChipsetDetectorTest, NothingKnownLeavesTheLineAlone) {
    SimBoard board({}, {{0, 0x1234, 0x5678, 1}, {5, 0x10DE, 0x01E0, 1}});
    FixedText<260> line(kUntouched);
    EXPECT_FALSE(identify(board, line));
    EXPECT_EQ(line.str(), kUntouched);
    EXPECT_EQ(board.trace().size(), 128u) << "two reads of two requests for each of 32 devices";
}

}  // namespace
}  // namespace romwise::chips_test
