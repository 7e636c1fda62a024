// The Award 440BX ROM window: what the BIOS identification and the profile
// loader rely on, read from the committed file.
#include <gtest/gtest.h>

#include <cctype>
#include <numeric>
#include <string>
#include <string_view>

#include "tests/samples/sample_paths.h"
#include "tools/samplegen/award_440bx_rom.h"

namespace romwise::samples_test {
namespace {

namespace award = samplegen::award440bx;

// Where the Award recogniser copies its texts from, and how many bytes.
constexpr std::size_t kAwardTypeAt = 0xE061, kAwardTypeBytes = 31;
constexpr std::size_t kAwardIdAt = 0xEC71, kAwardIdBytes = 47;
constexpr std::size_t kAwardSignOnAt = 0xE0C1, kAwardSignOnBytes = 78;

class AwardRom : public testing::Test {
  protected:
    void SetUp() override { rom_ = ReadFileBytes(SamplesDir() / "award-440bx-rom.bin"); }

    // A raw copy as the recognisers make it: up to n bytes, ending at a NUL.
    std::string CopyAt(std::size_t offset, std::size_t n) const {
        std::string text;
        for (std::size_t i = offset; i < offset + n && i < rom_.size() && rom_[i] != 0; ++i) {
            text += static_cast<char>(rom_[i]);
        }
        return text;
    }

    bool Contains(std::string_view text) const {
        const std::string_view window(reinterpret_cast<const char*>(rom_.data()), rom_.size());
        return window.find(text) != std::string_view::npos;
    }

    std::vector<std::uint8_t> rom_;
};

TEST_F(AwardRom, IsOneRomWindow) {
    EXPECT_EQ(rom_.size(), 0x10000u);
}

TEST_F(AwardRom, StartsAtTheResetVectorWithAFarJumpIntoSegmentF000) {
    ASSERT_EQ(rom_.size(), 0x10000u);
    EXPECT_EQ(rom_[0xFFF0], 0xEA);
    EXPECT_EQ(rom_[0xFFF3] | (rom_[0xFFF4] << 8), 0xF000);
}

TEST_F(AwardRom, CarriesTheBiosDateAtFFF5) {
    ASSERT_EQ(rom_.size(), 0x10000u);
    const std::string date(rom_.begin() + 0xFFF5, rom_.begin() + 0xFFFD);
    EXPECT_EQ(date, award::kBiosDate);
    for (std::size_t i = 0; i < date.size(); ++i) {
        if (i == 2 || i == 5) {
            EXPECT_EQ(date[i], '/') << date;
        } else {
            EXPECT_TRUE(std::isdigit(static_cast<unsigned char>(date[i]))) << date;
        }
    }
}

TEST_F(AwardRom, AddsUpToZero) {
    EXPECT_EQ(std::accumulate(rom_.begin(), rom_.end(), 0u) & 0xFF, 0u);
}

TEST_F(AwardRom, NamesTheMakerTheAwardRecogniserLooksFor) {
    EXPECT_TRUE(Contains("Award Software"));
}

TEST_F(AwardRom, HoldsTheTypeWhereTheAwardRecogniserReadsIt) {
    const std::string type = CopyAt(kAwardTypeAt, kAwardTypeBytes);
    EXPECT_EQ(type, award::kBiosType);
    EXPECT_NE(type.find("Award"), std::string::npos) << "the ID shortening needs Award in the type";
}

TEST_F(AwardRom, HoldsTheBiosIdWhereTheAwardRecogniserReadsIt) {
    EXPECT_EQ(CopyAt(kAwardIdAt, kAwardIdBytes), award::kBiosId);
}

TEST_F(AwardRom, HasABiosIdTheAwardShorteningCuts) {
    const std::string id = CopyAt(kAwardIdAt, kAwardIdBytes);
    const auto last = id.rfind('-');
    ASSERT_NE(last, std::string::npos);
    ASSERT_GT(last, 1u);
    const auto before = id.rfind('-', last - 1);
    ASSERT_NE(before, std::string::npos);
    EXPECT_LE(last - before, 10u) << "the field before the last '-' must be short: " << id;
}

TEST_F(AwardRom, HasASignOnWithBlanksOnBothSides) {
    const std::string signOn = CopyAt(kAwardSignOnAt, kAwardSignOnBytes);
    EXPECT_EQ(signOn, award::kSignOn);
    ASSERT_FALSE(signOn.empty());
    EXPECT_EQ(signOn.front(), ' ');
    EXPECT_EQ(signOn.back(), ' ');
    EXPECT_NE(signOn.find_first_not_of(' '), std::string::npos);
    EXPECT_LT(signOn.size(), kAwardSignOnBytes) << "the sign-on must end with a NUL in its field";
}

// The profile loader puts the SMBIOS entry point at the first 16-byte-
// aligned place whose 32 bytes are all 00h or all FFh.
std::optional<std::size_t> FirstBlankPlace(const std::vector<std::uint8_t>& rom) {
    for (std::size_t at = 0; at + 32 <= rom.size(); at += 16) {
        const auto first = rom.begin() + static_cast<std::ptrdiff_t>(at);
        const auto all = [&](std::uint8_t v) {
            return std::all_of(first, first + 32, [v](std::uint8_t b) { return b == v; });
        };
        if (all(0x00) || all(0xFF)) {
            return at;
        }
    }
    return std::nullopt;
}

TEST_F(AwardRom, LeavesRoomForAnSmbiosEntryPointEarlyInTheWindow) {
    const auto place = FirstBlankPlace(rom_);
    ASSERT_TRUE(place.has_value());
    EXPECT_EQ(*place, award::kFirstBlank.offset);
    EXPECT_LT(*place, kAwardTypeAt);
}

TEST_F(AwardRom, IsNotBlankEverywhere) {
    const auto zeros = std::count(rom_.begin(), rom_.end(), 0x00);
    const auto ones = std::count(rom_.begin(), rom_.end(), 0xFF);
    EXPECT_LT(zeros + ones, static_cast<std::ptrdiff_t>(rom_.size() / 2));
}

TEST_F(AwardRom, HasNoSmbiosAnchorOfItsOwn) {
    for (std::size_t at = 0; at + 5 <= rom_.size(); at += 16) {
        const std::string_view head(reinterpret_cast<const char*>(&rom_[at]), 5);
        EXPECT_NE(head.substr(0, 4), "_SM_") << "at " << at;
        EXPECT_NE(head, "_DMI_") << "at " << at;
    }
}

}  // namespace
}  // namespace romwise::samples_test
