// The report texts and the request addresses for a record with every slot
// filled and long values, as after a pass on a well-equipped board.
#include <benchmark/benchmark.h>

#include <string>

#include "report/printed_report.h"
#include "report/text_report.h"
#include "report/upgrade_request.h"

namespace {

romwise::DetectionResults fullRecord() {
    romwise::DetectionResults r;
    r.biosDateLine.assign("BIOS Date: 11/03/99");
    r.biosTypeLine.assign("BIOS Type: Award Modular BIOS v6.00PG");
    r.biosIdLine.assign("BIOS ID:   10/29/99-i440BX-W977-2A69KA1IC-00");
    r.oemSignOnLine.assign("OEM Sign-On: Quokka QB-440BX Rev 1.2 & more + plus #1");
    r.chipsetLine.assign("Chipset:   Intel 440BX");
    r.superIoLine.assign("Superio:   Winbond 83977EF");
    r.osShortName.assign("WinXP SP2");
    r.osFullName.assign("Windows XP Professional Service Pack 2 (Build 2600)");
    r.boardManufacturer.assign("Quokka Boards Inc.");
    r.boardModel.assign("QB-440BX");
    r.cpuLine.assign("AMD K6-2+ or K6-III+ (0.18 \xB5m) 500 MHz");
    r.memorySlotsLine.assign("128 MB,256 MB,Empty,Empty");
    r.memorySlotTexts.count = romwise::kMemorySlotCapacity;
    for (auto& text : r.memorySlotTexts.text) {
        text.assign("256 MB");
    }
    r.runState = romwise::RunState::Completed;
    return r;
}

void BM_TextReport(benchmark::State& state) {
    const romwise::DetectionResults record = fullRecord();
    for (auto _ : state) {
        benchmark::DoNotOptimize(romwise::writeTextReport(record));
    }
}
BENCHMARK(BM_TextReport);

void BM_PrintedReportLines(benchmark::State& state) {
    const romwise::DetectionResults record = fullRecord();
    for (auto _ : state) {
        benchmark::DoNotOptimize(romwise::printedReportLines(record, 50));
    }
}
BENCHMARK(BM_PrintedReportLines);

void BM_BuildUpgradeUrls(benchmark::State& state) {
    romwise::DetectionResults record = fullRecord();
    for (auto _ : state) {
        romwise::buildUpgradeUrls(record, "Award");
        benchmark::DoNotOptimize(record.upgradeUrl.c_str());
    }
}
BENCHMARK(BM_BuildUpgradeUrls);

}  // namespace

BENCHMARK_MAIN();
