#include <optional>
#include <string_view>

#include "dmi/dmi_extraction.h"
#include "dmi/processor_families.h"
#include "dmi/scratch_copy.h"
#include "dmi/structure_walk.h"

namespace romwise {

namespace {

constexpr std::uint8_t kProcessorType = 4;
constexpr std::size_t kFamilyOffset = 0x06;
constexpr std::size_t kManufacturerField = 0x07;
constexpr std::size_t kVersionField = 0x10;
constexpr std::size_t kMaxSpeedOffset = 0x14;
constexpr std::size_t kCurrentSpeedOffset = 0x16;
constexpr std::uint8_t kFamilyNotGiven = 0x00;
constexpr std::uint8_t kFamilyOther = 0x01;

// Firmware fills an unknown version with nothing, blanks or zeros.
bool IsPlaceholderVersion(std::string_view version) {
    return version.empty() || version.find_first_not_of(' ') == std::string_view::npos ||
           version.front() == '0';
}

// The version string when it says something; otherwise what the family
// code says instead, or the version as it was when the code says nothing.
std::optional<std::string_view> ProcessorName(const ScratchCopy& copy) {
    std::optional<std::string_view> version;
    if (copy.byte(kVersionField) != 0) {
        version = copy.stringOfField(kVersionField);
        if (version && !IsPlaceholderVersion(*version)) {
            return version;
        }
    }
    const std::uint8_t family = copy.byte(kFamilyOffset);
    if (family == kFamilyNotGiven) {
        return version;
    }
    if (family == kFamilyOther) {
        if (copy.byte(kManufacturerField) != 0) {
            if (const auto maker = copy.stringOfField(kManufacturerField)) {
                return maker;
            }
        }
        return version;
    }
    if (const char* name = ProcessorFamilyName(family)) {
        return std::string_view(name);
    }
    return version;
}

}  // namespace

void ExtractProcessor(const SmbiosContext& context, DmiSummary& summary) {
    ScratchCopy copy(context.maxStructureSize());
    WalkStructuresOfType(context, kProcessorType, [&](const TableStructure& structure) {
        copy.copyFrom(structure, kProcessorLayout);
        return false;
    });
    if (const auto name = ProcessorName(copy)) {
        summary.processorName.assign(*name);
    }
    summary.currentSpeedMhz = copy.word(kCurrentSpeedOffset);
    summary.maxSpeedMhz = copy.word(kMaxSpeedOffset);
}

}  // namespace romwise
