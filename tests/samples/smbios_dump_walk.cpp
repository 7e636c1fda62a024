#include "tests/samples/smbios_dump_walk.h"

#include <stdexcept>

#include "dmi/little_endian.h"

namespace romwise::samples_test {

namespace {

// A field the bytes must hold: one beyond them is a fault of the sample.
std::uint64_t Field(const std::vector<std::uint8_t>& b, std::size_t at, std::size_t width) {
    if (at + width > b.size()) {
        throw std::out_of_range("a field beyond the bytes");
    }
    return LoadLittleEndian(b, at, width);
}

std::uint16_t Word(const std::vector<std::uint8_t>& b, std::size_t at) {
    return static_cast<std::uint16_t>(Field(b, at, 2));
}

std::uint32_t Dword(const std::vector<std::uint8_t>& b, std::size_t at) {
    return static_cast<std::uint32_t>(Field(b, at, 4));
}

// Reads the strings from `from` and returns the offset just past the set's
// final NUL, or 0 when the set does not end before `end`. A structure
// without strings ends in two NULs.
std::size_t StringSetEnd(const std::vector<std::uint8_t>& b, std::size_t from, std::size_t end,
                         std::vector<std::string>& strings) {
    if (from + 2 <= end && b[from] == 0 && b[from + 1] == 0) {
        return from + 2;
    }
    std::size_t p = from;
    std::string current;
    while (p < end) {
        if (b[p] != 0) {
            current += static_cast<char>(b[p++]);
            continue;
        }
        if (current.empty()) {
            return p + 1;  // the NUL after the last string's NUL
        }
        strings.push_back(current);
        current.clear();
        ++p;
    }
    return 0;
}

}  // namespace

std::uint8_t DumpStructure::Byte(std::size_t offset) const {
    return formatted.at(offset);
}
std::uint16_t DumpStructure::Word(std::size_t offset) const {
    return samples_test::Word(formatted, offset);
}
std::uint32_t DumpStructure::Dword(std::size_t offset) const {
    return samples_test::Dword(formatted, offset);
}

std::optional<std::string> DumpStructure::StringAt(std::size_t fieldOffset) const {
    const std::uint8_t number = Byte(fieldOffset);
    if (number == 0 || number > strings.size()) {
        return std::nullopt;
    }
    return strings[number - 1];
}

DumpEntryPoint ReadEntryPoint(const std::vector<std::uint8_t>& dump) {
    if (dump.size() < 0x1F) {
        throw std::runtime_error("dump shorter than an entry point");
    }
    DumpEntryPoint entry;
    entry.length = dump[0x05];
    entry.major = dump[0x06];
    entry.minor = dump[0x07];
    entry.maxStructureSize = Word(dump, 0x08);
    entry.tableLength = Word(dump, 0x16);
    entry.tableAddress = Dword(dump, 0x18);
    entry.structureCount = Word(dump, 0x1C);
    entry.bcdRevision = dump[0x1E];
    return entry;
}

DumpWalk WalkDump(const std::vector<std::uint8_t>& dump) {
    DumpWalk walk;
    const DumpEntryPoint entry = ReadEntryPoint(dump);
    const std::size_t start = entry.tableAddress;
    const std::size_t end = start + entry.tableLength;
    if (end > dump.size()) {
        walk.error = "table runs past the end of the file";
        return walk;
    }
    std::size_t at = start;
    while (at < end) {
        if (end - at < 4) {
            walk.error = "fewer than 4 bytes left for a structure header";
            break;
        }
        DumpStructure s;
        s.type = dump[at];
        s.length = dump[at + 1];
        s.handle = Word(dump, at + 2);
        s.tableOffset = at - start;
        if (s.length < 4 || at + s.length > end) {
            walk.error = "formatted area outside the table";
            break;
        }
        s.formatted.assign(dump.begin() + static_cast<std::ptrdiff_t>(at),
                           dump.begin() + static_cast<std::ptrdiff_t>(at + s.length));
        const std::size_t p = StringSetEnd(dump, at + s.length, end, s.strings);
        if (p == 0) {
            walk.error = "string set without its double NUL";
            break;
        }
        s.totalLength = p - at;
        at = p;
        walk.structures.push_back(std::move(s));
        if (walk.structures.back().type == 127) {
            walk.endedAtEndOfTable = true;
            break;
        }
    }
    walk.bytesWalked = at - start;
    return walk;
}

}  // namespace romwise::samples_test
