// Saving over what a path can name on Linux: device nodes (copies made with
// mknod in a scratch folder, never the machine's own /dev), FIFOs, links,
// hard links, other users' and read-only files, and signals during a save.
// Cases for an ordinary user run in a child that drops to "nobody".
#include <fcntl.h>
#include <grp.h>
#include <pwd.h>
#include <signal.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/sysmacros.h>
#include <sys/wait.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include <filesystem>
#include <functional>
#include <thread>

#include "platform/linux/linux_report_files.h"
#include "report/report_save.h"
#include "report/text_report.h"
#include "tests/report/report_records.h"
#include "tests/support/scratch_files.h"

namespace romwise {
namespace {

namespace fs = std::filesystem;
using test_support::ReadFileBytes;
using test_support::TempDirectory;
using testing::completedRecord;

constexpr char kOldReport[] = "an older report\r\n";

struct stat statusOf(const fs::path& path) {
    struct stat status {};
    EXPECT_EQ(::lstat(path.c_str(), &status), 0) << path;
    return status;
}

class SaveTargetsTest : public ::testing::Test {
  protected:
    void SetUp() override {
        // Readable and searchable for the child that runs as nobody.
        fs::permissions(dir_.path(), fs::perms::owner_all | fs::perms::group_exec |
                                         fs::perms::others_exec | fs::perms::others_read);
    }

    bool save(const fs::path& target) { return saveTextReport(record_, target.string(), files_); }
    std::string read(const fs::path& path) const {
        const std::vector<std::uint8_t> bytes = ReadFileBytes(path);
        return std::string(bytes.begin(), bytes.end());
    }
    fs::path write(const std::string& name, const std::string& text, mode_t mode) const {
        const fs::path path = dir_.write(name, text);
        EXPECT_EQ(::chmod(path.c_str(), mode), 0);
        return path;
    }
    // The names in the folder: a save leaves nothing else behind.
    std::vector<std::string> names(const fs::path& folder) const {
        std::vector<std::string> found;
        for (const auto& entry : fs::directory_iterator(folder)) {
            found.push_back(entry.path().filename().string());
        }
        std::sort(found.begin(), found.end());
        return found;
    }
    // A character device node like /dev/null (1, 3) or /dev/full (1, 7).
    fs::path deviceNode(const std::string& name, unsigned minorNumber) {
        const fs::path path = dir_.path() / name;
        if (::mknod(path.c_str(), S_IFCHR | 0666, makedev(1, minorNumber)) != 0) {
            return {};
        }
        ::chmod(path.c_str(), 0666);
        return path;
    }
    // Runs `body` in a child as user nobody (with group nogroup); its exit
    // status, or -1 when the child could not become nobody.
    static int asNobody(const std::function<bool()>& body) {
        const passwd* nobody = ::getpwnam("nobody");
        if (nobody == nullptr) {
            return -1;
        }
        const uid_t uid = nobody->pw_uid;
        const gid_t gid = nobody->pw_gid;
        const pid_t child = ::fork();
        if (child == 0) {
            if (::setgroups(0, nullptr) != 0 || ::setresgid(gid, gid, gid) != 0 ||
                ::setresuid(uid, uid, uid) != 0) {
                ::_exit(99);
            }
            ::_exit(body() ? 0 : 1);
        }
        int status = 0;
        ::waitpid(child, &status, 0);
        return WIFEXITED(status) && WEXITSTATUS(status) != 99 ? WEXITSTATUS(status) : -1;
    }
    static bool isRoot() { return ::geteuid() == 0; }

