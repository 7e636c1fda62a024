// The one record a detection pass fills, and the two user switches beside it.
#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string_view>

#include "model/fixed_text.h"
#include "model/report_labels.h"

namespace romwise {

enum class RunState : std::int32_t { NotRun = 0, Started = 1, Failed = 2, Completed = 3 };

const char* runStateName(RunState state);
// The state of a name runStateName gives; nothing for any other text.
std::optional<RunState> runStateByName(std::string_view name);

inline constexpr std::uint16_t kMemorySlotCapacity = 16;
inline constexpr std::size_t kSlotTextCapacity = 10;

struct MemorySlotSizes {
    std::uint16_t capacity = 0;
    std::uint16_t count = 0;
    std::array<std::uint32_t, kMemorySlotCapacity> sizeMb{};

    // Appends in table order; returns false (and records nothing) once full.
    bool append(std::uint32_t megabytes);
};

struct MemorySlotTexts {
    std::uint16_t count = 0;
    std::array<FixedText<kSlotTextCapacity>, kMemorySlotCapacity> text{};
};

struct DetectionResults {
    // Line fields: label plus value.
    FixedText<24> biosDateLine;
    FixedText<80> biosTypeLine;
    FixedText<128> biosIdLine;
    FixedText<80> oemSignOnLine;
    FixedText<80> superIoLine;
    FixedText<80> chipsetLine;

    // Operating system and locale.
    FixedText<80> osFullName;
    FixedText<40> osShortName;
    FixedText<52> osVersionText;
    std::int32_t timeZoneHours = 0;
    FixedText<260> countryCode;
    FixedText<260> countryName;

    // SMBIOS/DMI data.
    std::uint8_t dmiMajorVersion = 0;
    std::uint8_t dmiMinorVersion = 0;
    FixedText<80> boardManufacturer;
    FixedText<80> boardModel;
    FixedText<80> dmiBiosVersion;
    FixedText<52> dmiProcessorName;
    std::uint32_t installedMemoryMb = 0;
    MemorySlotSizes memorySlotSizes;

    // Derived texts.
    FixedText<12> romSizeText;
    FixedText<12> romSocketedText;
    FixedText<20> installedMemoryText;
    FixedText<20> maxMemoryText;
    FixedText<80> cpuLine;
    MemorySlotTexts memorySlotTexts;
    FixedText<120> memorySlotsLine;
    FixedText<800> upgradeUrl;
    FixedText<800> upgradeUrlShort;
    FixedText<260> programDirectory;

    // State and flags.
    RunState runState = RunState::NotRun;
    std::int32_t requestSubmitted = 0;
};

struct DetectionOptions {
    std::int32_t skipSuperIo = 0;
    std::int32_t skipDmi = 0;
};

// The process-wide instances. The program's front ends use these; the run and
// the window logic take references so that tests can give each case a fresh
// record.
DetectionResults& processDetectionResults();
DetectionOptions& processDetectionOptions();

}  // namespace romwise
