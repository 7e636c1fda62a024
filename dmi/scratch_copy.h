// A private copy of one structure, from which its strings are taken.
#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string_view>
#include <vector>

#include "dmi/little_endian.h"
#include "dmi/structure_walk.h"

namespace romwise {

// Which bytes of a structure type the copy takes: its formatted area (at
// least `base` bytes) and the strings that the listed string fields name,
// counted as if they were the first strings of the set in order.
struct ScratchLayout {
    std::uint8_t type = 0;
    std::uint8_t base = 0;
    std::array<std::uint8_t, 4> stringFields{};
    std::uint8_t stringFieldCount = 0;
};

// The string fields read: the BIOS Information's vendor, version and
// release date; the maker and model of System and Base Board Information.
inline constexpr std::uint8_t kBiosVendorField = 0x04;
inline constexpr std::uint8_t kBiosVersionField = 0x05;
inline constexpr std::uint8_t kBiosReleaseDateField = 0x08;
inline constexpr std::uint8_t kMakerField = 0x04;
inline constexpr std::uint8_t kModelField = 0x05;

inline constexpr ScratchLayout kBiosInformationLayout{
    0, 18, {kBiosVendorField, kBiosVersionField, kBiosReleaseDateField}, 3};
inline constexpr ScratchLayout kSystemInformationLayout{1, 25, {0x04, 0x05, 0x06, 0x07}, 4};
inline constexpr ScratchLayout kBaseBoardLayout{2, 8, {0x04, 0x05, 0x06, 0x07}, 4};
inline constexpr ScratchLayout kProcessorLayout{4, 35, {0x04, 0x07, 0x10}, 3};

// The bytes of `structure` that a copy by `layout` takes: the larger of the
// base and the formatted length, plus the counted string bytes; and at least
// up to the end of the highest-numbered string a listed field names, so that
// a string set in another order than the fields keeps that string whole.
std::uint32_t ScratchCopyLength(const TableStructure& structure, const ScratchLayout& layout);

// A zero-filled buffer of the entry point's Maximum Structure Size. Reads
// beyond it give 0.
class ScratchCopy {
  public:
    explicit ScratchCopy(std::uint16_t size) : bytes_(size, 0) {}

    void clear();
    // Clears the copy and copies the start of `structure` into it, never more
    // than the copy holds nor beyond the table.
    void copyFrom(const TableStructure& structure, const ScratchLayout& layout);

    std::uint8_t byte(std::size_t offset) const { return LoadByte(bytes_, offset); }
    std::uint16_t word(std::size_t offset) const { return LoadWord(bytes_, offset); }
    std::uint32_t dword(std::size_t offset) const { return LoadDword(bytes_, offset); }
    // The string that the field at `fieldOffset` names.
    std::optional<std::string_view> stringOfField(std::size_t fieldOffset) const {
        return string(byte(fieldOffset));
    }
    std::optional<std::string_view> string(std::uint8_t number) const;

  private:
    std::vector<std::uint8_t> bytes_;
};

}  // namespace romwise
