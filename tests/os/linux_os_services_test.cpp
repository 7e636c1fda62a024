// The Linux platform's answers, with os-release files and environment the
// tests choose.
#include "platform/linux/linux_os_services.h"

#include <gtest/gtest.h>
#include <sys/utsname.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>

#include "model/detection_results.h"
#include "os/locale_info.h"
#include "os/os_info.h"

namespace romwise {
namespace {

namespace fs = std::filesystem;

class OsReleaseFile {
  public:
    explicit OsReleaseFile(const std::string& text)
        : path_(fs::temp_directory_path() / ("romwise-os-release-" + std::to_string(getpid()))) {
        std::ofstream(path_) << text;
    }
    ~OsReleaseFile() { fs::remove(path_); }
    std::string path() const { return path_.string(); }

  private:
    fs::path path_;
};

struct LinuxNames {
    std::string full, shortName, version;
};

LinuxNames namesFrom(LinuxOsServices& services) {
    OsInfo info(services);
    info.queryVersion();
    FixedText<80> full;
    FixedText<40> shortName;
    FixedText<52> version;
    info.productNames(full, shortName);
    info.versionText(version);
    return {full.str(), shortName.str(), version.str()};
}

std::string kernelVersionText() {
    utsname names{};
    uname(&names);
    unsigned major = 0, minor = 0, patch = 0;
    std::sscanf(names.release, "%u.%u.%u", &major, &minor, &patch);
    return std::to_string(major) + "." + std::to_string(minor) + "." + std::to_string(patch) + " ";
}

TEST(LinuxOsServicesTest, NamesComeFromOsReleaseAndTheKernel) {
    OsReleaseFile file("NAME=\"Quokka Linux\"\nID=quokka\nVERSION_ID=\"3.1\"\n");
    LinuxOsServices services(std::vector<std::string>{file.path()});
    const LinuxNames names = namesFrom(services);
    EXPECT_EQ(names.full, "Quokka Linux");  // no PRETTY_NAME: NAME
    EXPECT_EQ(names.shortName, "quokka3.1");
    EXPECT_EQ(names.version, kernelVersionText());
}

TEST(LinuxOsServicesTest, MissingOrMalformedOsReleaseGivesLinux) {
    LinuxOsServices missing(std::vector<std::string>{"/nonexistent/os-release"});
    LinuxNames names = namesFrom(missing);
    EXPECT_EQ(names.full, "Linux");
    EXPECT_EQ(names.shortName, "Linux");

    OsReleaseFile garbage("\x01\x02=\n===\nPRETTY_NAME\n\"\nID=\"unterminated\n\xFF\xFE");
    LinuxOsServices malformed(std::vector<std::string>{garbage.path()});
    names = namesFrom(malformed);
    EXPECT_EQ(names.full, "Linux");
    EXPECT_EQ(names.shortName, "\"unterminated");
}

TEST(LinuxOsServicesTest, NonAsciiNamesArriveInTheRecordsCodePage) {
    OsReleaseFile file("PRETTY_NAME=\"Distribuci\xC3\xB3n 1\"\n");
    LinuxOsServices services(std::vector<std::string>{file.path()});
    EXPECT_EQ(namesFrom(services).full, "Distribuci\xF3n 1");
}

TEST(LinuxOsServicesTest, TimeZoneFollowsTzAndCountryFollowsTheLocale) {
    LinuxOsServices services({"/etc/os-release"}, {ROMWISE_COUNTRY_MODULE});
    DetectionResults results;
    results.countryCode.assign("kept");
    results.countryName.assign("kept");

    setenv("TZ", "EST5EDT", 1);
    unsetenv("LC_ALL");
    unsetenv("LC_MESSAGES");
    setenv("LANG", "C.UTF-8", 1);
    readLocaleAndTimeZone(services, results);
    EXPECT_EQ(results.timeZoneHours, 5);  // standard time, daylight saving not applied
    EXPECT_EQ(results.countryCode.str(), "kept");
    EXPECT_EQ(results.countryName.str(), "kept");

    setenv("TZ", "IST-5:30", 1);
    setenv("LANG", "zh_CN.UTF-8", 1);
    readLocaleAndTimeZone(services, results);
    EXPECT_EQ(results.timeZoneHours, -5);
    EXPECT_EQ(results.countryCode.str(), "86");
    EXPECT_EQ(results.countryName.str(), "China");

    setenv("TZ", "UTC0", 1);
    readLocaleAndTimeZone(services, results);
    EXPECT_EQ(results.timeZoneHours, 0);
    unsetenv("TZ");
    unsetenv("LANG");
}

}  // namespace
}  // namespace romwise
