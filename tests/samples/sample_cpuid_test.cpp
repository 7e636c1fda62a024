// The Pentium III CPUID dump: well-formed lines and the values a Katmai
// reports.
#include <gtest/gtest.h>

#include <map>
#include <regex>
#include <sstream>
#include <string>

#include "tests/samples/sample_paths.h"

namespace romwise::samples_test {
namespace {

struct Registers {
    std::uint32_t eax = 0, ebx = 0, ecx = 0, edx = 0;
};

std::string RegisterText(std::uint32_t value) {
    std::string text;
    for (int i = 0; i < 4; ++i) {
        text += static_cast<char>((value >> (8 * i)) & 0xFF);
    }
    return text;
}

class Pentium3Dump : public testing::Test {
  protected:
    void SetUp() override {
        std::istringstream in(ReadText(SamplesDir() / "pentium3.cpuid"));
        static const std::regex kLine(
            "CPUID ([0-9A-F]{8}): ([0-9A-F]{8})-([0-9A-F]{8})-([0-9A-F]{8})-([0-9A-F]{8})");
        std::string line;
        while (std::getline(in, line)) {
            std::smatch m;
            ASSERT_TRUE(std::regex_match(line, m, kLine)) << "malformed line: " << line;
            const auto hex = [&](int i) {
                return static_cast<std::uint32_t>(std::stoul(m[i].str(), nullptr, 16));
            };
            ASSERT_TRUE(leaves_.emplace(hex(1), Registers{hex(2), hex(3), hex(4), hex(5)}).second)
                << "leaf given twice: " << line;
        }
    }

    std::map<std::uint32_t, Registers> leaves_;
};

TEST_F(Pentium3Dump, GivesTheStandardLeavesUpToTheHighestOne) {
    ASSERT_TRUE(leaves_.contains(0));
    const std::uint32_t highest = leaves_[0].eax;
    EXPECT_EQ(highest, 3u) << "a Pentium III with its serial number enabled";
    for (std::uint32_t leaf = 0; leaf <= highest; ++leaf) {
        EXPECT_TRUE(leaves_.contains(leaf)) << "leaf " << leaf;
    }
    EXPECT_TRUE(leaves_.contains(0x80000000u));
}

TEST_F(Pentium3Dump, NamesIntelInLeafZero) {
    const auto& r = leaves_[0];
    EXPECT_EQ(RegisterText(r.ebx) + RegisterText(r.edx) + RegisterText(r.ecx), "GenuineIntel");
}

TEST_F(Pentium3Dump, ReportsAFamily6Model7Processor) {
    const std::uint32_t eax = leaves_[1].eax;
    EXPECT_EQ((eax >> 8) & 0xF, 6u);
    EXPECT_EQ((eax >> 4) & 0xF, 7u);
    EXPECT_EQ((eax >> 12) & 0x3, 0u) << "an original OEM processor";
}

TEST_F(Pentium3Dump, HasTheFeaturesOfAPentium3) {
    const std::uint32_t edx = leaves_[1].edx;
    EXPECT_NE(edx & (1u << 4), 0u) << "time-stamp counter";
    EXPECT_NE(edx & (1u << 23), 0u) << "MMX";
    EXPECT_NE(edx & (1u << 25), 0u) << "SSE";
    EXPECT_EQ(edx & (1u << 26), 0u) << "no SSE2 before the Pentium 4";
    EXPECT_NE(edx & (1u << 18), 0u) << "serial number, hence leaf 3";
}

TEST_F(Pentium3Dump, RunsTheCacheDescriptorLeafOnce) {
    EXPECT_EQ(leaves_[2].eax & 0xFF, 1u);
}

TEST_F(Pentium3Dump, OffersNoExtendedLeaves) {
    EXPECT_LT(leaves_[0x80000000u].eax & 0x7FFFFFFFu, 1u);
}

}  // namespace
}  // namespace romwise::samples_test
