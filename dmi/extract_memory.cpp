#include <algorithm>
#include <cstdint>
#include <limits>

#include "dmi/dmi_extraction.h"
#include "dmi/structure_walk.h"

namespace romwise {

namespace {

constexpr std::uint8_t kMemoryControllerType = 5;
constexpr std::uint8_t kMemoryModuleType = 6;
constexpr std::uint8_t kPhysicalMemoryArrayType = 16;
constexpr std::uint8_t kMemoryDeviceType = 17;

constexpr std::size_t kDeviceSizeOffset = 0x0C;
constexpr std::uint16_t kDeviceSizeInKilobytes = 0x8000;
// A Size of 7FFFh means "32 GB or more: see Extended Size", a dword of
// megabytes whose bit 31 is reserved, where the structure holds it.
constexpr std::uint16_t kDeviceSizeIsExtended = 0x7FFF;
constexpr std::size_t kDeviceExtendedSizeOffset = 0x1C;
constexpr std::uint32_t kDeviceExtendedSizeMask = 0x7FFFFFFF;
constexpr std::size_t kModuleInstalledSizeOffset = 0x0A;
constexpr std::uint8_t kModuleSizeCodeMask = 0x7F;
constexpr std::uint8_t kModuleSizeNotDeterminable = 0x7D;  // 7Eh not enabled, 7Fh not installed
constexpr std::size_t kArrayMaximumCapacityOffset = 0x07;
// A Maximum Capacity of 80000000h means "2 TB or more: see Extended Maximum
// Capacity", a qword of bytes, where the structure holds it.
constexpr std::uint32_t kArrayCapacityIsExtended = 0x80000000u;
constexpr std::size_t kArrayExtendedCapacityOffset = 0x0F;
constexpr std::size_t kControllerMaximumModuleOffset = 0x08;
constexpr std::uint8_t kControllerModuleSizeMask = 0x1F;
constexpr std::size_t kControllerSlotCountOffset = 0x0E;

constexpr std::uint32_t kMaxMegabytes = std::numeric_limits<std::uint32_t>::max();

std::uint32_t SaturatingAdd(std::uint32_t a, std::uint32_t b) {
    return b > kMaxMegabytes - a ? kMaxMegabytes : a + b;
}

// Whether the formatted area holds the `width` bytes at `offset`.
bool Holds(const TableStructure& structure, std::size_t offset, std::size_t width) {
    return structure.formattedLength() >= offset + width;
}

// Sizes of 0, sizes in kilobytes (bit 15) and FFFFh (not known) do not count.
std::uint32_t MemoryDeviceMegabytes(const TableStructure& device) {
    const std::uint16_t size = device.word(kDeviceSizeOffset);
    if (size == kDeviceSizeIsExtended && Holds(device, kDeviceExtendedSizeOffset, 4)) {
        return device.dword(kDeviceExtendedSizeOffset) & kDeviceExtendedSizeMask;
    }
    return (size == 0 || (size & kDeviceSizeInKilobytes) != 0) ? 0 : size;
}

// 2 to the power of the size code, in MB. The codes 7Dh to 7Fh say the size
// is not there; codes from 20h up, which no module reaches, count as none.
std::uint32_t MemoryModuleMegabytes(const TableStructure& module) {
    const std::uint8_t code = module.byte(kModuleInstalledSizeOffset) & kModuleSizeCodeMask;
    if (code >= kModuleSizeNotDeterminable || code >= 32) {
        return 0;
    }
    return std::uint32_t{1} << code;
}

using SizeRule = std::uint32_t (*)(const TableStructure&);

std::uint32_t SumOfType(const SmbiosContext& context, std::uint8_t type, SizeRule size) {
    std::uint32_t sum = 0;
    WalkStructuresOfType(context, type, [&](const TableStructure& structure) {
        sum = SaturatingAdd(sum, size(structure));
        return true;
    });
    return sum;
}

}  // namespace

void ExtractInstalledMemory(const SmbiosContext& context, DmiSummary& summary,
                            MemorySlotSizes& slots) {
    std::uint8_t type = kMemoryDeviceType;
    SizeRule size = MemoryDeviceMegabytes;
    std::uint32_t sum = SumOfType(context, type, size);
    if (sum == 0) {
        type = kMemoryModuleType;
        size = MemoryModuleMegabytes;
        sum = SumOfType(context, type, size);
    }
    WalkStructuresOfType(context, type, [&](const TableStructure& structure) {
        return slots.append(size(structure)) && slots.count < slots.capacity;
    });
    summary.installedMemoryMb = sum;
}

void ExtractMaximumMemory(const SmbiosContext& context, DmiSummary& summary) {
    std::uint32_t capacityKb = 0;
    std::uint64_t capacityMb = 0;
    WalkStructuresOfType(context, kPhysicalMemoryArrayType, [&](const TableStructure& array) {
        capacityKb = array.dword(kArrayMaximumCapacityOffset);
        if (capacityKb == kArrayCapacityIsExtended &&
            Holds(array, kArrayExtendedCapacityOffset, 8)) {
            const std::uint64_t bytes = std::uint64_t{array.dword(kArrayExtendedCapacityOffset)} |
                                        std::uint64_t{array.dword(kArrayExtendedCapacityOffset + 4)}
                                            << 32;
            capacityMb = bytes >> 20;
        } else {
            capacityMb = capacityKb >> 10;
        }
        return false;
    });
    if (capacityKb != 0) {
        summary.maxMemoryMb =
            static_cast<std::uint32_t>(std::min<std::uint64_t>(capacityMb, kMaxMegabytes));
        return;
    }
    std::uint64_t fromController = 0;
    WalkStructuresOfType(context, kMemoryControllerType, [&](const TableStructure& controller) {
        const unsigned code =
            controller.byte(kControllerMaximumModuleOffset) & kControllerModuleSizeMask;
        fromController = (std::uint64_t{1} << code) * controller.byte(kControllerSlotCountOffset);
        return false;
    });
    summary.maxMemoryMb =
        static_cast<std::uint32_t>(std::min<std::uint64_t>(fromController, kMaxMegabytes));
}

}  // namespace romwise
