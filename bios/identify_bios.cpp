#include "bios/identify_bios.h"

#include <array>
#include <cstring>

namespace romwise {

namespace {

constexpr std::uint32_t kDateOffset = 0xFFF5;
constexpr std::size_t kDateLength = 8;

// Copies `length` raw ROM bytes; a NUL among them ends the text early.
template <std::size_t N>
void copyRomText(const std::uint8_t* rom, std::uint32_t offset, std::size_t length,
                 FixedText<N>& out) {
    if (offset >= kRomLength) {
        out.clear();
        return;
    }
    if (length > kRomLength - offset) {
        length = kRomLength - offset;
    }
    const char* start = reinterpret_cast<const char*>(rom + offset);
    out.assign(std::string_view(start, strnlen(start, length)));
}

// Keeps leading line breaks and cuts the text at the first line break after them.
template <std::size_t N>
void cutAtLineBreak(FixedText<N>& text) {
    char* bytes = text.data();
    std::size_t i = 0;
    while (bytes[i] == '\r' || bytes[i] == '\n') {
        ++i;
    }
    for (; bytes[i] != '\0'; ++i) {
        if (bytes[i] == '\r' || bytes[i] == '\n') {
            bytes[i] = '\0';
            return;
        }
    }
}

void FormatBiosLines(const BiosIdentity& bios, FixedText<24>& dateLine, FixedText<80>& typeLine,
                     FixedText<128>& idLine, FixedText<80>& signOnLine) {
    dateLine.format("BIOS Date: %s", bios.biosDate.c_str());
    typeLine.format("BIOS Type: %s", bios.biosType.c_str());
    idLine.format("BIOS ID:   %s", bios.biosId.c_str());
    if (!bios.oemSignOn.empty() && !(bios.oemSignOn == " ")) {
        signOnLine.format("OEM Sign-On: %s", bios.oemSignOn.c_str());
    }
}

// The maker recognisers, tried in order until one matches. Each sets the
// fields it finds and leaves the rest.
using Recogniser = bool (*)(BiosIdentity&);
constexpr std::array<Recogniser, 0> kRecognisers{};

}  // namespace

bool IdentifyBios(HardwareDriver& driver, FixedText<24>& dateLine, FixedText<80>& typeLine,
                  FixedText<128>& idLine, FixedText<80>& signOnLine) {
    BiosIdentity bios;
    bios.romView = driver.mapPhysToLinear(kRomBase, kRomLength);
    if (bios.romView == nullptr) {
        return false;
    }
    copyRomText(bios.romView, kDateOffset, kDateLength, bios.biosDate);
    bios.biosType = "Unknown";
    bios.biosId = "Unknown";
    bios.oemSignOn.clear();
    for (Recogniser recognise : kRecognisers) {
        if (recognise(bios)) {
            break;
        }
    }
    cutAtLineBreak(bios.biosType);
    cutAtLineBreak(bios.biosId);
    FormatBiosLines(bios, dateLine, typeLine, idLine, signOnLine);
    return true;
}

void ShortenAwardBiosId(const FixedText<80>& /*typeLine*/, FixedText<128>& /*idLine*/) {}

}  // namespace romwise
