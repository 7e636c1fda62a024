// IBM SurePath BIOSes: type from the product text, ID and sign-on from fixed
// offsets.
#include <string_view>

#include "bios/recognisers.h"
#include "bios/rom_search.h"

namespace romwise {

namespace {

constexpr std::string_view kMarker = "SurePath";
constexpr std::size_t kLength = 60;
constexpr std::uint32_t kIdOffset = 0xE000;
constexpr std::uint32_t kSignOnOffset = 0xFFA1;

}  // namespace

bool RecogniseSurePath(BiosIdentity& bios) {
    const std::uint32_t found = FindInRom(bios, 0, kMarker);
    if (found == 0) {
        return false;
    }
    bios.biosType.assign(RomText(bios, found - 1, kLength));
    bios.biosId.assign(RomText(bios, kIdOffset, kLength));
    bios.oemSignOn.assign(RomText(bios, kSignOnOffset, kLength));
    return true;
}

}  // namespace romwise
