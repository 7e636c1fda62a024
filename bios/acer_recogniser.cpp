// Acer's own BIOSes ("ACER" at 0010h) and BIOSes Acer built for other
// makers ("Acer Incorporated" anywhere).
#include <string_view>

#include "bios/recognisers.h"
#include "bios/rom_search.h"

namespace romwise {

namespace {

constexpr std::string_view kSignature = "ACER";
constexpr std::uint32_t kSignatureOffset = 0x0010;
constexpr std::string_view kOwnType = "Acer ";
constexpr std::string_view kBusMarker = "PCI/ISA";
constexpr std::string_view kOwnIdMarker = "ACR";

constexpr std::string_view kOemMarker = "Acer Incorporated";
constexpr std::string_view kOemType = "Acer OEM";
constexpr std::string_view kOemIdMarker = "IBM";

constexpr std::size_t kTextLength = 40;

void assignFromMarker(const BiosIdentity& bios, std::string_view marker, FixedText<128>& text) {
    if (const std::uint32_t found = FindInRom(bios, 0, marker); found != 0) {
        text.assign(RomText(bios, found - 1, kTextLength));
    }
}

}  // namespace

bool RecogniseAcer(BiosIdentity& bios) {
    if (MatchAt(bios, kSignatureOffset, kSignature)) {
        bios.biosType.assign(kOwnType);
        if (const std::uint32_t found = FindInRom(bios, 0, kBusMarker); found != 0) {
            bios.biosType.append(RomText(bios, found - 1, kTextLength));
        }
        assignFromMarker(bios, kOwnIdMarker, bios.biosId);
        return true;
    }
    if (FindInRom(bios, 0, kOemMarker) != 0) {
        bios.biosType.assign(kOemType);
        assignFromMarker(bios, kOemIdMarker, bios.biosId);
        return true;
    }
    return false;
}

}  // namespace romwise
