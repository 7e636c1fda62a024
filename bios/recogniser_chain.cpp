#include "bios/recogniser_chain.h"

#include <array>

#include "bios/bios_lines.h"
#include "bios/recognisers.h"
#include "bios/rom_search.h"

namespace romwise {

namespace {

constexpr std::uint32_t kDateOffset = 0xFFF5;
constexpr std::size_t kDateLength = 8;
constexpr std::string_view kUnknown = "Unknown";

struct RecogniserEntry {
    BiosMaker maker;
    bool (*recognise)(BiosIdentity&);
};

// The order matters: Award runs before AMI and Phoenix, so a ROM with the
// texts of several makers is taken as the first one's.
constexpr std::array<RecogniserEntry, 7> kRecognisers = {{
    {BiosMaker::Award, RecogniseAward},
    {BiosMaker::MrBios, RecogniseMrBios},
    {BiosMaker::Ami, RecogniseAmi},
    {BiosMaker::Phoenix, RecognisePhoenix},
    {BiosMaker::Compaq, RecogniseCompaq},
    {BiosMaker::Acer, RecogniseAcer},
    {BiosMaker::SurePath, RecogniseSurePath},
}};

struct MakerName {
    BiosMaker maker;
    std::string_view name;
};
constexpr std::array<MakerName, 8> kMakerNames = {{
    {BiosMaker::None, "none"},
    {BiosMaker::Award, "Award"},
    {BiosMaker::MrBios, "MR BIOS"},
    {BiosMaker::Ami, "AMI"},
    {BiosMaker::Phoenix, "Phoenix"},
    {BiosMaker::Compaq, "Compaq"},
    {BiosMaker::Acer, "Acer"},
    {BiosMaker::SurePath, "IBM SurePath"},
}};

}  // namespace

std::string_view BiosMakerName(BiosMaker maker) {
    for (const MakerName& entry : kMakerNames) {
        if (entry.maker == maker) {
            return entry.name;
        }
    }
    return "?";
}

BiosMaker ReadBiosIdentity(BiosIdentity& bios) {
    bios.biosDate.assign(RomText(bios, kDateOffset, kDateLength));
    bios.biosType.assign(kUnknown);
    bios.biosId.assign(kUnknown);
    bios.oemSignOn.clear();
    BiosMaker maker = BiosMaker::None;
    for (const RecogniserEntry& entry : kRecognisers) {
        if (entry.recognise(bios)) {
            maker = entry.maker;
            break;
        }
    }
    CutAtLineBreak(bios.biosType);
    CutAtLineBreak(bios.biosId);
    return maker;
}

}  // namespace romwise