    TempDirectory dir_;
    LinuxReportFiles files_;
    DetectionResults record_ = completedRecord();
    std::string report_ = writeTextReport(record_);
};

TEST_F(SaveTargetsTest, DeviceNodesAreWrittenToNeverReplaced) {
    const fs::path null = deviceNode("null", 3);
    const fs::path full = deviceNode("full", 7);
    if (null.empty() || full.empty()) {
        GTEST_SKIP() << "this user cannot make device nodes";
    }
    EXPECT_TRUE(save(null));
    testing::MessageView view;
    EXPECT_FALSE(acceptSaveReport(record_, full.string(), files_, view));
    ASSERT_EQ(view.messages.size(), 1u);
    EXPECT_EQ(view.messages[0].text, "File error saving results!");
    for (const auto& [node, minorNumber] : {std::pair{null, 3u}, std::pair{full, 7u}}) {
        const struct stat status = statusOf(node);
        EXPECT_TRUE(S_ISCHR(status.st_mode)) << node;
        EXPECT_EQ(status.st_rdev, makedev(1, minorNumber)) << node;
    }
    EXPECT_EQ(names(dir_.path()), (std::vector<std::string>{"full", "null"}));
}

TEST_F(SaveTargetsTest, FifoIsWrittenToWhenReadAndRefusedWithoutAReader) {
    const fs::path fifo = dir_.path() / "fifo";
    ASSERT_EQ(::mkfifo(fifo.c_str(), 0666), 0);
    EXPECT_FALSE(save(fifo)) << "no reader: refused, not waited for";

    std::string received;
    const int reader = ::open(fifo.c_str(), O_RDONLY | O_NONBLOCK);
    ASSERT_GE(reader, 0);
    ::fcntl(reader, F_SETFL, 0);
    std::thread drain([&] {
        char chunk[256];
        ssize_t n = 0;
        while ((n = ::read(reader, chunk, sizeof chunk)) > 0) {
            received.append(chunk, static_cast<std::size_t>(n));
        }
    });
    EXPECT_TRUE(save(fifo));
    drain.join();
    ::close(reader);
    EXPECT_EQ(received, report_);
    EXPECT_TRUE(S_ISFIFO(statusOf(fifo).st_mode));
}

TEST_F(SaveTargetsTest, LinkToStandardOutputReachesThePipe) {
    // As /dev/stdout -> /proc/self/fd/1 does when the output is a pipe.
    int pipeEnds[2];
    ASSERT_EQ(::pipe(pipeEnds), 0);
    const fs::path link = dir_.path() / "stdout";
    fs::create_symlink("/proc/self/fd/" + std::to_string(pipeEnds[1]), link);
    EXPECT_TRUE(save(link));
    ::close(pipeEnds[1]);
    std::string received(report_.size() + 1, '\0');
    const ssize_t n = ::read(pipeEnds[0], received.data(), received.size());
    ::close(pipeEnds[0]);
    EXPECT_EQ(received.substr(0, n > 0 ? static_cast<std::size_t>(n) : 0), report_);
    EXPECT_TRUE(fs::is_symlink(link));
}

TEST_F(SaveTargetsTest, HardLinksOwnerGroupAndModeSurvive) {
    const fs::path first = write("first.txt", kOldReport, 0640);
    const fs::path second = dir_.path() / "second.txt";
    fs::create_hard_link(first, second);
    const fs::path owned = write("owned.txt", kOldReport, 0600);
    const fs::path setId = write("set-id.txt", kOldReport, 06755);
    if (isRoot()) {
        ASSERT_EQ(::chown(owned.c_str(), 65534, 65534), 0);
    }
    const struct stat ownedBefore = statusOf(owned);

    ASSERT_TRUE(save(first));
    EXPECT_EQ(read(second), report_) << "both names show the new report";
    EXPECT_EQ(statusOf(first).st_ino, statusOf(second).st_ino);
    EXPECT_EQ(statusOf(first).st_mode & 07777, 0640u);

    ASSERT_TRUE(save(owned));
    const struct stat ownedAfter = statusOf(owned);
    EXPECT_EQ(read(owned), report_);
    EXPECT_EQ(ownedAfter.st_uid, ownedBefore.st_uid);
    EXPECT_EQ(ownedAfter.st_gid, ownedBefore.st_gid);
    EXPECT_EQ(ownedAfter.st_mode & 07777, 0600u);

    ASSERT_TRUE(save(setId));
    EXPECT_EQ(statusOf(setId).st_mode & 07777, 0755u) << "as a write clears them";
    EXPECT_EQ(names(dir_.path()),
              (std::vector<std::string>{"first.txt", "owned.txt", "second.txt", "set-id.txt"}));
}

TEST_F(SaveTargetsTest, LinksLeadToTheFileTheyName) {
    fs::create_symlink("made-by-save.txt", dir_.path() / "dangling");
    ASSERT_TRUE(save(dir_.path() / "dangling"));
    EXPECT_TRUE(fs::is_symlink(dir_.path() / "dangling"));
    EXPECT_EQ(read(dir_.path() / "made-by-save.txt"), report_);

    fs::create_symlink("loop-b", dir_.path() / "loop-a");
    fs::create_symlink("loop-a", dir_.path() / "loop-b");
    EXPECT_FALSE(save(dir_.path() / "loop-a"));
    EXPECT_TRUE(fs::is_symlink(dir_.path() / "loop-a"));
    EXPECT_TRUE(fs::is_symlink(dir_.path() / "loop-b"));
    EXPECT_EQ(names(dir_.path()),
              (std::vector<std::string>{"dangling", "loop-a", "loop-b", "made-by-save.txt"}));
}

TEST_F(SaveTargetsTest, ReadOnlyFilesStayAsTheyAre) {
    // Root passes permission checks but honours a file nobody may write.
    const fs::path readOnly = write("read-only.txt", kOldReport, 0444);
    EXPECT_FALSE(save(readOnly));
    EXPECT_EQ(read(readOnly), kOldReport);
    if (!isRoot()) {
        return;
    }
    // An ordinary user in a folder everyone may write, over root's file that
    // the user may read but not write.
    const fs::path shared = dir_.path() / "shared";
    fs::create_directory(shared);
    fs::permissions(shared, fs::perms::all);
    const fs::path rootsFile = shared / "roots.txt";
    dir_.write("shared/roots.txt", kOldReport);
    ::chmod(rootsFile.c_str(), 0644);
    const int status = asNobody([&] { return save(rootsFile); });
    ASSERT_NE(status, -1) << "cannot run as nobody";
    EXPECT_EQ(status, 1) << "the save must be refused";
    EXPECT_EQ(read(rootsFile), kOldReport);
    EXPECT_EQ(statusOf(rootsFile).st_uid, 0u);
    EXPECT_EQ(names(shared), std::vector<std::string>{"roots.txt"});
}

TEST_F(SaveTargetsTest, FileOfAnotherOwnerIsRewrittenInPlace) {
    if (!isRoot()) {
        GTEST_SKIP() << "needs root to hand the folder and the file out";
    }
    // Nobody may write root's file through its group, and may create files
    // in the folder, but cannot give a new file root as its owner.
    const passwd* nobody = ::getpwnam("nobody");
    ASSERT_NE(nobody, nullptr);
    const fs::path shared = dir_.path() / "shared";
    fs::create_directory(shared);
    fs::permissions(shared, fs::perms::all);
    const fs::path target = shared / "group.txt";
    dir_.write("shared/group.txt", kOldReport);
    ASSERT_EQ(::chown(target.c_str(), 0, nobody->pw_gid), 0);
    ASSERT_EQ(::chmod(target.c_str(), 0664), 0);
    const ino_t inode = statusOf(target).st_ino;

    ASSERT_EQ(asNobody([&] { return save(target); }), 0);
    EXPECT_EQ(read(target), report_);
    const struct stat after = statusOf(target);
    EXPECT_EQ(after.st_ino, inode);
    EXPECT_EQ(after.st_uid, 0u);
    EXPECT_EQ(after.st_mode & 07777, 0664u);
    EXPECT_EQ(names(shared), std::vector<std::string>{"group.txt"});
}

// The child's fate, for saves that must not outlive a signal.
int childFate(const std::function<void()>& body) {
    const pid_t child = ::fork();
    if (child == 0) {
        body();
        ::_exit(0);
    }
    int status = 0;
    ::waitpid(child, &status, 0);
    return WIFSIGNALED(status) ? -WTERMSIG(status) : WEXITSTATUS(status);
}

TEST_F(SaveTargetsTest, FileSizeLimitIsAWriteErrorNotTheEnd) {
    // SIGXFSZ at its default action would end the program between creating
    // the staging file and removing it.
    const fs::path fresh = dir_.path() / "fresh.txt";
    const fs::path old = write("old.txt", kOldReport, 0644);
    const fs::path linked = write("linked.txt", kOldReport, 0644);
    fs::create_hard_link(linked, dir_.path() / "linked-too.txt");  // rewritten in place
    const int fate = childFate([&] {
        const rlimit limit{64, 64};
        ::setrlimit(RLIMIT_FSIZE, &limit);
        for (const fs::path& target : {fresh, old, linked}) {
            testing::MessageView view;
            if (acceptSaveReport(record_, target.string(), files_, view) ||
                view.messages.size() != 1) {
                ::_exit(1);
            }
        }
    });
    EXPECT_EQ(fate, 0);
    EXPECT_EQ(read(old), kOldReport);
    EXPECT_EQ(read(linked), kOldReport);
    EXPECT_EQ(names(dir_.path()),
              (std::vector<std::string>{"linked-too.txt", "linked.txt", "old.txt"}));
}

TEST_F(SaveTargetsTest, EndingSignalWaitsUntilTheStagingFileIsGone) {
    const fs::path old = write("old.txt", kOldReport, 0644);
    const int fate = childFate([&] {
        auto file = files_.createBeside(old.string());
        if (!file || !file->write(report_)) {
            ::_exit(1);
        }
        ::raise(SIGTERM);  // held: the save goes on
        if (!file->close() || !file->replaceTarget()) {
            ::_exit(2);
        }
        file.reset();  // the signal arrives here
        ::_exit(3);
    });
    EXPECT_EQ(fate, -SIGTERM);
    EXPECT_EQ(read(old), report_);
    EXPECT_EQ(names(dir_.path()), std::vector<std::string>{"old.txt"});
}

}  // namespace
}  // namespace romwise
