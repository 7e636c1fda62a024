#include "app/pass_texts.h"

#include <cstring>
#include <string>

#include "model/run_texts.h"

namespace romwise {

namespace {

struct VendorRule {
    const char* typeText;
    const char* code;
};
// First match wins; "Phoenix - AwardBIOS" therefore counts as Award.
constexpr VendorRule kVendorRules[] = {
    {"Award", "Award"},    {"Phoenix", "Phoenix"}, {"AMI", "AMI"},
    {"Megatrends", "AMI"}, {"MR BIOS", "MR BIOS"},
};
constexpr char kOtherVendor[] = "Other";

// Maker words used in the BIOS ID substitute, tried in this order.
constexpr const char* kSubstituteMakers[] = {"Dell", "Gateway", "Compaq",
                                             "IBM",  "Sony",    "Hewlett-Packard"};

constexpr char kServicePackMarker[] = "Service Pack ";
constexpr std::uint32_t kRomSocketedBit = 0x20000;

std::string_view trimLeading(std::string_view text, char c) {
    while (!text.empty() && text.front() == c) {
        text.remove_prefix(1);
    }
    return text;
}

std::string_view trimTrailing(std::string_view text, char c) {
    while (!text.empty() && text.back() == c) {
        text.remove_suffix(1);
    }
    return text;
}

// Leading blanks removed; an empty result becomes "Unknown".
template <std::size_t N>
void normaliseDmiText(FixedText<N>& text) {
    const std::string trimmed(trimLeading(text.view(), ' '));
    text.assign(trimmed.empty() ? std::string_view(kUnknown) : std::string_view(trimmed));
}

void formatMegabytes(std::uint32_t megabytes, FixedText<20>& out) {
    if (megabytes != 0) {
        out.format("%1u MB", megabytes);
    } else {
        out.assign(kUnknown);
    }
}

void formatPlatformMemory(std::uint64_t bytes, FixedText<20>& out) {
    out.format("%ld %sB", static_cast<long>(bytes >> 20), "M");
}

void formatSpeed(std::uint16_t mhz, FixedText<32>& out) {
    if (mhz != 0) {
        out.format("%1u Mhz", static_cast<unsigned>(mhz));
    } else {
        out.assign(kUnknown);
    }
}

}  // namespace

const char* biosVendorCode(std::string_view biosTypeLine) {
    for (const VendorRule& rule : kVendorRules) {
        if (biosTypeLine.find(rule.typeText) != std::string_view::npos) {
            return rule.code;
        }
    }
    return kOtherVendor;
}

void composeCpuLine(std::string_view name, std::uint16_t currentMhz, std::uint16_t& maxMhz,
                    FixedText<80>& cpuLine) {
    cpuLine.assign(name);
    if (currentMhz == 0) {
        return;
    }
    FixedText<32> speed;
    speed.format(" %1u Mhz", static_cast<unsigned>(currentMhz));
    if (cpuLine.size() + speed.size() >= 80) {
        return;
    }
    cpuLine.append(speed.view());
    if (maxMhz == 0) {
        return;
    }
    if (maxMhz < currentMhz) {
        maxMhz = 0;
        return;
    }
    speed.format(" MAX: %1u Mhz", static_cast<unsigned>(maxMhz));
    if (cpuLine.size() + speed.size() < 80) {
        cpuLine.append(speed.view());
    }
}

void composeMemorySlotsLine(const MemorySlotSizes& sizes, const MemorySlotTexts& texts,
                            FixedText<120>& line) {
    line.clear();
    if (texts.count == 0 || sizes.count == 0) {
        return;
    }
    for (int slot = 1; slot <= sizes.count && slot <= kMemorySlotCapacity; ++slot) {
        FixedText<64> entry;
        entry.format("Slot%d:%s   ", slot, texts.text[slot - 1].c_str());
        if (line.size() + entry.size() >= 80) {
            break;
        }
        line.append(entry.view());
    }
}

void composeBiosIdSubstitute(std::string_view manufacturer, std::string_view model,
                             std::string_view dmiBiosVersion, FixedText<512>& out) {
    std::string makerWord;
    if (manufacturer != kUnknown) {
        makerWord = std::string(manufacturer);
        for (const char* maker : kSubstituteMakers) {
            if (manufacturer.find(maker) != std::string_view::npos) {
                makerWord = maker;
                break;
            }
        }
    }
    std::string modelWord;
    if (model != kUnknown) {
        modelWord = std::string(trimTrailing(model, ' '));
    }
    const std::string version(dmiBiosVersion);
    out.format("%s %s BIOS Version: %s", makerWord.c_str(), modelWord.c_str(), version.c_str());
}

std::string_view cleanSignOn(std::string_view value) {
    value = trimTrailing(value, ' ');
    value = trimLeading(value, ' ');
    value = trimLeading(value, '\r');
    value = trimLeading(value, '\n');
    return value;
}

void cleanUpSignOnLine(FixedText<80>& line) {
    const std::string value(cleanSignOn(line.from(kSignOnValueOffset)));
    line.assignFrom(kSignOnValueOffset, value);
    // No sign-on line at all, or one whose text was nothing but blanks and
    // line breaks: either way the BIOS has no sign-on text.
    if (value.empty()) {
        setLine(line, kSignOnLabel, kNone);
    }
}

void composeOperatingSystem(OsInfo& os, DetectionResults& results) {
    os.productNames(results.osFullName, results.osShortName);
    os.versionText(results.osVersionText);
    results.osFullName.appendFormat(" Version: %s", results.osVersionText.c_str());
    if (const char* pack = std::strstr(results.osVersionText.c_str(), kServicePackMarker)) {
        results.osShortName.appendFormat(" SP%s", pack + std::strlen(kServicePackMarker));
    }
}

void composeProgramDirectory(std::string_view programPath, char separator,
                             FixedText<260>& directory) {
    FixedText<260> path;
    path.assign(programPath);
    const std::string_view full = path.view();
    const std::size_t last = full.rfind(separator);
    directory.assign(last == std::string_view::npos ? std::string_view()
                                                    : full.substr(0, last + 1));
}

BoardFieldTexts composeDmiTexts(DmiWorkingValues working, std::uint64_t platformMemoryBytes,
                                DetectionResults& results) {
    BoardFieldTexts shown;
    if (working.romSizeBytes != 0) {
        results.romSizeText.format("%luK", static_cast<unsigned long>(working.romSizeBytes / 1024));
    } else {
        results.romSizeText.assign(kUnknown);
    }
    if (working.biosCharacteristics == 0) {
        results.romSocketedText.assign(kUnknown);
    } else {
        results.romSocketedText.assign((working.biosCharacteristics & kRomSocketedBit) ? "Yes"
                                                                                       : "No");
    }
    normaliseDmiText(results.boardManufacturer);
    normaliseDmiText(results.boardModel);

    if (working.maxMemoryMb < results.installedMemoryMb) {
        results.maxMemoryText.assign(kUnknown);
    } else {
        formatMegabytes(working.maxMemoryMb, results.maxMemoryText);
    }
    if (results.installedMemoryMb != 0) {
        results.installedMemoryText.format("%1u MB", results.installedMemoryMb);
    } else {
        formatPlatformMemory(platformMemoryBytes, results.installedMemoryText);
    }

    const std::string_view name = trimLeading(results.dmiProcessorName.view(), ' ');
    if (name.empty()) {
        results.cpuLine.assign(kUnknown);
        shown.processorName.assign(kUnknown);
    } else {
        const std::string trimmed(trimTrailing(name, ' '));
        composeCpuLine(trimmed, working.currentSpeedMhz, working.maxSpeedMhz, results.cpuLine);
        shown.processorName.assign(trimmed);
    }
    formatSpeed(working.currentSpeedMhz, shown.processorSpeed);
    formatSpeed(working.maxSpeedMhz, shown.processorMaxSpeed);

    const MemorySlotSizes& sizes = results.memorySlotSizes;
    MemorySlotTexts& texts = results.memorySlotTexts;
    for (std::uint16_t i = 0; i < sizes.count && i < kMemorySlotCapacity; ++i) {
        texts.text[i].format("%1u MB", sizes.sizeMb[i]);
        texts.count = static_cast<std::uint16_t>(i + 1);
    }

    if (std::strstr(results.biosIdLine.from(kLineValueOffset), kUnknown) != nullptr) {
        FixedText<512>& substitute = shown.biosIdSubstitute.emplace();
        composeBiosIdSubstitute(results.boardManufacturer.view(), results.boardModel.view(),
                                results.dmiBiosVersion.view(), substitute);
        results.biosIdLine.assignFrom(kLineValueOffset, substitute.view());
    }
    return shown;
}

BoardFieldTexts composeTextsWithoutDmi(const ProcessorIdentity& cpu,
                                       std::uint64_t platformMemoryBytes,
                                       DetectionResults& results) {
    BoardFieldTexts shown;
    results.boardManufacturer.assign(kUnknown);
    results.boardModel.assign(kUnknown);
    results.romSizeText.assign(kUnknown);
    results.romSocketedText.assign(kUnknown);
    results.maxMemoryText.assign(kUnknown);
    formatPlatformMemory(platformMemoryBytes, results.installedMemoryText);

    shown.processorName.assign(cpu.name.view());
    shown.processorSpeed.format("%d MHz", static_cast<int>(cpu.measuredMhz));
    shown.processorMaxSpeed.assign(kUnknown);
    results.cpuLine.format("%s %s", cpu.name.c_str(), shown.processorSpeed.c_str());
    return shown;
}

}  // namespace romwise
