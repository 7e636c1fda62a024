#include "dmi/smbios_dump.h"

#include <algorithm>

#include "dmi/entry_point.h"
#include "dmi/entry_point_layout.h"
#include "dmi/little_endian.h"
#include "dmi/smbios_context.h"

namespace romwise {

namespace {

constexpr std::uint32_t kDumpTableOffset = 0x20;

// The entry point bytes the context took, at their own length.
std::vector<std::uint8_t> EntryBytes(const SmbiosContext& context) {
    if (context.hasSmbios3Entry) {
        return {context.smbios3Entry.begin(), context.smbios3Entry.end()};
    }
    if (context.hasSmbiosEntry) {
        return {context.smbiosEntry.begin(), context.smbiosEntry.end()};
    }
    return {context.dmiEntry(), context.dmiEntry() + kDmiEntrySize};
}

std::optional<std::vector<std::uint8_t>> TableBytes(const SmbiosContext& context) {
    std::uint32_t length = context.tableLength();
    if (context.hasSmbios3Entry) {
        length = std::min(length, BytesAvailable(context.tableWindow, context.tableAddress()));
    }
    const std::uint8_t* table = BytesInView(context.tableWindow, context.tableAddress(), length);
    if (table == nullptr) {
        return std::nullopt;
    }
    return std::vector<std::uint8_t>(table, table + length);
}

}  // namespace

std::optional<FoundTables> ReadSmbiosTables(DmiReader& reader) {
    std::optional<FoundTables> found;
    SmbiosContext context;
    bool inMemory = FindEntryPoint(reader, context);
    if (!inMemory) {
        context = SmbiosContext{};
    }
    if (inMemory || TakeFirmwareTables(reader, context)) {
        if (auto table = TableBytes(context)) {
            found = FoundTables{SmbiosTables{EntryBytes(context), std::move(*table)}, inMemory};
        }
    }
    reader.release();
    return found;
}

std::vector<std::uint8_t> Smbios3EntryPointFor(std::uint8_t major, std::uint8_t minor,
                                               std::uint8_t docRevision, std::uint32_t maxSize,
                                               std::uint64_t tableAddress) {
    std::vector<std::uint8_t> entry(kSmbios3EntrySize, 0);
    std::copy(kSmbios3Anchor.begin(), kSmbios3Anchor.end(), entry.begin());
    entry[smbios3_entry::kLength] = static_cast<std::uint8_t>(kSmbios3EntrySize);
    entry[smbios3_entry::kMajorVersion] = major;
    entry[smbios3_entry::kMinorVersion] = minor;
    entry[smbios3_entry::kDocRevision] = docRevision;
    entry[smbios3_entry::kRevision] = 0x01;  // SMBIOS 3.0
    StoreLittleEndian(entry, smbios3_entry::kTableMaxSize, maxSize, 4);
    SetEntryPointTableAddress(entry, EntryPointKind::Smbios3, tableAddress);
    return entry;
}

std::vector<std::uint8_t> DumpBin(const SmbiosTables& tables) {
    std::vector<std::uint8_t> dump(kDumpTableOffset + tables.table.size(), 0);
    std::copy(tables.table.begin(), tables.table.end(), dump.begin() + kDumpTableOffset);
    const std::size_t entryLength =
        std::min<std::size_t>(tables.entryPoint.size(), kDumpTableOffset);
    std::copy_n(tables.entryPoint.begin(), entryLength, dump.begin());
    // The reading gives only the three kinds; anything else is written as
    // the bare "_DMI_" one.
    SetEntryPointTableAddress(dump,
                              EntryPointKindOf(tables.entryPoint).value_or(EntryPointKind::Legacy),
                              kDumpTableOffset);
    return dump;
}

}  // namespace romwise
