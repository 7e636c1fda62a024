#include "tools/samplegen/award_440bx_rom.h"

namespace romwise::samplegen::award440bx {

Bytes BuildRom() {
    static constexpr std::array<RomText, 6> kTexts = {{
        {kCopyrightOffset, kCopyright},
        {kBiosTypeOffset, kBiosType},
        {kCopyrightLineOffset, kCopyrightLine},
        {kSignOnOffset, kSignOn},
        {kPnpBannerOffset, kPnpBanner},
        {kBiosIdOffset, kBiosId},
    }};
    static constexpr std::array<RomBytes, 1> kBytes = {{
        {kPostEntryOffset, kPostEntry},
    }};
    const RomLayout layout{
        .fillerSeed = kFillerSeed,
        .blanks = kBlanks,
        .texts = kTexts,
        .bytes = kBytes,
        .biosDate = kBiosDate,
        .modelByte = kModelByte,
    };
    return BuildRomWindow(layout);
}

}  // namespace romwise::samplegen::award440bx
