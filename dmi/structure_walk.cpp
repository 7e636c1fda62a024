#include "dmi/structure_walk.h"

#include <algorithm>
#include <memory>
#include <new>

#include "dmi/dmi_reader.h"

namespace romwise {

namespace {

constexpr std::uint8_t kMemoryControllerType = 5;
constexpr std::uint32_t kHeaderLength = 4;

// Memory Controller Information structures of early firmware may end at
// their formatted area without the double NUL: two NULs at f, or one string
// byte and two NULs at f + 1, mark a string set; anything else is taken to
// have none.
std::uint32_t MemoryControllerLength(const std::uint8_t* structure, std::uint32_t remaining) {
    const std::uint32_t f = structure[1];
    if (f + 2 > remaining) {
        return 0;
    }
    if (structure[f] == 0 && structure[f + 1] == 0) {
        return f + 2;
    }
    if (f + 3 > remaining) {
        return 0;
    }
    if (structure[f + 1] == 0 && structure[f + 2] == 0) {
        return f + 3;
    }
    return f;
}

}  // namespace

std::uint32_t StructureLength(const std::uint8_t* structure, std::uint32_t remaining) {
    if (structure == nullptr || remaining < 2) {
        return 0;
    }
    if (structure[0] == kMemoryControllerType) {
        return MemoryControllerLength(structure, remaining);
    }
    for (std::uint32_t x = structure[1]; x + 1 < remaining; ++x) {
        if (structure[x] == 0 && structure[x + 1] == 0) {
            return x + 2;
        }
    }
    return 0;
}

std::optional<std::string_view> StructureString(const std::uint8_t* copy, std::uint8_t number,
                                                std::uint16_t limit) {
    if (copy == nullptr || number == 0 || limit < 2) {
        return std::nullopt;
    }
    const char* const text = reinterpret_cast<const char*>(copy);
    const std::size_t end = limit - 1u;
    std::size_t position = copy[1];
    for (std::uint8_t count = 1;; ++count) {
        // An empty string ends the set: the double NUL after its last string.
        if (position >= end || text[position] == '\0') {
            return std::nullopt;
        }
        const char* stringEnd = std::find(text + position, text + end, '\0');
        const auto length = static_cast<std::size_t>(stringEnd - (text + position));
        if (count == number) {
            return std::string_view(text + position, length);
        }
        position += length + 1;
    }
}

void WalkStructures(const SmbiosContext& context, const StructureVisitor& visitor) {
    if (!context.hasSmbiosEntry && !context.hasDmiEntry && !context.hasSmbios3Entry) {
        return;
    }
    std::uint32_t tableLength = context.tableLength();
    if (context.hasSmbios3Entry) {
        // The maximum size is an upper bound, not the table's length.
        tableLength =
            std::min(tableLength, BytesAvailable(context.tableWindow, context.tableAddress()));
    }
    const std::uint8_t* table =
        BytesInView(context.tableWindow, context.tableAddress(), tableLength);
    if (table == nullptr) {
        return;
    }
    std::unique_ptr<std::uint8_t[]> copy(new (std::nothrow) std::uint8_t[tableLength + 1]);
    if (copy == nullptr) {
        return;
    }
    std::copy_n(table, tableLength, copy.get());
    const std::optional<std::uint16_t> count = context.structureCount();

    std::uint32_t remaining = tableLength;
    const std::uint8_t* current = copy.get();
    for (std::uint32_t visits = 0; (!count || visits < *count) && remaining >= kHeaderLength;
         ++visits) {
        const std::uint32_t length = StructureLength(current, remaining);
        if (length == 0 || length > remaining) {
            return;
        }
        if (!visitor(TableStructure{current, length, remaining})) {
            return;
        }
        if (!count && current[0] == kEndOfTableType) {
            return;
        }
        remaining -= length;
        current += length;
    }
}

void WalkStructuresOfType(const SmbiosContext& context, std::uint8_t type,
                          const StructureVisitor& visitor) {
    WalkStructures(context, [&](const TableStructure& structure) {
        return structure.type() != type || visitor(structure);
    });
}

}  // namespace romwise
