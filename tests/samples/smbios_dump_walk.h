// An independent reading of a dmidecode-format SMBIOS dump for the sample
// tests: the entry point fields and every structure with its strings.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace romwise::samples_test {

struct DumpEntryPoint {
    std::uint8_t length = 0;
    std::uint8_t major = 0;
    std::uint8_t minor = 0;
    std::uint16_t maxStructureSize = 0;
    std::uint16_t tableLength = 0;
    std::uint32_t tableAddress = 0;
    std::uint16_t structureCount = 0;
    std::uint8_t bcdRevision = 0;
};

struct DumpStructure {
    std::uint8_t type = 0;
    std::uint8_t length = 0;  // formatted area
    std::uint16_t handle = 0;
    std::size_t tableOffset = 0;
    std::size_t totalLength = 0;  // formatted area, strings, double NUL
    std::vector<std::uint8_t> formatted;
    std::vector<std::string> strings;

    std::uint8_t Byte(std::size_t offset) const;
    std::uint16_t Word(std::size_t offset) const;
    std::uint32_t Dword(std::size_t offset) const;
    // The string a string-number field names; nothing for 0 or a bad number.
    std::optional<std::string> StringAt(std::size_t fieldOffset) const;
};

struct DumpWalk {
    std::vector<DumpStructure> structures;
    bool endedAtEndOfTable = false;  // the last structure read is type 127
    std::size_t bytesWalked = 0;
    std::string error;  // why the walk stopped early, if it did
};

DumpEntryPoint ReadEntryPoint(const std::vector<std::uint8_t>& dump);
// Walks the table at the entry point's address, within its length, up to
// and including the first type 127 structure.
DumpWalk WalkDump(const std::vector<std::uint8_t>& dump);

}  // namespace romwise::samples_test
