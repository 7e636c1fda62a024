#include "dmi/smbios_dump.h"

#include <algorithm>

#include "dmi/checksum.h"
#include "dmi/entry_point.h"
#include "dmi/smbios_context.h"

namespace romwise {

namespace {

constexpr std::uint32_t kDumpTableOffset = 0x20;

void PutLe(std::vector<std::uint8_t>& bytes, std::size_t at, std::uint64_t value, int width) {
    for (int i = 0; i < width; ++i) {
        bytes[at + static_cast<std::size_t>(i)] = static_cast<std::uint8_t>(value >> (8 * i));
    }
}

bool StartsWith(const std::vector<std::uint8_t>& bytes, std::string_view anchor) {
    return bytes.size() >= anchor.size() && std::equal(anchor.begin(), anchor.end(), bytes.begin());
}

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
    constexpr std::string_view kAnchor = "_SM3_";
    std::vector<std::uint8_t> entry(kSmbios3EntrySize, 0);
    std::copy(kAnchor.begin(), kAnchor.end(), entry.begin());
    entry[0x06] = static_cast<std::uint8_t>(kSmbios3EntrySize);
    entry[0x07] = major;
    entry[0x08] = minor;
    entry[0x09] = docRevision;
    entry[0x0A] = 0x01;  // entry point revision: SMBIOS 3.0
    PutLe(entry, 0x0C, maxSize, 4);
    PutLe(entry, 0x10, tableAddress, 8);
    SetChecksum(entry, 0, entry.size(), 0x05);
    return entry;
}

std::vector<std::uint8_t> DumpBin(const SmbiosTables& tables) {
    std::vector<std::uint8_t> dump(kDumpTableOffset + tables.table.size(), 0);
    std::copy(tables.table.begin(), tables.table.end(), dump.begin() + kDumpTableOffset);
    const std::size_t entryLength =
        std::min<std::size_t>(tables.entryPoint.size(), kDumpTableOffset);
    std::copy_n(tables.entryPoint.begin(), entryLength, dump.begin());
    if (StartsWith(tables.entryPoint, "_SM3_")) {
        PutLe(dump, 0x10, kDumpTableOffset, 8);
        SetChecksum(dump, 0, dump[0x06], 0x05);
    } else if (StartsWith(tables.entryPoint, "_SM_")) {
        PutLe(dump, 0x18, kDumpTableOffset, 4);
        SetChecksum(dump, 0x10, kDmiEntrySize, 0x15);
        SetChecksum(dump, 0, dump[0x05], 0x04);
    } else {
        PutLe(dump, 0x08, kDumpTableOffset, 4);
        SetChecksum(dump, 0, kDmiEntrySize, 0x05);
    }
    return dump;
}

}  // namespace romwise
