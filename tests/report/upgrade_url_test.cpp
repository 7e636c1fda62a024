// The two upgrade-request addresses and their encoding steps.
#include "report/upgrade_request.h"

#include <gtest/gtest.h>

#include <algorithm>

#include "report/product_config.h"
#include "report/url_encoding.h"
#include "tests/report/report_records.h"

namespace romwise {
namespace {

using testing::completedRecord;

const std::string kShortQuery =
    "?uBDate=11/03/99&uBType=Award&uBID=10/29/99-i440BX-W977-2A69KA1IC-00"
    "&uSIO=Winbond%2083977EF&uCS=Intel%20440BX&uOEM=Quokka%20QB-440BX"
    "&uMBN=Quokka%20Boards%20Inc.&uMBM=QB-440BX&uRSt=Yes&uRSz=256%20KB";
const std::string kRestOfFullQuery =
    "&uMs=384%20MB&uMM=768%20MB&uOS=WinXP%20SP2&uCPU=Pentium%20III%20500%20MHz"
    "&uMc=128%20MB,256%20MB,Empty&uTZ=5&uCC=1";

TEST(UpgradeUrlTest, FullAndShortFormsCarryEveryValue) {
    DetectionResults record = completedRecord();
    buildUpgradeUrls(record, "Award");
    EXPECT_EQ(record.upgradeUrl.str(), kUpgradeFormAddress + kShortQuery + kRestOfFullQuery);
    EXPECT_EQ(record.upgradeUrlShort.str(), kUpgradeFormAddress + kShortQuery);
    EXPECT_EQ(std::string(kUpgradeFormAddress),
              std::string("http://") + kMakerWebHost + "/leads/bios_upgrade_form.cfm");
}

TEST(UpgradeUrlTest, TimeZoneSignAndValuesShorterThanTheirLabel) {
    DetectionResults record = completedRecord();
    record.timeZoneHours = -9;
    record.biosDateLine.assign("BIOS");  // shorter than its label: an empty value
    record.oemSignOnLine.clear();
    buildUpgradeUrls(record, nullptr);
    const std::string url = record.upgradeUrl.str();
    EXPECT_NE(url.find("?uBDate=&uBType=&uBID="), std::string::npos) << url;
    EXPECT_NE(url.find("&uOEM=&uMBN="), std::string::npos);
    EXPECT_NE(url.find("&uTZ=-9&uCC=1"), std::string::npos);
}

TEST(UpgradeUrlTest, PlusSignsSpacesAndHighBytes) {
    DetectionResults record = completedRecord();
    record.cpuLine.assign("AMD K6-2+ or K6-III+ (0.18 \xB5m) 500 MHz");
    buildUpgradeUrls(record, "Award");
    EXPECT_NE(record.upgradeUrl.view().find(
                  "&uCPU=AMD%20K6-2%2B%20or%20K6-III%2B%20(0.18%20\xB5m)%20500%20MHz&"),
              std::string::npos)
        << record.upgradeUrl.c_str();
}

TEST(UpgradeUrlTest, AmpersandNumberSignAndPercentStayInsideTheirValue) {
    DetectionResults record = completedRecord();
    record.boardManufacturer.assign("AT&T #1 100% + more");
    record.boardModel.assign("A%2B");  // an existing escape is sent as typed, not decoded
    buildUpgradeUrls(record, "Award");
    const std::string expected = "&uMBN=AT%26T%20%231%20100%25%20%2B%20more&uMBM=A%252B&uRSt=Yes";
    EXPECT_NE(record.upgradeUrl.view().find(expected), std::string::npos)
        << record.upgradeUrl.c_str();
    EXPECT_NE(record.upgradeUrlShort.view().find(expected), std::string::npos);
    // Every field after the escaped ones is still there.
    EXPECT_NE(record.upgradeUrl.view().find("&uTZ=5&uCC=1"), std::string::npos);
}

TEST(UpgradeUrlTest, ControlBytesFromFirmwareKeepTheAddressOnOneLine) {
    DetectionResults record = completedRecord();
    record.boardManufacturer.assign("Quokka\r\nBoards\x1B[2J\x7F\x01");
    record.cpuLine.assign("Pentium\tIII");
    buildUpgradeUrls(record, "Award");
    for (const std::string& url : {record.upgradeUrl.str(), record.upgradeUrlShort.str()}) {
        EXPECT_NE(url.find("&uMBN=Quokka%0D%0ABoards%1B[2J%7F%01&uMBM="), std::string::npos) << url;
        EXPECT_TRUE(std::none_of(url.begin(), url.end(), [](char c) {
            return static_cast<unsigned char>(c) < 0x20 || c == 0x7F;
        })) << url;
    }
    EXPECT_NE(record.upgradeUrl.view().find("&uCPU=Pentium%09III&"), std::string::npos);
}

TEST(UpgradeUrlTest, FullFormTooLongIsEmptyAndShortFormRemains) {
    DetectionResults record = completedRecord();
    record.memorySlotsLine.assign(std::string(119, ' '));
    record.cpuLine.assign(std::string(79, ' '));  // three bytes each once encoded
    buildUpgradeUrls(record, "Award");
    EXPECT_TRUE(record.upgradeUrl.empty());
    EXPECT_EQ(record.upgradeUrlShort.str(), kUpgradeFormAddress + kShortQuery);
}

TEST(UpgradeUrlTest, LaterPassWhoseAddressNoLongerFitsLeavesNoStaleAddress) {
    DetectionResults record = completedRecord();
    buildUpgradeUrls(record, "Award");
    ASSERT_FALSE(record.upgradeUrl.empty());
    record.cpuLine.assign(std::string(79, ' '));
    record.memorySlotsLine.assign(std::string(119, ' '));
    record.boardModel.assign("QB-440BX rev 2");
    buildUpgradeUrls(record, "Award");
    EXPECT_TRUE(record.upgradeUrl.empty());
    EXPECT_NE(record.upgradeUrlShort.view().find("&uMBM=QB-440BX%20rev%202&"), std::string::npos);
}

TEST(UrlEncodingTest, CanonicalFormUsesAtMost799Bytes) {
    FixedText<800> out;
    EXPECT_TRUE(canonicalizeAddress(std::string(799, 'a'), out));
    EXPECT_EQ(out.size(), 799u);
    out.assign("http://old");
    EXPECT_FALSE(canonicalizeAddress(std::string(800, 'a'), out));
    EXPECT_TRUE(out.empty());
    // A space that would need the last three bytes does not fit either.
    EXPECT_TRUE(canonicalizeAddress(std::string(796, 'a') + " ", out));
    EXPECT_EQ(out.view().substr(796), "%20");
    EXPECT_FALSE(canonicalizeAddress(std::string(797, 'a') + " ", out));
    EXPECT_TRUE(out.empty());
    char tiny[1] = {'x'};
    EXPECT_TRUE(canonicalizeAddress("", tiny, 1));
    EXPECT_EQ(tiny[0], '\0');
}

TEST(UrlEncodingTest, EscapesLeaveEverythingElseAlone) {
    std::string text = "+a++b+";
    escapePlusSigns(text);
    EXPECT_EQ(text, "%2Ba%2B%2Bb%2B");
    EXPECT_EQ(escapeQueryValue("50% & #5 \xB5 +?="), "50%25 %26 %235 \xB5 +?=");
    FixedText<64> out;
    ASSERT_TRUE(canonicalizeAddress("a b\tc\xB5%", out));
    EXPECT_EQ(out.str(), "a%20b\tc\xB5%");
}

}  // namespace
}  // namespace romwise
