#include <cstddef>
#include <string_view>

#include "bios/identify_bios.h"

namespace romwise {

namespace {

constexpr std::string_view kAwardMarker = "Award";
// The last field goes when the field before it, between the last two '-',
// has at most 9 characters: the two '-' are at most 10 apart.
constexpr std::size_t kMaxDashDistance = 10;

}  // namespace

void ShortenAwardBiosId(const FixedText<80>& typeLine, FixedText<128>& idLine) {
    if (typeLine.view().find(kAwardMarker) == std::string_view::npos) {
        return;
    }
    const std::string_view line = idLine.view();
    // Position 0 is never looked at.
    const std::size_t last = line.find_last_of('-');
    if (last == std::string_view::npos || last == 0) {
        return;
    }
    const std::size_t previous = line.find_last_of('-', last - 1);
    if (previous == std::string_view::npos || previous == 0) {
        return;
    }
    if (last - previous > kMaxDashDistance) {
        return;
    }
    idLine.data()[last] = '\0';
}

}  // namespace romwise
