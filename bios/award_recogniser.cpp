// Award BIOSes, the Phoenix-Award line included. The texts stand at fixed
// offsets of the Award runtime segment.
#include <algorithm>
#include <array>
#include <string_view>

#include "bios/recognisers.h"
#include "bios/rom_search.h"

namespace romwise {

namespace {

// Any one of these anywhere in the window makes an Award match; "Phoenix -
// AwardBIOS" therefore never reaches the Phoenix recogniser.
constexpr std::array<std::string_view, 3> kAwardMarkers = {
    "Award Software",
    "Phoenix - AwardBIOS",
    "Phoenix - Award",
};

struct RomField {
    std::uint32_t offset;
    std::size_t length;
};
constexpr RomField kType = {0xE061, 31};
constexpr RomField kId = {0xEC71, 47};
constexpr RomField kSignOn = {0xE0C1, 78};

}  // namespace

bool RecogniseAward(BiosIdentity& bios) {
    const bool found =
        std::any_of(kAwardMarkers.begin(), kAwardMarkers.end(),
                    [&](std::string_view marker) { return FindInRom(bios, 0, marker) != 0; });
    if (!found) {
        return false;
    }
    bios.biosType.assign(RomText(bios, kType.offset, kType.length));
    bios.biosId.assign(RomText(bios, kId.offset, kId.length));
    bios.oemSignOn.assign(RomText(bios, kSignOn.offset, kSignOn.length));
    return true;
}

}  // namespace romwise
