// One detection pass, as the Get BIOS Info button runs it.
#pragma once

#include <cstdint>
#include <string_view>

#include "app/detection_session.h"

namespace romwise {

void runDetectionPass(DetectionSession& session);

// The rules of the pass that stand on their own.

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

}  // namespace romwise
