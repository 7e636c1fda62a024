// Control ids of the main dialog and its secondary dialogs, and the colours
// of the highlighted button.
#pragma once

#include <cstdint>

namespace romwise {

namespace control {
inline constexpr int kBiosId = 1002;
inline constexpr int kSuperIo = 1003;
inline constexpr int kGetBiosInfo = 1004;
inline constexpr int kClose = 1005;
inline constexpr int kBiosDate = 1006;
inline constexpr int kBiosType = 1007;
inline constexpr int kChipset = 1008;
inline constexpr int kSignOn = 1009;
inline constexpr int kSave = 1010;
inline constexpr int kSubmit = 1011;
inline constexpr int kOperatingSystem = 1013;
inline constexpr int kSaveFileName = 1014;
inline constexpr int kPrint = 1015;
inline constexpr int kProcessor = 1016;
inline constexpr int kLogo = 1017;
inline constexpr int kProcessorMaxSpeed = 1018;
inline constexpr int kRomSocketed = 1019;
inline constexpr int kProcessorSpeed = 1021;
inline constexpr int kRomSize = 1024;
inline constexpr int kMemoryInstalled = 1025;
inline constexpr int kMemoryMaximum = 1026;
inline constexpr int kSkipSuperIoCheck = 1027;
inline constexpr int kDetailsPicture = 1028;
inline constexpr int kSkipDmiCheck = 1029;
inline constexpr int kSlotList = 1030;
inline constexpr int kMoreInfo = 1031;
inline constexpr int kAboutText = 1032;
inline constexpr int kHelp = 57670;
inline constexpr int kOptions = 57671;
}  // namespace control

// The read-only fields a pass writes, in the order the dialog lists them.
inline constexpr int kResultFieldIds[] = {
    control::kBiosType,        control::kBiosDate,
    control::kBiosId,          control::kSignOn,
    control::kSuperIo,         control::kChipset,
    control::kOperatingSystem, control::kProcessor,
    control::kProcessorSpeed,  control::kProcessorMaxSpeed,
    control::kRomSocketed,     control::kRomSize,
    control::kMemoryInstalled, control::kMemoryMaximum,
};

// Colours in the 00BBGGRR layout.
constexpr std::uint32_t rgb(std::uint8_t red, std::uint8_t green, std::uint8_t blue) {
    return static_cast<std::uint32_t>(red) | (static_cast<std::uint32_t>(green) << 8) |
           (static_cast<std::uint32_t>(blue) << 16);
}
inline constexpr std::uint32_t kHighlightTextColor = rgb(1, 1, 1);
inline constexpr std::uint32_t kHighlightFaceColor = rgb(15, 180, 120);

}  // namespace romwise
