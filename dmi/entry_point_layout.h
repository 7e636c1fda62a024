// The three SMBIOS entry points field by field: the 31-byte "_SM_" with its
// 15-byte "_DMI_" part at 10h, the legacy "_DMI_" alone, and the 24-byte
// 64-bit "_SM3_". The reader takes entry points apart by these; the dump
// writer and the machine profiles' placement of a dump point one at another
// table with SetEntryPointTableAddress.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <string_view>
#include <vector>

namespace romwise {

inline constexpr std::string_view kSmbiosAnchor = "_SM_";
inline constexpr std::string_view kDmiAnchor = "_DMI_";
inline constexpr std::string_view kSmbios3Anchor = "_SM3_";

inline constexpr std::size_t kSmbiosEntrySize = 31;
inline constexpr std::size_t kDmiEntrySize = 15;
inline constexpr std::size_t kDmiPartOffset = 0x10;  // the "_DMI_" part inside "_SM_"
inline constexpr std::size_t kSmbios3EntrySize = 24;

// Offsets of the fields, from the start of the entry point.
namespace smbios_entry {
inline constexpr std::size_t kChecksum = 0x04;
inline constexpr std::size_t kLength = 0x05;
inline constexpr std::size_t kMajorVersion = 0x06;
inline constexpr std::size_t kMinorVersion = 0x07;
inline constexpr std::size_t kMaxStructureSize = 0x08;
}  // namespace smbios_entry

// The legacy entry point, and the "_DMI_" part of "_SM_" from its own start.
namespace dmi_entry {
inline constexpr std::size_t kChecksum = 0x05;
inline constexpr std::size_t kTableLength = 0x06;     // word
inline constexpr std::size_t kTableAddress = 0x08;    // dword
inline constexpr std::size_t kStructureCount = 0x0C;  // word
}  // namespace dmi_entry

namespace smbios3_entry {
inline constexpr std::size_t kChecksum = 0x05;
inline constexpr std::size_t kLength = 0x06;
inline constexpr std::size_t kMajorVersion = 0x07;
inline constexpr std::size_t kMinorVersion = 0x08;
inline constexpr std::size_t kDocRevision = 0x09;
inline constexpr std::size_t kRevision = 0x0A;
inline constexpr std::size_t kTableMaxSize = 0x0C;  // dword
inline constexpr std::size_t kTableAddress = 0x10;  // qword
}  // namespace smbios3_entry

enum class EntryPointKind { Smbios, Legacy, Smbios3 };

// The kind whose anchor `bytes` begin with; nothing for none.
std::optional<EntryPointKind> EntryPointKindOf(std::span<const std::uint8_t> bytes);

// Where an entry point of `kind` at the start of `bytes` says its table is:
// for "_SM_" and "_DMI_" the Structure Table Address and Length, for "_SM3_"
// the address and the Structure Table Maximum Size. Fields past the end of
// `bytes` read as 0.
struct EntryPointTable {
    std::uint64_t address = 0;
    std::uint32_t length = 0;
};
EntryPointTable TableOfEntryPoint(std::span<const std::uint8_t> bytes, EntryPointKind kind);

// Points the entry point of `kind` at the start of `bytes` at a table at
// `tableAddress` and makes its checksums hold again: that of the whole entry
// point (as long as its length field says; 15 bytes for "_DMI_") and, for
// "_SM_", that of its "_DMI_" part. Of a checksummed range that runs past
// `bytes`, only the bytes there count. The address field must lie inside
// `bytes`.
void SetEntryPointTableAddress(std::vector<std::uint8_t>& bytes, EntryPointKind kind,
                               std::uint64_t tableAddress);

}  // namespace romwise
