#include "report/text_report.h"

#include "app/control_ids.h"
#include "app/fixed_text.h"
#include "report/product_config.h"

namespace romwise {

namespace {

constexpr char kLineEnd[] = "\r\n";

void addLine(std::string& out, std::string_view line) {
    out.append(line);
    out.append(kLineEnd);
}

template <typename... Args>
void addFormatted(std::string& out, const char* format, Args... args) {
    FixedText<1024> line;
    line.format(format, args...);
    addLine(out, line.view());
}

}  // namespace

std::string writeTextReport(const DetectionResults& results) {
    std::string out;
    addFormatted(out, "Program:   Quorvel Romwise %s", kVersionText);
    addLine(out, results.biosDateLine.view());
    addLine(out, results.biosTypeLine.view());
    addLine(out, results.biosIdLine.view());
    if (!results.oemSignOnLine.empty()) {
        addLine(out, results.oemSignOnLine.view());
    }
    addLine(out, results.chipsetLine.view());
    addLine(out, results.superIoLine.view());
    addFormatted(out, "OS:        %s", results.osShortName.c_str());
    addFormatted(out, "CPU:       %s", results.cpuLine.c_str());
    addFormatted(out, "BIOS ROM In Socket: %s", results.romSocketedText.c_str());
    addFormatted(out, "BIOS ROM Size:      %s", results.romSizeText.c_str());
    addFormatted(out, "Memory Installed:   %s", results.installedMemoryText.c_str());
    addFormatted(out, "Memory Maximum:     %s", results.maxMemoryText.c_str());
    const MemorySlotTexts& slots = results.memorySlotTexts;
    for (int slot = 1; slot <= slots.count && slot <= kMemorySlotCapacity; ++slot) {
        const char* format = slot < 10 ? "Memory Slot 0%d:     %s" : "Memory Slot %d:     %s";
        addFormatted(out, format, slot, slots.text[slot - 1].c_str());
    }
    addLine(out, "");
    addLine(out, "Quorvel, Inc.");
    addLine(out, kSupportTelephone);
    addLine(out, kMakerWebHost);
    return out;
}

}  // namespace romwise
