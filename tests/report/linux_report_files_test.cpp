// Saving onto the real file system: missing and read-only directories, a
// write error after the file opened, and what happens to an existing file.
#include "platform/linux/linux_report_files.h"

#include <gtest/gtest.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <csignal>
#include <filesystem>
#include <fstream>

#include "report/report_save.h"
#include "report/text_report.h"
#include "tests/report/report_records.h"

namespace romwise {
namespace {

namespace fs = std::filesystem;
using testing::completedRecord;

constexpr char kOldReport[] = "an older report\r\n";

class LinuxReportFilesTest : public ::testing::Test {
  protected:
    void SetUp() override {
        dir_ = fs::temp_directory_path() /
               ("romwise-report-files-" + std::to_string(::getpid()) + "-" +
                ::testing::UnitTest::GetInstance()->current_test_info()->name());
        fs::remove_all(dir_);
        fs::create_directories(dir_);
    }
    void TearDown() override {
        std::error_code ignored;
        fs::permissions(dir_, fs::perms::owner_all, fs::perm_options::add, ignored);
        fs::remove_all(dir_, ignored);
    }

    static std::string read(const fs::path& path) {
        std::ifstream in(path, std::ios::binary);
        return std::string((std::istreambuf_iterator<char>(in)), {});
    }
    static void write(const fs::path& path, const std::string& text) {
        std::ofstream(path, std::ios::binary) << text;
    }
    // Only the named files: no temporary file stays behind.
    std::size_t entries() const {
        return static_cast<std::size_t>(std::distance(fs::directory_iterator(dir_), {}));
    }

    fs::path dir_;
    LinuxReportFiles files_;
    DetectionResults record_ = completedRecord();
};

TEST_F(LinuxReportFilesTest, ReplacesAnExistingReportKeepingItsPermissions) {
    const fs::path target = dir_ / "bios.txt";
    write(target, kOldReport);
    ASSERT_EQ(::chmod(target.c_str(), 0640), 0);
    ASSERT_TRUE(saveTextReport(record_, target.string(), files_));
    EXPECT_EQ(read(target), writeTextReport(record_));
    EXPECT_EQ(fs::status(target).permissions() & fs::perms::all,
              fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read);
    EXPECT_EQ(entries(), 1u);
}

TEST_F(LinuxReportFilesTest, TargetsThatCannotBeWrittenLeaveNothingBehind) {
    const fs::path existing = dir_ / "bios.txt";
    write(existing, kOldReport);
    fs::create_directory(dir_ / "folder");
    const std::string refused[] = {
        (dir_ / "missing" / "bios.txt").string(),
        (dir_ / "folder").string(),                      // a directory
        (dir_ / "bios.txt/").string(),                   // names a directory
        existing.string() + std::string(1, '\0') + "x",  // cannot reach the system whole
        (dir_ / std::string(300, 'n')).string(),         // longer than a file name may be
        "",
    };
    for (const std::string& path : refused) {
        EXPECT_FALSE(saveTextReport(record_, path, files_)) << path;
    }
    EXPECT_EQ(read(existing), kOldReport);
    EXPECT_EQ(entries(), 2u);
}

TEST_F(LinuxReportFilesTest, LongNameIsWrittenUnderThatName) {
    const std::string name = std::string(150, 'b') + ".txt";
    ASSERT_TRUE(saveTextReport(record_, (dir_ / name).string(), files_));
    EXPECT_EQ(read(dir_ / name), writeTextReport(record_));
    EXPECT_FALSE(fs::exists(dir_ / name.substr(0, 99)));
}

TEST_F(LinuxReportFilesTest, SymbolicLinkStaysALink) {
    const fs::path real = dir_ / "real.txt";
    write(real, kOldReport);
    fs::create_symlink(real, dir_ / "link.txt");
    ASSERT_TRUE(saveTextReport(record_, (dir_ / "link.txt").string(), files_));
    EXPECT_TRUE(fs::is_symlink(dir_ / "link.txt"));
    EXPECT_EQ(read(real), writeTextReport(record_));
}

TEST_F(LinuxReportFilesTest, WriteErrorAfterOpeningKeepsTheOldFile) {
    // A file-size limit makes writes fail after the file opened, as a full
    // file system does. It is set in a child so that nothing else feels it.
    const fs::path target = dir_ / "bios.txt";
    write(target, kOldReport);
    const pid_t child = ::fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
        std::signal(SIGXFSZ, SIG_IGN);
        const rlimit limit{64, 64};
        ::setrlimit(RLIMIT_FSIZE, &limit);
        testing::MessageView view;
        const bool saved = acceptSaveReport(record_, target.string(), files_, view);
        const bool told =
            view.messages.size() == 1 && view.messages[0].text == "File error saving results!";
        ::_exit(!saved && told ? 0 : 1);
    }
    int status = 0;
    ASSERT_EQ(::waitpid(child, &status, 0), child);
    ASSERT_TRUE(WIFEXITED(status));
    EXPECT_EQ(WEXITSTATUS(status), 0);
    EXPECT_EQ(read(target), kOldReport);
    EXPECT_EQ(entries(), 1u);
}

TEST_F(LinuxReportFilesTest, ReadOnlyDirectoryKeepsTheOldFile) {
    const fs::path target = dir_ / "bios.txt";
    write(target, kOldReport);
    fs::permissions(dir_, fs::perms::owner_read | fs::perms::owner_exec);
    // Root passes permission checks but honours a directory nobody may write.
    if (::access(dir_.c_str(), W_OK) == 0 && ::geteuid() != 0) {
        GTEST_SKIP() << "this user may write into read-only directories";
    }
    testing::MessageView view;
    EXPECT_FALSE(acceptSaveReport(record_, target.string(), files_, view));
    EXPECT_EQ(view.messages.size(), 1u);
    EXPECT_EQ(read(target), kOldReport);
}

TEST_F(LinuxReportFilesTest, ReadOnlySystemDirectoryIsRefused) {
    // /proc takes no new files, whoever asks.
    EXPECT_FALSE(saveTextReport(record_, "/proc/romwise-bios.txt", files_));
}

}  // namespace
}  // namespace romwise
