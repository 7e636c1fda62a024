#include "dmi/scratch_copy.h"

#include <algorithm>

namespace romwise {

namespace {

// Length of the string at `offset` into the string set, up to its NUL or the
// end of the table.
std::uint32_t StringLengthAt(const TableStructure& structure, std::uint32_t offset) {
    std::uint32_t length = 0;
    while (offset + length < structure.remaining && structure.bytes[offset + length] != 0) {
        ++length;
    }
    return length;
}

// Where string `number` of the set that starts at `stringSet` ends, its NUL
// included; 0 for number 0. A set with fewer strings ends at its double NUL
// or at the end of the table.
std::uint32_t EndOfString(const TableStructure& structure, std::uint32_t stringSet,
                          std::uint8_t number) {
    std::uint32_t position = stringSet;
    for (std::uint8_t current = 1; current <= number && position < structure.remaining; ++current) {
        const std::uint32_t length = StringLengthAt(structure, position);
        position += length + 1;
        if (length == 0) {
            break;
        }
    }
    return number == 0 ? 0 : std::min<std::uint32_t>(position, structure.remaining);
}

}  // namespace

std::uint32_t ScratchCopyLength(const TableStructure& structure, const ScratchLayout& layout) {
    const std::uint32_t stringSet = structure.formattedLength();
    std::uint32_t counted = 0;
    std::uint8_t highestNumber = 0;
    for (std::uint8_t i = 0; i < layout.stringFieldCount; ++i) {
        const std::uint8_t number = structure.byte(layout.stringFields[i]);
        if (number == 0) {
            continue;
        }
        highestNumber = std::max(highestNumber, number);
        if (i == 0) {
            counted = StringLengthAt(structure, stringSet);
        } else {
            counted += 1 + StringLengthAt(structure, stringSet + counted + 1);
        }
    }
    const std::uint32_t byCount = std::max<std::uint32_t>(layout.base, stringSet) + counted;
    return std::max(byCount, EndOfString(structure, stringSet, highestNumber));
}

void ScratchCopy::clear() {
    std::fill(bytes_.begin(), bytes_.end(), 0);
}

void ScratchCopy::copyFrom(const TableStructure& structure, const ScratchLayout& layout) {
    clear();
    const std::uint32_t length =
        std::min({ScratchCopyLength(structure, layout), static_cast<std::uint32_t>(bytes_.size()),
                  static_cast<std::uint32_t>(structure.remaining)});
    std::copy_n(structure.bytes, length, bytes_.begin());
}

std::optional<std::string_view> ScratchCopy::string(std::uint8_t number) const {
    return StructureString(
        bytes_.data(), number,
        static_cast<std::uint16_t>(std::min<std::size_t>(bytes_.size(), 0xFFFF)));
}

}  // namespace romwise
