#include "report/report_lines.h"

#include "model/control_ids.h"
#include "model/fixed_text.h"
#include "model/product_identity.h"
#include "report/product_config.h"

namespace romwise {

namespace {

// Long enough for the longest label plus the longest field of the record.
using LineText = FixedText<512>;

struct LabelledValue {
    const char* format;
    const char* value;
};

}  // namespace

std::vector<std::string> reportLines(const DetectionResults& results, ReportKind kind) {
    std::vector<std::string> lines;
    lines.reserve(18 + kMemorySlotCapacity);
    LineText line;
    line.format("Program:   %s %s", kApplicationTitle, kVersionText);
    lines.push_back(line.str());
    lines.push_back(results.biosDateLine.str());
    lines.push_back(results.biosTypeLine.str());
    lines.push_back(results.biosIdLine.str());
    if (!results.oemSignOnLine.empty()) {
        lines.push_back(results.oemSignOnLine.str());
    }
    lines.push_back(results.chipsetLine.str());
    lines.push_back(results.superIoLine.str());

    const char* osName =
        kind == ReportKind::Printed ? results.osFullName.c_str() : results.osShortName.c_str();
    const LabelledValue labelled[] = {
        {"OS:        %s", osName},
        {"CPU:       %s", results.cpuLine.c_str()},
        {"BIOS ROM In Socket: %s", results.romSocketedText.c_str()},
        {"BIOS ROM Size:      %s", results.romSizeText.c_str()},
        {"Memory Installed:   %s", results.installedMemoryText.c_str()},
        {"Memory Maximum:     %s", results.maxMemoryText.c_str()},
    };
    for (const LabelledValue& entry : labelled) {
        line.format(entry.format, entry.value);
        lines.push_back(line.str());
    }

    // Two-digit slot numbers up to 9 keep the first nine lines aligned.
    const MemorySlotTexts& slots = results.memorySlotTexts;
    for (int slot = 1; slot <= slots.count && slot <= kMemorySlotCapacity; ++slot) {
        const char* text = slots.text[static_cast<std::size_t>(slot - 1)].c_str();
        if (slot < 10) {
            line.format("Memory Slot 0%d:     %s", slot, text);
        } else {
            line.format("Memory Slot %d:     %s", slot, text);
        }
        lines.push_back(line.str());
    }

    lines.push_back(kind == ReportKind::Printed ? " " : "");
    lines.push_back("Quorvel, Inc.");
    lines.push_back(kSupportTelephone);
    lines.push_back(kReportWebHostLine);
    return lines;
}

}  // namespace romwise
