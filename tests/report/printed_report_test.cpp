// The printed page's lines and baselines.
#include "report/printed_report.h"

#include <gtest/gtest.h>

#include "report/product_config.h"
#include "tests/report/report_records.h"

namespace romwise {
namespace {

using testing::completedRecord;

TEST(PrintedReportTest, LinesSitOnWholeMultiplesOfThePitch) {
    const auto lines = printedReportLines(completedRecord(3), 50);
    ASSERT_EQ(lines.size(), 20u);
    for (std::size_t i = 0; i < lines.size(); ++i) {
        EXPECT_EQ(lines[i].baseline, static_cast<int>(i + 1) * 50) << i;
    }
    EXPECT_EQ(lines[0].text, "Program:   Quorvel Romwise Version 3.54");
    EXPECT_EQ(lines[4].text, "OEM Sign-On: Quokka QB-440BX");
    EXPECT_EQ(lines[5].baseline, 300);
    EXPECT_EQ(lines[5].text, "Chipset:   Intel 440BX");
    // The printed page names the full system, not the short name.
    EXPECT_EQ(lines[7].text, "OS:        Windows XP Professional Service Pack 2 (Build 2600)");
    EXPECT_EQ(lines[13].text, "Memory Slot 01:     128 MB");
    EXPECT_EQ(lines[16].text, " ");
    EXPECT_EQ(lines[17].text, "Quorvel, Inc.");
    EXPECT_EQ(lines[18].text, kSupportTelephone);
    EXPECT_EQ(lines[19].text, kReportWebHostLine);
    for (const PrintedLine& line : lines) {
        EXPECT_EQ(line.text.find_first_of("\r\n"), std::string::npos) << line.text;
    }
}

TEST(PrintedReportTest, MissingSignOnMovesTheRestUp) {
    DetectionResults record = completedRecord(12);
    record.oemSignOnLine.clear();
    const auto lines = printedReportLines(record, 40);
    ASSERT_EQ(lines.size(), 4u + 8u + 12u + 4u);
    EXPECT_EQ(lines[4].text, "Chipset:   Intel 440BX");
    EXPECT_EQ(lines[4].baseline, 200);
    EXPECT_EQ(lines[20].text, "Memory Slot 09:     128 MB");
    EXPECT_EQ(lines[21].text, "Memory Slot 10:     256 MB");
    EXPECT_EQ(lines[23].text, "Memory Slot 12:     256 MB");
    EXPECT_EQ(lines[24].text, " ");
    EXPECT_EQ(lines.back().baseline, 28 * 40);
}

TEST(PrintedReportTest, HugePitchDoesNotOverflow) {
    const auto lines = printedReportLines(completedRecord(16), 1 << 30);
    EXPECT_EQ(lines[0].baseline, 1 << 30);
    for (std::size_t i = 1; i < lines.size(); ++i) {
        EXPECT_GE(lines[i].baseline, lines[i - 1].baseline);
    }
}

}  // namespace
}  // namespace romwise
