#include "os/os_info.h"

#include <gtest/gtest.h>

#include "../run/fakes.h"
#include "platform/linux/linux_os_services.h"

namespace romwise {
namespace {

using testing::FakeOsServices;

struct Names {
    std::string full;
    std::string shortName;
    bool is64 = false;
};

Names namesFor(FakeOsServices& os) {
    OsInfo info(os);
    info.queryVersion();
    FixedText<80> full("kept");
    FixedText<40> shortName("kept");
    info.productNames(full, shortName);
    return {full.str(), shortName.str(), info.is64BitWindows()};
}

TEST(OsInfoTest, WindowsNamingRows) {
    FakeOsServices os;
    struct Row {
        WindowsVersionRecord version;
        const char* full;
        const char* shortName;
    } rows[] = {
        {{4, 0, 950, 1, "", 0}, "Microsoft Windows 95 ", "Win95"},
        {{4, 0, 1111, 1, " B", 0}, "Microsoft Windows 95 OSR2 ", "Win95"},
        {{4, 10, 1998, 1, " ", 0}, "Microsoft Windows 98 ", "Win98"},
        {{4, 10, 2222, 1, " A ", 0}, "Microsoft Windows 98 SE ", "Win98"},
        {{4, 90, 3000, 1, " ", 0}, "Microsoft Windows ME", "WinME"},
        {{3, 10, 0, 0, "", 0}, "Microsoft Win32s", "Win32s"},
        {{5, 0, 2195, 2, "Service Pack 4", 1}, "Microsoft Windows 2000", "Win2000"},
        {{5, 1, 2600, 2, "Service Pack 2", 1}, "Microsoft Windows XP", "WinXP"},
        {{4, 0, 1381, 2, "Service Pack 6", 1}, "Microsoft Windows NT", "WinNT"},
        {{10, 0, 19045, 2, "", 1}, "Microsoft Windows NT", "WinNT"},
        {{5, 1, 2600, 3, "", 1}, "Not Known", "Unknown"},
        {{4, 3, 0, 1, "", 0}, "kept", "kept"},
        {{5, 3, 0, 2, "", 1}, "Unknown Windows Version: 5.3", "Win5.3"},
        {{5, 10, 0, 2, "", 1}, "Unknown Windows Version: 5.a", "Win5.a"},
        {{6, 0, 6000, 2, "", 1}, "Microsoft Windows Vista", "WinVista"},
        {{6, 0, 6001, 2, "", 3}, "Microsoft Windows Server \"Longhorn\" ", "WinLHS"},
        {{6, 1, 7601, 2, "", 1}, "Microsoft Windows NT", "WinNT"},
        {{5, 2, 3790, 2, "", 1}, "Microsoft Windows Server 2003 Family", "Win2003"},
    };
    for (const Row& row : rows) {
        os.version = row.version;
        const Names names = namesFor(os);
        EXPECT_EQ(names.full, row.full)
            << row.version.majorVersion << "." << row.version.minorVersion;
        EXPECT_EQ(names.shortName, row.shortName);
    }
}

TEST(OsInfoTest, SixtyFourBitWindowsNeedsTheWow64Directory) {
    FakeOsServices os;
    os.version = {5, 2, 3790, 2, "", 1};
    os.wow64Directory = "C:\\WINDOWS\\SysWOW64";
    os.architecture = 9;
    Names names = namesFor(os);
    EXPECT_TRUE(names.is64);
    EXPECT_EQ(names.full, "Microsoft Windows XP Professional x64 Edition");
    os.version.productType = 3;
    EXPECT_EQ(namesFor(os).full, "Microsoft Windows Server 2003 x64 Edition");

    os.version = {5, 1, 2600, 2, "", 1};
    os.wow64Directory.reset();
    EXPECT_FALSE(namesFor(os).is64);
}

TEST(OsInfoTest, RefusedExtendedRecordFallsBackToTheBasicOneWithoutProductType) {
    FakeOsServices os;
    os.version = {6, 0, 6000, 2, "", 1};
    os.extendedRecord = false;
    EXPECT_EQ(namesFor(os).full, "Microsoft Windows Server \"Longhorn\" ");
}

TEST(OsInfoTest, LinuxNamesFromOsRelease) {
    FakeOsServices os;
    os.osFamily = OsFamily::Linux;
    os.release = parseOsRelease(
        "PRETTY_NAME=\"Debian GNU/Linux 12 (bookworm)\"\nNAME=\"Debian GNU/Linux\"\n"
        "VERSION_ID=\"12\"\nID=debian\n# comment\n");
    os.release.kernelRelease = "6.1.0-18-amd64";
    OsInfo info(os);
    info.queryVersion();
    FixedText<80> full;
    FixedText<40> shortName;
    info.productNames(full, shortName);
    FixedText<52> version;
    info.versionText(version);
    EXPECT_EQ(full.str(), "Debian GNU/Linux 12 (bookworm)");
    EXPECT_EQ(shortName.str(), "debian12");
    EXPECT_EQ(version.str(), "6.1.0 ");
    EXPECT_TRUE(info.isSupportedPlatform());
    EXPECT_FALSE(info.isWindows9x());

    os.release = parseOsRelease("VERSION_ID=\"7 beta\"\n");
    info.queryVersion();
    info.productNames(full, shortName);
    EXPECT_EQ(full.str(), "Linux");
    EXPECT_EQ(shortName.str(), "7beta");
}

}  // namespace
}  // namespace romwise
