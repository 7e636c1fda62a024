#include <algorithm>
#include <array>

#include "dmi/dmi_extraction.h"
#include "dmi/little_endian.h"
#include "dmi/scratch_copy.h"
#include "dmi/structure_walk.h"

namespace romwise {

namespace {

constexpr std::uint8_t kBiosInformationType = 0;
constexpr std::size_t kBiosHeadLength = 18;
constexpr std::size_t kRomSizeOffset = 0x09;
constexpr std::size_t kCharacteristicsOffset = 0x0A;
constexpr std::uint32_t kRomSizeUnit = 0x10000;

// The ROM size byte counts in 64 KiB units only in the structure lengths of
// SMBIOS 2.0 to 2.3 (12h to 14h).
bool HasRomSizeByte(std::uint8_t length) {
    return length >= 0x12 && length <= 0x14;
}

}  // namespace

void ExtractBiosInformation(const SmbiosContext& context, DmiSummary& summary) {
    std::array<std::uint8_t, kBiosHeadLength> head{};
    ScratchCopy copy(context.maxStructureSize());
    WalkStructuresOfType(context, kBiosInformationType, [&](const TableStructure& structure) {
        std::copy_n(structure.bytes, std::min<std::size_t>(head.size(), structure.remaining),
                    head.begin());
        copy.copyFrom(structure, kBiosInformationLayout);
        return false;
    });

    summary.romSizeBytes = HasRomSizeByte(head[1]) ? (head[kRomSizeOffset] + 1u) * kRomSizeUnit : 0;
    summary.biosCharacteristics = LoadDword(head, kCharacteristicsOffset);
    if (const auto version = copy.stringOfField(kBiosVersionField)) {
        summary.biosVersion.assign(*version);
    }
    if (const auto vendor = copy.stringOfField(kBiosVendorField)) {
        summary.biosVendor.assign(*vendor);
    }
    if (const auto date = copy.stringOfField(kBiosReleaseDateField)) {
        summary.biosReleaseDate.assign(*date);
    }
}

}  // namespace romwise
