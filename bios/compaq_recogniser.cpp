// Compaq's own BIOSes: "COMPAQ" just below the reset vector; ProLiant servers
// add their product text to the type.
#include <string_view>

#include "bios/recognisers.h"
#include "bios/rom_search.h"

namespace romwise {

namespace {

constexpr std::string_view kSignature = "COMPAQ";
constexpr std::uint32_t kSignatureOffset = 0xFFEA;
constexpr std::string_view kName = "COMPAQ ";
constexpr std::size_t kNameTypeLength = 40;
constexpr std::string_view kProLiant = "PROLIANT";
constexpr std::size_t kProLiantTypeLength = 40;
// The ProLiant text is looked for from 16 past the search result for the
// name (17 bytes after the name), or from offset 16 without a name.
constexpr std::uint32_t kProLiantSearchDistance = 16;

}  // namespace

bool RecogniseCompaq(BiosIdentity& bios) {
    if (!MatchAt(bios, kSignatureOffset, kSignature)) {
        return false;
    }
    bios.biosType.assign(kName);
    const std::uint32_t name = FindInRom(bios, 0, kName);
    if (name != 0) {
        bios.biosType.assign(RomText(bios, name - 1, kNameTypeLength));
    }
    if (const std::uint32_t found = FindInRom(bios, name + kProLiantSearchDistance, kProLiant);
        found != 0) {
        bios.biosType.append(RomText(bios, found - 1, kProLiantTypeLength));
    }
    return true;
}

}  // namespace romwise
