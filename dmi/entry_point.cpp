#include "dmi/entry_point.h"

#include <algorithm>
#include <span>

#include "dmi/checksum.h"
#include "dmi/entry_point_layout.h"
#include "dmi/structure_walk.h"
#include "hw/rom_window.h"

namespace romwise {

namespace {

constexpr std::uint32_t kSearchStep = 0x10;

bool HasAnchor(const std::uint8_t* at, std::uint32_t available, EntryPointKind kind) {
    return EntryPointKindOf(std::span<const std::uint8_t>(at, available)) == kind;
}

// The `count` bytes add up to 0 modulo 256; false when they would run past
// the available bytes.
bool ChecksumIsZero(const std::uint8_t* at, std::uint32_t available, std::size_t count) {
    return count <= available && romwise::ChecksumIsZero(std::span<const std::uint8_t>(at, count));
}

bool IsSmbiosEntry(const std::uint8_t* at, std::uint32_t available) {
    return HasAnchor(at, available, EntryPointKind::Smbios) && available > smbios_entry::kLength &&
           ChecksumIsZero(at, available, at[smbios_entry::kLength]);
}

bool IsLegacyEntry(const std::uint8_t* at, std::uint32_t available) {
    return HasAnchor(at, available, EntryPointKind::Legacy) &&
           ChecksumIsZero(at, available, kDmiEntrySize);
}

// "_SM3_", an Entry Point Length that holds the 24 bytes read from it, and
// those bytes adding up to 0.
bool IsSmbios3Entry(const std::uint8_t* at, std::uint32_t available) {
    return HasAnchor(at, available, EntryPointKind::Smbios3) &&
           available > smbios3_entry::kLength && at[smbios3_entry::kLength] >= kSmbios3EntrySize &&
           ChecksumIsZero(at, available, at[smbios3_entry::kLength]);
}

// Copies what the window holds of `count` bytes; the rest stays zero.
void CopyEntry(const std::uint8_t* at, std::uint32_t available, std::size_t count,
               std::uint8_t* to) {
    std::copy_n(at, std::min<std::size_t>(count, available), to);
}

// Takes the entry point at `at` into the context when it is one of the
// kinds `smbios3` asks for.
bool TakeEntry(const std::uint8_t* at, std::uint32_t available, bool smbios3,
               SmbiosContext& context) {
    if (smbios3) {
        if (!IsSmbios3Entry(at, available)) {
            return false;
        }
        CopyEntry(at, available, kSmbios3EntrySize, context.smbios3Entry.data());
        context.hasSmbios3Entry = 1;
    } else if (IsSmbiosEntry(at, available)) {
        CopyEntry(at, available, kSmbiosEntrySize, context.smbiosEntry.data());
        context.hasSmbiosEntry = 1;
        context.hasDmiEntry = 1;
    } else if (IsLegacyEntry(at, available)) {
        CopyEntry(at, available, kDmiEntrySize, context.dmiEntry());
        context.hasDmiEntry = 1;
    } else {
        return false;
    }
    context.found = 1;
    return true;
}

// The first offset of the window that holds an entry point of the kinds
// `smbios3` asks for.
bool SearchWindow(const std::uint8_t* window, std::uint32_t windowLength, bool smbios3,
                  SmbiosContext& context) {
    for (std::uint32_t offset = 0; offset < windowLength; offset += kSearchStep) {
        if (TakeEntry(window + offset, windowLength - offset, smbios3, context)) {
            context.entrySegment = kEntrySegment;
            context.entryOffset = static_cast<std::uint16_t>(offset);
            return true;
        }
    }
    return false;
}

// A "_SM3_" table gives no Maximum Structure Size; the scratch copies take
// the longest structure of the table instead.
void MeasureLongestStructure(SmbiosContext& context) {
    if (!context.hasSmbios3Entry) {
        return;
    }
    std::uint32_t longest = 0;
    WalkStructures(context, [&](const TableStructure& structure) {
        longest = std::max(longest, structure.length);
        return true;
    });
    context.longestStructure = static_cast<std::uint16_t>(std::min<std::uint32_t>(longest, 0xFFFF));
}

}  // namespace

TableWindowRange TableWindowFor(std::uint64_t tableAddress, std::uint32_t tableLength) {
    constexpr std::uint64_t kGranularity = kTableWindowGranularity;
    TableWindowRange range;
    range.address = tableAddress & ~(kGranularity - 1);
    const std::uint64_t end = tableAddress + tableLength;
    const std::uint64_t windows =
        std::max<std::uint64_t>(1, (end - range.address + kGranularity - 1) / kGranularity);
    range.length = static_cast<std::uint32_t>(windows * kGranularity);
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
    // "_SM3_" counts only where the window holds neither 32-bit kind, so a
    // table with both is read through "_SM_" as before.
    if (!SearchWindow(window, windowLength, false, context) &&
        !SearchWindow(window, windowLength, true, context)) {
        return false;
    }

    const TableWindowRange range = TableWindowFor(context.tableAddress(), context.tableLength());
    if (!reader.mapTableWindow(range.address, range.length)) {
        return false;
    }
    context.tableWindow = reader.tableWindow();
    MeasureLongestStructure(context);
    return true;
}

bool TakeFirmwareTables(DmiReader& reader, SmbiosContext& context) {
    const SmbiosTables* tables = reader.firmwareTables();
    if (tables == nullptr || tables->table.empty()) {
        return false;
    }
    const std::vector<std::uint8_t>& entry = tables->entryPoint;
    const auto available = static_cast<std::uint32_t>(std::min<std::size_t>(entry.size(), 0xFF));
    // The kernel offers the firmware's entry point of either width.
    if (!TakeEntry(entry.data(), available, false, context) &&
        !TakeEntry(entry.data(), available, true, context)) {
        return false;
    }
    const auto& table = tables->table;
    context.tableWindow =
        MemoryView{table.data(), context.tableAddress(),
                   static_cast<std::uint32_t>(std::min<std::size_t>(table.size(), 0xFFFFFFFFu))};
    MeasureLongestStructure(context);
    return true;
}

}  // namespace romwise
