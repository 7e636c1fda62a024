// The saved report, byte for byte.
#include "report/text_report.h"

#include <gtest/gtest.h>

#include "report/product_config.h"
#include "tests/report/report_records.h"

namespace romwise {
namespace {

using testing::completedRecord;

std::string makerLines() {
    return std::string("\r\nQuorvel, Inc.\r\n") + kSupportTelephone + "\r\n" + kReportWebHostLine +
           "\r\n";
}

const std::string kHead =
    "Program:   Quorvel Romwise Version 3.54\r\n"
    "BIOS Date: 11/03/99\r\n"
    "BIOS Type: Award Modular BIOS v6.00PG\r\n"
    "BIOS ID:   10/29/99-i440BX-W977-2A69KA1IC-00\r\n";

const std::string kMiddle =
    "Chipset:   Intel 440BX\r\n"
    "Superio:   Winbond 83977EF\r\n"
    "OS:        WinXP SP2\r\n"
    "CPU:       Pentium III 500 MHz\r\n"
    "BIOS ROM In Socket: Yes\r\n"
    "BIOS ROM Size:      256 KB\r\n"
    "Memory Installed:   384 MB\r\n"
    "Memory Maximum:     768 MB\r\n";

TEST(TextReportTest, ThreeSlotsWithSignOn) {
    EXPECT_EQ(writeTextReport(completedRecord(3)), kHead + "OEM Sign-On: Quokka QB-440BX\r\n" +
                                                       kMiddle +
                                                       "Memory Slot 01:     128 MB\r\n"
                                                       "Memory Slot 02:     256 MB\r\n"
                                                       "Memory Slot 03:     128 MB\r\n" +
                                                       makerLines());
}

TEST(TextReportTest, NoSignOnLineAndNoSlotLines) {
    DetectionResults record = completedRecord(0);
    record.oemSignOnLine.clear();
    EXPECT_EQ(writeTextReport(record), kHead + kMiddle + makerLines());
}

TEST(TextReportTest, TwelveSlotsNumberTwoDigitsThenPlain) {
    const std::string report = writeTextReport(completedRecord(12));
    EXPECT_NE(report.find("\r\nMemory Slot 09:     128 MB\r\n"
                          "Memory Slot 10:     256 MB\r\n"
                          "Memory Slot 11:     128 MB\r\n"
                          "Memory Slot 12:     256 MB\r\n\r\nQuorvel, Inc.\r\n"),
              std::string::npos)
        << report;
    EXPECT_EQ(report.find("Memory Slot 13"), std::string::npos);
    EXPECT_NE(report.find("Memory Slot 01:     128 MB\r\n"), std::string::npos);
}

TEST(TextReportTest, SlotCountBeyondTheTableStopsAtItsEnd) {
    DetectionResults record = completedRecord(16);
    record.memorySlotTexts.count = 40;  // a corrupted count must not read past the table
    const std::string report = writeTextReport(record);
    EXPECT_NE(report.find("Memory Slot 16:"), std::string::npos);
    EXPECT_EQ(report.find("Memory Slot 17:"), std::string::npos);
}

TEST(TextReportTest, EightBitBytesAndBareLineEndsStayAsTheyAre) {
    DetectionResults record = completedRecord(1);
    // Windows-1252: registered sign, trade mark sign, micro sign.
    record.cpuLine.assign("Intel\xAE Pentium\xAE III Xeon\x99 (0.18 \xB5m) 550 MHz");
    const std::string report = writeTextReport(record);
    EXPECT_NE(
        report.find("\r\nCPU:       Intel\xAE Pentium\xAE III Xeon\x99 (0.18 \xB5m) 550 MHz\r\n"),
        std::string::npos);
    // Every line feed is part of a CR LF pair and there are no stray CRs.
    std::size_t lineFeeds = 0;
    for (std::size_t i = 0; i < report.size(); ++i) {
        if (report[i] == '\n') {
            ++lineFeeds;
            ASSERT_GT(i, 0u);
            EXPECT_EQ(report[i - 1], '\r');
        } else if (report[i] == '\r') {
            ASSERT_LT(i + 1, report.size());
            EXPECT_EQ(report[i + 1], '\n');
        }
    }
    EXPECT_EQ(lineFeeds, 18u);  // one slot line
}

}  // namespace
}  // namespace romwise
