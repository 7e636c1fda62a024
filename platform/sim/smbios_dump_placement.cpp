#include "platform/sim/smbios_dump_placement.h"

#include <algorithm>
#include <optional>
#include <string>

#include "dmi/entry_point_layout.h"
#include "dmi/little_endian.h"
#include "hw/rom_window.h"
#include "platform/sim/profile_fields.h"
#include "platform/sim/sim_physical_memory.h"

namespace romwise::sim {

namespace {

constexpr std::uint64_t kSmbiosTableAddress = 0xE0000;
constexpr std::uint64_t kMaxSmbiosTable = 0x10000;
constexpr std::size_t kSlotSize = 32;
constexpr std::size_t kSlotAlignment = 16;

struct DumpLayout {
    EntryPointKind kind;
    std::size_t entryLength;  // bytes of the entry point to copy
    std::uint64_t tableOffset;
    std::uint64_t tableLength;
};

[[noreturn]] void fail(const std::string& problem) {
    throw SmbiosDumpError(problem);
}

// Where a dump's entry point and table are, checked against the file.
DumpLayout layoutOf(const std::vector<std::uint8_t>& dump) {
    const std::optional<EntryPointKind> kind = EntryPointKindOf(dump);
    if (!kind) {
        fail("not an SMBIOS dump: no \"_SM_\", \"_SM3_\" or \"_DMI_\" entry point at offset 0");
    }
    // The bytes to copy: at least the entry point's own size, and as many
    // as its length field says.
    const auto atLeast = [&](std::size_t size, std::size_t lengthField) {
        return std::max<std::size_t>(size, LoadByte(dump, lengthField));
    };
    std::size_t entryLength = kDmiEntrySize;
    if (*kind == EntryPointKind::Smbios3) {
        entryLength = atLeast(kSmbios3EntrySize, smbios3_entry::kLength);
    } else if (*kind == EntryPointKind::Smbios) {
        entryLength = atLeast(kSmbiosEntrySize, smbios_entry::kLength);
    }
    if (entryLength > kSlotSize) {
        fail("the entry point length " + hexText(entryLength) + " is over 32 bytes");
    }
    if (dump.size() < entryLength) {
        fail("the file ends inside the entry point (" + std::to_string(dump.size()) + " bytes)");
    }

    const EntryPointTable table = TableOfEntryPoint(dump, *kind);
    std::uint64_t tableLength = table.length;
    const std::uint64_t tableAddress = table.address;
    // The address field names a file offset. Some tools save memory from
    // E0000h with the machine's own address left in place; such a file is
    // read at the address less E0000h. A "_SM3_" entry point gives only the
    // table's maximum size: its table is what the file holds up to that.
    const auto fits = [&](std::uint64_t offset) {
        if (offset > dump.size()) {
            return false;
        }
        if (*kind == EntryPointKind::Smbios3) {
            tableLength = std::min<std::uint64_t>(tableLength, dump.size() - offset);
        }
        return tableLength <= dump.size() - offset;
    };
    std::uint64_t tableOffset = tableAddress;
    if (!fits(tableOffset)) {
        if (tableAddress >= kSmbiosTableAddress && fits(tableAddress - kSmbiosTableAddress)) {
            tableOffset = tableAddress - kSmbiosTableAddress;
        } else {
            fail("the structure table (" + std::to_string(tableLength) + " bytes at " +
                 hexText(tableAddress) + ") runs past the end of the file (" +
                 std::to_string(dump.size()) + " bytes)");
        }
    }
    if (tableLength > kMaxSmbiosTable) {
        fail("the structure table (" + std::to_string(tableLength) + " bytes) is over 64 KiB");
    }
    return DumpLayout{*kind, entryLength, tableOffset, tableLength};
}

// Puts `patch` over the memory. When the last region touching its range
// holds all of it, the bytes go into that region, so the ROM window stays one
// region that readers can use without putting it together; otherwise the
// patch becomes a region of its own, laid over the others.
void placeOver(std::vector<MemoryRegion>& memory, MemoryRegion patch) {
    const std::uint64_t end = patch.address + patch.bytes.size();
    for (auto region = memory.rbegin(); region != memory.rend(); ++region) {
        const std::uint64_t regionEnd = region->address + region->bytes.size();
        if (region->address >= end || regionEnd <= patch.address) {
            continue;
        }
        if (region->address <= patch.address && regionEnd >= end) {
            std::copy(patch.bytes.begin(), patch.bytes.end(),
                      region->bytes.begin() +
                          static_cast<std::ptrdiff_t>(patch.address - region->address));
            return;
        }
        break;
    }
    memory.push_back(std::move(patch));
}

}  // namespace

SmbiosTables splitSmbiosDump(const std::vector<std::uint8_t>& dump) {
    const DumpLayout layout = layoutOf(dump);
    const auto tableStart = dump.begin() + static_cast<std::ptrdiff_t>(layout.tableOffset);
    return SmbiosTables{
        std::vector<std::uint8_t>(dump.begin(),
                                  dump.begin() + static_cast<std::ptrdiff_t>(layout.entryLength)),
        std::vector<std::uint8_t>(tableStart,
                                  tableStart + static_cast<std::ptrdiff_t>(layout.tableLength))};
}

void placeSmbiosDump(const std::vector<std::uint8_t>& dump, std::vector<MemoryRegion>& memory) {
    const auto [kind, entryLength, tableOffset, tableLength] = layoutOf(dump);
    std::vector<std::uint8_t> entryPoint(dump.begin(),
                                         dump.begin() + static_cast<std::ptrdiff_t>(entryLength));
    SetEntryPointTableAddress(entryPoint, kind, kSmbiosTableAddress);

    // The first 16-byte-aligned 32-byte run of the ROM window that is all
    // 00h or all FFh takes the entry point.
    // Each candidate is read on its own, so the window is never put together.
    const SimPhysicalMemory physical(memory);
    std::optional<std::uint64_t> slot;
    for (std::size_t offset = 0; offset + kSlotSize <= kRomLength && !slot;
         offset += kSlotAlignment) {
        const std::vector<std::uint8_t> candidate = physical.read(kRomBase + offset, kSlotSize);
        const auto run = candidate.begin();
        const auto isAll = [&](std::uint8_t fill) {
            return std::all_of(run, run + kSlotSize, [fill](std::uint8_t b) { return b == fill; });
        };
        if (isAll(0x00) || isAll(0xFF)) {
            slot = offset;
        }
    }
    if (!slot) {
        fail(
            "no room for the entry point in the ROM window F0000h-FFFFFh (no 16-byte-aligned "
            "run of 32 bytes that are all 00h or all FFh)");
    }

    const auto tableStart = dump.begin() + static_cast<std::ptrdiff_t>(tableOffset);
    memory.push_back(
        MemoryRegion{kSmbiosTableAddress,
                     std::vector<std::uint8_t>(
                         tableStart, tableStart + static_cast<std::ptrdiff_t>(tableLength))});
    placeOver(memory, MemoryRegion{kRomBase + *slot, std::move(entryPoint)});
}

}  // namespace romwise::sim
