// American Megatrends BIOSes, Intel-licensed ones included. The ID comes from
// one of three layouts; a later layout overwrites an earlier one.
#include <string_view>

#include "bios/recognisers.h"
#include "bios/rom_search.h"

namespace romwise {

namespace {

constexpr std::string_view kMaker = "American Megatrends";
constexpr std::string_view kIntelMarker = "Intel Corporation";
constexpr std::string_view kIntelLicence = " licensed to Intel";

// Layout 1: the ID begins with the words "BIOS Version".
constexpr std::string_view kBiosVersion = "BIOS Version";
constexpr std::size_t kBiosVersionIdLength = 40;

// Layouts 2 and 3: an "AMIBIOS" header at 8000h or F400h, the ID 78h bytes
// after it.
constexpr std::string_view kHeader = "AMIBIOS";
constexpr std::size_t kHeaderIdLength = 64;
constexpr std::uint32_t kLowHeader = 0x8000;
constexpr std::uint32_t kLowHeaderId = 0x8078;
constexpr std::uint32_t kHighHeader = 0xF400;
constexpr std::uint32_t kHighHeaderId = 0xF478;
// The F400h layout adds a build tag to the ID and carries the sign-on.
constexpr std::uint32_t kBuildTagOffset = 0xF4F0;
constexpr std::size_t kBuildTagLength = 16;
constexpr std::uint32_t kSignOnOffset = 0xF532;
constexpr std::size_t kSignOnLength = 60;

}  // namespace

bool RecogniseAmi(BiosIdentity& bios) {
    if (FindInRom(bios, 0, kMaker) == 0) {
        return false;
    }
    bios.biosType.assign(kMaker);
    if (FindInRom(bios, 0, kIntelMarker) != 0) {
        bios.biosType.append(kIntelLicence);
    }
    if (const std::uint32_t found = FindInRom(bios, 0, kBiosVersion); found != 0) {
        bios.biosId.assign(RomText(bios, found - 1, kBiosVersionIdLength));
    }
    if (MatchAt(bios, kLowHeader, kHeader)) {
        bios.biosId.assign(RomText(bios, kLowHeaderId, kHeaderIdLength));
    }
    if (MatchAt(bios, kHighHeader, kHeader)) {
        bios.biosId.assign(RomText(bios, kHighHeaderId, kHeaderIdLength));
        bios.amiBuildTag.assign(RomText(bios, kBuildTagOffset, kBuildTagLength));
        bios.biosId.append("-");
        bios.biosId.append(bios.amiBuildTag.view());
        bios.oemSignOn.assign(RomText(bios, kSignOnOffset, kSignOnLength));
    }
    return true;
}

}  // namespace romwise
