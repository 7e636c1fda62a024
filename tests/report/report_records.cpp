#include "tests/report/report_records.h"

namespace romwise::testing {

DetectionResults completedRecord(std::size_t slots) {
    DetectionResults r;
    r.biosDateLine.assign("BIOS Date: 11/03/99");
    r.biosTypeLine.assign("BIOS Type: Award Modular BIOS v6.00PG");
    r.biosIdLine.assign("BIOS ID:   10/29/99-i440BX-W977-2A69KA1IC-00");
    r.oemSignOnLine.assign("OEM Sign-On: Quokka QB-440BX");
    r.chipsetLine.assign("Chipset:   Intel 440BX");
    r.superIoLine.assign("Superio:   Winbond 83977EF");
    r.osFullName.assign("Windows XP Professional Service Pack 2 (Build 2600)");
    r.osShortName.assign("WinXP SP2");
    r.timeZoneHours = 5;
    r.countryCode.assign("1");
    r.countryName.assign("United States");
    r.boardManufacturer.assign("Quokka Boards Inc.");
    r.boardModel.assign("QB-440BX");
    r.romSizeText.assign("256 KB");
    r.romSocketedText.assign("Yes");
    r.installedMemoryText.assign("384 MB");
    r.maxMemoryText.assign("768 MB");
    r.cpuLine.assign("Pentium III 500 MHz");
    r.memorySlotsLine.assign("128 MB,256 MB,Empty");
    r.memorySlotTexts.count = static_cast<std::uint16_t>(slots);
    for (std::size_t i = 0; i < slots && i < kMemorySlotCapacity; ++i) {
        r.memorySlotTexts.text[i].assign(i % 2 == 0 ? "128 MB" : "256 MB");
    }
    r.runState = RunState::Completed;
    return r;
}

}  // namespace romwise::testing
