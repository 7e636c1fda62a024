// MR BIOS: its name at E000h, the ID and type near the top of the window.
#include <array>
#include <string_view>

#include "bios/recognisers.h"
#include "bios/rom_search.h"

namespace romwise {

namespace {

constexpr std::string_view kMrBiosName = "MR BIOS (r)";
constexpr std::uint32_t kNameOffset = 0xE000;
// When the name also stands at FFA4h the type is the copy near the start of
// the window; otherwise the one at FFD2h.
constexpr std::uint32_t kAlternateNameOffset = 0xFFA4;
constexpr std::uint32_t kEarlyTypeOffset = 0x00B1;
constexpr std::uint32_t kLateTypeOffset = 0xFFD2;
constexpr std::size_t kTypeLength = 18;
constexpr std::uint32_t kIdOffset = 0xFFE7;
constexpr std::size_t kIdLength = 7;

struct SignOnRule {
    std::string_view marker;
    std::string_view signOn;
};
// Tried in this order; each one found overwrites the one before.
constexpr std::array<SignOnRule, 3> kSignOnRules = {{
    {"Engineering Sample", "Engineering Sample"},
    {"Evaluation Only", "Evaluation Only"},
    {"MRBIOS shareware evaluation", "Shareware"},
}};

}  // namespace

bool RecogniseMrBios(BiosIdentity& bios) {
    if (!MatchAt(bios, kNameOffset, kMrBiosName)) {
        return false;
    }
    bios.biosId.assign(RomText(bios, kIdOffset, kIdLength));
    const std::uint32_t typeOffset =
        MatchAt(bios, kAlternateNameOffset, kMrBiosName) ? kEarlyTypeOffset : kLateTypeOffset;
    bios.biosType.assign(RomText(bios, typeOffset, kTypeLength));
    for (const SignOnRule& rule : kSignOnRules) {
        if (FindInRom(bios, 0, rule.marker) != 0) {
            bios.oemSignOn.assign(rule.signOn);
        }
    }
    return true;
}

}  // namespace romwise
