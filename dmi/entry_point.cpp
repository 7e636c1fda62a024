#include "dmi/entry_point.h"

#include <algorithm>
#include <cstring>
#include <span>

#include "dmi/checksum.h"
#include "hw/rom_window.h"

namespace romwise {

namespace {

constexpr char kSmbiosAnchor[] = "_SM_";
constexpr char kDmiAnchor[] = "_DMI_";
constexpr std::size_t kSmbiosAnchorLength = sizeof(kSmbiosAnchor) - 1;
constexpr std::size_t kDmiAnchorLength = sizeof(kDmiAnchor) - 1;
constexpr std::size_t kEntryLengthOffset = 0x05;
constexpr std::uint32_t kSearchStep = 0x10;

bool HasAnchor(const std::uint8_t* at, std::uint32_t available, const char* anchor,
               std::size_t length) {
    return available >= length && std::memcmp(at, anchor, length) == 0;
}

// The `count` bytes add up to 0 modulo 256; false when they would run past
// the available bytes.
bool ChecksumIsZero(const std::uint8_t* at, std::uint32_t available, std::size_t count) {
    return count <= available && romwise::ChecksumIsZero(std::span<const std::uint8_t>(at, count));
}

bool IsSmbiosEntry(const std::uint8_t* at, std::uint32_t available) {
    return HasAnchor(at, available, kSmbiosAnchor, kSmbiosAnchorLength) &&
           available > kEntryLengthOffset && ChecksumIsZero(at, available, at[kEntryLengthOffset]);
}

bool IsLegacyEntry(const std::uint8_t* at, std::uint32_t available) {
    return HasAnchor(at, available, kDmiAnchor, kDmiAnchorLength) &&
           ChecksumIsZero(at, available, kDmiEntrySize);
}

// Copies what the window holds of `count` bytes; the rest stays zero.
void CopyEntry(const std::uint8_t* at, std::uint32_t available, std::size_t count,
               std::uint8_t* to) {
    std::copy_n(at, std::min<std::size_t>(count, available), to);
}

}  // namespace

TableWindowRange TableWindowFor(std::uint32_t tableAddress, std::uint16_t tableLength) {
    TableWindowRange range;
    range.address = tableAddress & ~(kTableWindowGranularity - 1);
    const std::uint64_t end = std::uint64_t{tableAddress} + tableLength;
    range.length = end - range.address > kTableWindowGranularity ? 2 * kTableWindowGranularity
                                                                 : kTableWindowGranularity;
    return range;
}

bool FindEntryPoint(DmiReader& reader, SmbiosContext& context) {
    if (!reader.open() || !reader.mapEntryWindow()) {
        return false;
    }
    const MemoryView& entryWindow = reader.entryWindow();
    const std::uint32_t windowLength = std::min(BytesAvailable(entryWindow, kRomBase), kRomLength);
    const std::uint8_t* window = BytesInView(entryWindow, kRomBase, windowLength);
    if (window == nullptr) {
        return false;
    }

    bool taken = false;
    std::uint32_t offset = 0;
    for (; offset < windowLength && !taken; offset += kSearchStep) {
        const std::uint8_t* at = window + offset;
        const std::uint32_t available = windowLength - offset;
        if (IsSmbiosEntry(at, available)) {
            CopyEntry(at, available, kSmbiosEntrySize, context.smbiosEntry.data());
            context.hasSmbiosEntry = 1;
            context.hasDmiEntry = 1;
            taken = true;
        } else if (IsLegacyEntry(at, available)) {
            CopyEntry(at, available, kDmiEntrySize, context.dmiEntry());
            context.hasDmiEntry = 1;
            taken = true;
        }
    }
    if (!taken) {
        return false;
    }
    context.found = 1;
    context.entrySegment = kEntrySegment;
    context.entryOffset = static_cast<std::uint16_t>(offset - kSearchStep);

    const TableWindowRange range = TableWindowFor(context.tableAddress(), context.tableLength());
    if (!reader.mapTableWindow(range.address, range.length)) {
        return false;
    }
    context.tableWindow = reader.tableWindow();
    return true;
}

}  // namespace romwise
