// Crafted ROM windows for the BIOS identification tests, and a driver that
// maps one of them at F0000h.
#pragma once

#include <gtest/gtest.h>

#include <cstdint>
#include <cstring>
#include <string>
#include <string_view>
#include <vector>

#include "bios/bios_identity.h"
#include "bios/identify_bios.h"
#include "bios/recogniser_chain.h"
#include "hw/hardware_driver.h"
#include "model/fixed_text.h"

namespace romwise::bios_test {

// A 64 KiB window filled with one byte ('.' unless told), into which tests
// write texts at chosen offsets. The buffer is exactly the window, so a read
// past offset FFFFh is a heap overflow that AddressSanitizer reports.
class CraftedRom {
  public:
    explicit CraftedRom(std::uint8_t filler = '.') : bytes_(kRomLength, filler) {}

    // Writes `text` at `offset`; a text that would run past the window is
    // cut at its end.
    CraftedRom& put(std::uint32_t offset, std::string_view text) {
        for (std::size_t i = 0; i < text.size() && offset + i < kRomLength; ++i) {
            bytes_[offset + i] = static_cast<std::uint8_t>(text[i]);
        }
        return *this;
    }

    const std::uint8_t* data() const { return bytes_.data(); }
    std::vector<std::uint8_t>& bytes() { return bytes_; }

    BiosIdentity identity() const {
        BiosIdentity bios;
        bios.romView = bytes_.data();
        return bios;
    }

  private:
    std::vector<std::uint8_t> bytes_;
};

// Maps a window held by the test, and only the BIOS ROM range.
class RomWindowDriver final : public HardwareDriver {
  public:
    explicit RomWindowDriver(const std::uint8_t* window) : window_(window) {}

    bool isActive() override { return true; }
    bool tryReadPortByte(std::uint32_t, std::uint8_t&) override { return false; }
    bool tryReadPortDword(std::uint32_t, std::uint32_t&) override { return false; }
    bool tryWritePortByte(std::uint32_t, std::uint8_t) override { return false; }
    bool tryWritePortDword(std::uint32_t, std::uint32_t) override { return false; }
    const std::uint8_t* mapPhysToLinear(std::uint32_t address, std::uint32_t length) override {
        ++mapCalls;
        if (address != kRomBase || length != kRomLength) {
            return nullptr;
        }
        return window_;
    }

    int mapCalls = 0;

  private:
    const std::uint8_t* window_;
};

// The four lines as the detection run hands them over.
struct BiosLines {
    FixedText<24> date;
    FixedText<80> type;
    FixedText<128> id;
    FixedText<80> signOn;
};

// The record after the recogniser chain, with the maker that matched.
struct ChainResult {
    BiosIdentity bios;
    BiosMaker maker = BiosMaker::None;
};

inline ChainResult RunChain(const CraftedRom& rom) {
    ChainResult result;
    result.bios = rom.identity();
    result.maker = ReadBiosIdentity(result.bios);
    return result;
}

// The lines IdentifyBios writes over lines that held `previous` before.
inline BiosLines IdentifyLines(const CraftedRom& rom, std::string_view previous = "") {
    RomWindowDriver driver(rom.data());
    BiosLines lines;
    lines.date.assign(previous);
    lines.type.assign(previous);
    lines.id.assign(previous);
    lines.signOn.assign(previous);
    const bool mapped = IdentifyBios(driver, lines.date, lines.type, lines.id, lines.signOn);
    EXPECT_TRUE(mapped);
    return lines;
}

}  // namespace romwise::bios_test
