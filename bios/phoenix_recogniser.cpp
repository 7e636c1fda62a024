// Phoenix Technologies BIOSes, Intel- and Dell-licensed ones included. The
// type comes from the product name, the ID from one of several OEM markers;
// a later ID rule overwrites an earlier one.
#include <array>
#include <cstring>
#include <string_view>

#include "bios/recognisers.h"
#include "bios/rom_search.h"

namespace romwise {

namespace {

constexpr std::string_view kMaker = "Phoenix Technologies";
constexpr std::string_view kPlainType = "Phoenix";

// The first product name found gives the type.
constexpr std::array<std::string_view, 3> kProductNames = {
    "PhoenixBIOS",
    "Phoenix ROM BIOS",
    "Phoenix NoteBIOS",
};
constexpr std::size_t kProductTypeLength = 60;

struct Licence {
    std::string_view marker;
    std::string_view suffix;
};
// Each licensee found adds its suffix, in this order.
constexpr std::array<Licence, 2> kLicences = {{
    {"Intel Corporation", " licensed to Intel"},
    {"Dell Computer Corp", " licensed to Dell"},
}};

// The first of these found gives the ID.
constexpr std::array<std::string_view, 3> kProductIdMarkers = {
    "80486 ROM BIOS",
    "A486 Version",
    "OptiPlex",
};
constexpr std::size_t kProductIdLength = 40;

// The ID follows this marker directly.
constexpr std::string_view kIbiosiMarker = "$IBIOSI$";
constexpr std::size_t kIbiosiIdLength = 40;

// Sanyo notebooks: the model stands 27 bytes after the marker.
constexpr std::string_view kSanyoMarker = "Sanyo Notebook";
constexpr std::string_view kSanyoPrefix = "Sanyo Notebook ";
constexpr std::uint32_t kSanyoModelDistance = 27;
constexpr std::size_t kSanyoModelLength = 25;

// Compaq PCs: name and model as NUL-separated texts, ended by two NULs.
constexpr std::string_view kCompaqPcMarker = "Compaq PC";
constexpr std::size_t kCompaqPcLength = 60;

std::uint32_t firstFound(const BiosIdentity& bios, std::span<const std::string_view> texts) {
    for (std::string_view text : texts) {
        if (const std::uint32_t found = FindInRom(bios, 0, text); found != 0) {
            return found;
        }
    }
    return 0;
}

// The Compaq PC area with each single NUL turned into a blank; the first NUL
// followed by another NUL (or by the end of the area) ends the text.
void assignCompaqPcId(const BiosIdentity& bios, std::uint32_t offset, FixedText<128>& biosId) {
    const std::span<const std::uint8_t> bytes = RomBytes(bios, offset, kCompaqPcLength);
    std::array<char, kCompaqPcLength + 1> area{};
    std::memcpy(area.data(), bytes.data(), bytes.size());
    std::size_t end = bytes.size();
    for (std::size_t i = 0; i < bytes.size(); ++i) {
        if (area[i] != '\0') {
            continue;
        }
        if (area[i + 1] == '\0') {
            end = i;
            break;
        }
        area[i] = ' ';
    }
    biosId.assign(std::string_view(area.data(), end));
}

}  // namespace

bool RecognisePhoenix(BiosIdentity& bios) {
    if (FindInRom(bios, 0, kMaker) == 0) {
        return false;
    }
    bios.biosType.assign(kPlainType);
    if (const std::uint32_t found = firstFound(bios, kProductNames); found != 0) {
        bios.biosType.assign(RomText(bios, found - 1, kProductTypeLength));
        for (const Licence& licence : kLicences) {
            if (FindInRom(bios, 0, licence.marker) != 0) {
                bios.biosType.append(licence.suffix);
            }
        }
    }
    if (const std::uint32_t found = firstFound(bios, kProductIdMarkers); found != 0) {
        bios.biosId.assign(RomText(bios, found - 1, kProductIdLength));
    }
    if (const std::uint32_t found = FindInRom(bios, 0, kIbiosiMarker); found != 0) {
        const std::uint32_t after = found - 1 + static_cast<std::uint32_t>(kIbiosiMarker.size());
        bios.biosId.assign(RomText(bios, after, kIbiosiIdLength));
    }
    if (const std::uint32_t found = FindInRom(bios, 0, kSanyoMarker); found != 0) {
        bios.biosId.assign(kSanyoPrefix);
        bios.biosId.append(RomText(bios, found - 1 + kSanyoModelDistance, kSanyoModelLength));
    }
    if (const std::uint32_t found = FindInRom(bios, 0, kCompaqPcMarker); found != 0) {
        assignCompaqPcId(bios, found - 1, bios.biosId);
    }
    return true;
}

}  // namespace romwise
