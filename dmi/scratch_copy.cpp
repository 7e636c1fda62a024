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

}  // namespace

std::uint32_t ScratchCopyLength(const TableStructure& structure, const ScratchLayout& layout) {
    const std::uint32_t stringSet = structure.formattedLength();
    std::uint32_t counted = 0;
    for (std::uint8_t i = 0; i < layout.stringFieldCount; ++i) {
        if (structure.byte(layout.stringFields[i]) == 0) {
            continue;
        }
        if (i == 0) {
            counted = StringLengthAt(structure, stringSet);
        } else {
            counted += 1 + StringLengthAt(structure, stringSet + counted + 1);
        }
    }
    return std::max<std::uint32_t>(layout.base, structure.formattedLength()) + counted;
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
