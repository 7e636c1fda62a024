#include "dmi/entry_point_layout.h"

#include <algorithm>

#include "dmi/checksum.h"
#include "dmi/little_endian.h"

namespace romwise {

namespace {

bool StartsWith(std::span<const std::uint8_t> bytes, std::string_view anchor) {
    return bytes.size() >= anchor.size() &&
           std::equal(anchor.begin(), anchor.end(), bytes.begin(),
                      [](char a, std::uint8_t b) { return static_cast<std::uint8_t>(a) == b; });
}

}  // namespace

std::optional<EntryPointKind> EntryPointKindOf(std::span<const std::uint8_t> bytes) {
    if (StartsWith(bytes, kSmbios3Anchor)) {
        return EntryPointKind::Smbios3;
    }
    if (StartsWith(bytes, kSmbiosAnchor)) {
        return EntryPointKind::Smbios;
    }
    if (StartsWith(bytes, kDmiAnchor)) {
        return EntryPointKind::Legacy;
    }
    return std::nullopt;
}

EntryPointTable TableOfEntryPoint(std::span<const std::uint8_t> bytes, EntryPointKind kind) {
    switch (kind) {
        case EntryPointKind::Smbios3:
            return {LoadQword(bytes, smbios3_entry::kTableAddress),
                    LoadDword(bytes, smbios3_entry::kTableMaxSize)};
        case EntryPointKind::Smbios:
            bytes = bytes.subspan(std::min(bytes.size(), kDmiPartOffset));
            break;
        case EntryPointKind::Legacy:
            break;
    }
    return {LoadDword(bytes, dmi_entry::kTableAddress), LoadWord(bytes, dmi_entry::kTableLength)};
}

void SetEntryPointTableAddress(std::vector<std::uint8_t>& bytes, EntryPointKind kind,
                               std::uint64_t tableAddress) {
    switch (kind) {
        case EntryPointKind::Smbios3:
            StoreLittleEndian(bytes, smbios3_entry::kTableAddress, tableAddress, 8);
            SetChecksum(bytes, 0, bytes[smbios3_entry::kLength], smbios3_entry::kChecksum);
            break;
        case EntryPointKind::Smbios:
            StoreLittleEndian(bytes, kDmiPartOffset + dmi_entry::kTableAddress, tableAddress, 4);
            SetChecksum(bytes, kDmiPartOffset, kDmiEntrySize,
                        kDmiPartOffset + dmi_entry::kChecksum);
            SetChecksum(bytes, 0, bytes[smbios_entry::kLength], smbios_entry::kChecksum);
            break;
        case EntryPointKind::Legacy:
            StoreLittleEndian(bytes, dmi_entry::kTableAddress, tableAddress, 4);
            SetChecksum(bytes, 0, kDmiEntrySize, dmi_entry::kChecksum);
            break;
    }
}

}  // namespace romwise
