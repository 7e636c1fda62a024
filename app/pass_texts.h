// The rules that turn what a pass found into the record's texts and the
// window's field texts. Nothing here reaches a seam or the window: the
// pass's steps (app/detection_run.cpp) call these and show the results.
#pragma once

#include <cstdint>
#include <optional>
#include <string_view>

#include "app/detectors.h"
#include "model/detection_results.h"
#include "model/fixed_text.h"
#include "os/os_info.h"

namespace romwise {

// "Award", "Phoenix", "AMI", "MR BIOS" or "Other" from the whole type line.
const char* biosVendorCode(std::string_view biosTypeLine);

// The processor name followed by its speeds, each appended only while the
// line stays under 80 characters. A maximum below the current speed is
// cleared to 0 (unknown) when it is looked at.
void composeCpuLine(std::string_view name, std::uint16_t currentMhz, std::uint16_t& maxMhz,
                    FixedText<80>& cpuLine);

// "Slot%d:%s   " entries while the line stays under 80 characters.
void composeMemorySlotsLine(const MemorySlotSizes& sizes, const MemorySlotTexts& texts,
                            FixedText<120>& line);

// The BIOS ID built from DMI data when the ROM gave none.
void composeBiosIdSubstitute(std::string_view manufacturer, std::string_view model,
                             std::string_view dmiBiosVersion, FixedText<512>& out);

// Removes trailing blanks, then leading blanks, then leading carriage
// returns, then leading line feeds of the sign-on value.
std::string_view cleanSignOn(std::string_view value);

// The sign-on line's value cleaned; "OEM Sign-On: None" when nothing is left.
void cleanUpSignOnLine(FixedText<80>& line);

// The operating system's full and short names and its version text.
void composeOperatingSystem(OsInfo& os, DetectionResults& results);

// The program file's folder: the path cut just after its last separator,
// empty when it holds none.
void composeProgramDirectory(std::string_view programPath, char separator,
                             FixedText<260>& directory);

// What the DMI step found beside the record's own fields.
struct DmiWorkingValues {
    std::uint32_t romSizeBytes = 0;
    std::uint32_t biosCharacteristics = 0;
    std::uint32_t maxMemoryMb = 0;
    std::uint16_t currentSpeedMhz = 0;
    std::uint16_t maxSpeedMhz = 0;
};

// Field texts a pass shows that the record does not keep as they are shown.
struct BoardFieldTexts {
    FixedText<80> processorName;  // without its speeds
    FixedText<32> processorSpeed;
    FixedText<32> processorMaxSpeed;
    // The BIOS ID built from DMI data, shown whole where the record cuts
    // it; nothing when the ROM gave an ID.
    std::optional<FixedText<512>> biosIdSubstitute;
};

// The record's texts from DMI data: ROM size and socket, board names,
// memory, processor line, slot texts and, when the ROM gave no BIOS ID, its
// substitute. `platformMemoryBytes` stands in for an installed total of 0.
BoardFieldTexts composeDmiTexts(DmiWorkingValues working, std::uint64_t platformMemoryBytes,
                                DetectionResults& results);

// The record's texts without DMI data: the unknowns, the platform's memory
// and the processor the pass identified itself.
BoardFieldTexts composeTextsWithoutDmi(const ProcessorIdentity& cpu,
                                       std::uint64_t platformMemoryBytes,
                                       DetectionResults& results);

}  // namespace romwise
