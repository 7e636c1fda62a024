// Saving over what a path can name on Linux: device nodes (copies made with
// mknod in a scratch folder, never the machine's own /dev), FIFOs, links,
// hard links, other users' and read-only files, signals during a save, and
// saves from several processes at once. Cases for an ordinary user run in a
// child that drops to "nobody".
#include <fcntl.h>
#include <grp.h>
#include <pwd.h>
#include <sched.h>
#include <signal.h>
#include <sys/file.h>
#include <sys/mount.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/sysmacros.h>
#include <sys/wait.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include <filesystem>
#include <functional>
#include <set>
#include <vector>

#include "platform/linux/linux_report_files.h"
#include "report/report_save.h"
#include "report/text_report.h"
#include "tests/report/report_records.h"
#include "tests/support/child_process.h"
#include "tests/support/scratch_files.h"

namespace romwise {
namespace {

namespace fs = std::filesystem;
using Names = std::set<std::string>;

constexpr char kOldReport[] = "an older report\r\n";

struct stat statusOf(const fs::path& path) {
    struct stat status {};
    EXPECT_EQ(::lstat(path.c_str(), &status), 0) << path;
    return status;
}

using test_support::childFate;

// `body` in a child running as nobody:nogroup: 0 when it returned true, 1
// when false, 99 when the child could not become nobody.
int asNobody(const std::function<bool()>& body) {
    const passwd* nobody = ::getpwnam("nobody");
    return nobody == nullptr ? 99 : childFate([&] {
        const bool dropped = ::setgroups(0, nullptr) == 0 &&
                             ::setresgid(nobody->pw_gid, nobody->pw_gid, nobody->pw_gid) == 0 &&
                             ::setresuid(nobody->pw_uid, nobody->pw_uid, nobody->pw_uid) == 0;
        return dropped ? (body() ? 0 : 1) : 99;
    });
}

class SaveTargetsTest : public ::testing::Test {
  protected:
    // The folder is searchable for the child that runs as nobody.
    void SetUp() override { ::chmod(dir_.path().c_str(), 0755); }

    bool save(const fs::path& target) { return saveTextReport(record_, target.string(), files_); }
    std::string read(const fs::path& path) const {
        const auto bytes = test_support::ReadFileBytes(path);
        return std::string(bytes.begin(), bytes.end());
    }
    fs::path file(const std::string& name, mode_t mode) const {
        const fs::path path = dir_.write(name, kOldReport);
        ::chmod(path.c_str(), mode);
        return path;
    }
    fs::path sharedFolder() const {
        const fs::path folder = dir_.path() / "shared";
        fs::create_directory(folder);
        fs::permissions(folder, fs::perms::all);
        return folder;
    }
    // The names in a folder: a save leaves nothing else behind.
    static Names names(const fs::path& folder) {
        Names found;
        for (const auto& entry : fs::directory_iterator(folder)) {
            found.insert(entry.path().filename().string());
        }
        return found;
    }

    test_support::TempDirectory dir_;
    LinuxReportFiles files_;
    DetectionResults record_ = testing::completedRecord();
    std::string report_ = writeTextReport(record_);
};

TEST_F(SaveTargetsTest, DeviceNodesAreWrittenToNeverReplaced) {
    const fs::path null = dir_.path() / "null";
    const fs::path full = dir_.path() / "full";
    if (::mknod(null.c_str(), S_IFCHR | 0666, makedev(1, 3)) != 0 ||
        ::mknod(full.c_str(), S_IFCHR | 0666, makedev(1, 7)) != 0) {
        GTEST_SKIP() << "this user cannot make device nodes";
    }
    EXPECT_TRUE(save(null));
    testing::MessageView view;
    EXPECT_FALSE(acceptSaveReport(record_, full.string(), files_, view));
    ASSERT_EQ(view.messages.size(), 1u);
    EXPECT_EQ(view.messages[0].text, "File error saving results!");
    EXPECT_EQ(statusOf(null).st_rdev, makedev(1, 3));
    EXPECT_EQ(statusOf(full).st_rdev, makedev(1, 7));
    EXPECT_TRUE(S_ISCHR(statusOf(null).st_mode) && S_ISCHR(statusOf(full).st_mode));
    EXPECT_EQ(names(dir_.path()), (Names{"full", "null"}));
}

TEST_F(SaveTargetsTest, FifosAndPipesAreWrittenToWhenRead) {
    const fs::path fifo = dir_.path() / "fifo";
    ASSERT_EQ(::mkfifo(fifo.c_str(), 0666), 0);
    EXPECT_FALSE(save(fifo)) << "no reader: refused, not waited for";

    // With a reader the report goes into the FIFO (whose buffer holds it all).
    const int reader = ::open(fifo.c_str(), O_RDONLY | O_NONBLOCK);
    ASSERT_GE(reader, 0);
    EXPECT_TRUE(save(fifo));
    std::string received(report_.size() + 1, '\0');
    received.resize(static_cast<std::size_t>(
        std::max<ssize_t>(0, ::read(reader, received.data(), received.size()))));
    ::close(reader);
    EXPECT_EQ(received, report_);
    EXPECT_TRUE(S_ISFIFO(statusOf(fifo).st_mode));

    // A link into /proc to a pipe, as /dev/stdout is when the output is piped.
    int ends[2];
    ASSERT_EQ(::pipe(ends), 0);
    const fs::path link = dir_.path() / "stdout";
    fs::create_symlink("/proc/self/fd/" + std::to_string(ends[1]), link);
    EXPECT_TRUE(save(link));
    ::close(ends[1]);
    std::string piped(report_.size() + 1, '\0');
    piped.resize(static_cast<std::size_t>(
        std::max<ssize_t>(0, ::read(ends[0], piped.data(), piped.size()))));
    ::close(ends[0]);
    EXPECT_EQ(piped, report_);
    EXPECT_TRUE(fs::is_symlink(link));
}

TEST_F(SaveTargetsTest, HardLinksOwnerGroupAndModeSurvive) {
    const fs::path first = file("first.txt", 0640);
    fs::create_hard_link(first, dir_.path() / "second.txt");
    const fs::path owned = file("owned.txt", 0600);
    const fs::path setId = file("set-id.txt", 06755);
    if (::geteuid() == 0) {
        ASSERT_EQ(::chown(owned.c_str(), 65534, 65534), 0);
    }
    const struct stat ownedBefore = statusOf(owned);

    ASSERT_TRUE(save(first));
    EXPECT_EQ(read(dir_.path() / "second.txt"), report_) << "both names show the new report";
    EXPECT_EQ(statusOf(first).st_nlink, 2u);
    EXPECT_EQ(statusOf(first).st_mode & 07777, 0640u);

    ASSERT_TRUE(save(owned));
    EXPECT_EQ(read(owned), report_);
    EXPECT_EQ(statusOf(owned).st_uid, ownedBefore.st_uid);
    EXPECT_EQ(statusOf(owned).st_gid, ownedBefore.st_gid);
    EXPECT_EQ(statusOf(owned).st_mode & 07777, 0600u);

    ASSERT_TRUE(save(setId));
    EXPECT_EQ(statusOf(setId).st_mode & 07777, 0755u) << "as a write clears them";
    EXPECT_EQ(names(dir_.path()), (Names{"first.txt", "owned.txt", "second.txt", "set-id.txt"}));
}

TEST_F(SaveTargetsTest, LinksLeadToTheFileTheyName) {
    fs::create_symlink("made-by-save.txt", dir_.path() / "dangling");
    ASSERT_TRUE(save(dir_.path() / "dangling"));
    EXPECT_TRUE(fs::is_symlink(dir_.path() / "dangling"));
    EXPECT_EQ(read(dir_.path() / "made-by-save.txt"), report_);

    fs::create_symlink("loop-b", dir_.path() / "loop-a");
    fs::create_symlink("loop-a", dir_.path() / "loop-b");
    EXPECT_FALSE(save(dir_.path() / "loop-a"));
    EXPECT_TRUE(fs::is_symlink(dir_.path() / "loop-a") && fs::is_symlink(dir_.path() / "loop-b"));
    EXPECT_EQ(names(dir_.path()), (Names{"dangling", "loop-a", "loop-b", "made-by-save.txt"}));
}

TEST_F(SaveTargetsTest, ALinkOfAnotherUserLeadsOnlyIntoTheirOwnFiles) {
    const passwd* nobody = ::getpwnam("nobody");
    if (::geteuid() != 0 || nobody == nullptr) {
        GTEST_SKIP() << "needs root to give a link another owner";
    }
    const auto plant = [&](const std::string& name, const fs::path& to) {
        const fs::path link = dir_.path() / name;
        fs::create_symlink(to, link);
        EXPECT_EQ(::lchown(link.c_str(), nobody->pw_uid, nobody->pw_gid), 0);
        return link;
    };
    // Root's own file, a new file in root's folder, a device of root's.
    const fs::path roots = file("roots.txt", 0600);
    EXPECT_FALSE(save(plant("to-roots", roots)));
    EXPECT_EQ(read(roots), kOldReport);
    EXPECT_FALSE(save(plant("to-new", dir_.path() / "new.txt")));
    const fs::path null = dir_.path() / "null";
    if (::mknod(null.c_str(), S_IFCHR | 0666, makedev(1, 3)) == 0) {
        EXPECT_FALSE(save(plant("to-null", null)));
    }
    EXPECT_FALSE(fs::exists(dir_.path() / "new.txt"));

    // Into that user's own file, or through root's own link, it leads on.
    const fs::path theirs = file("theirs.txt", 0644);
    ASSERT_EQ(::chown(theirs.c_str(), nobody->pw_uid, nobody->pw_gid), 0);
    ASSERT_TRUE(save(plant("to-theirs", theirs)));
    EXPECT_EQ(read(theirs), report_);
    EXPECT_EQ(statusOf(theirs).st_uid, nobody->pw_uid);
    fs::create_symlink(roots, dir_.path() / "roots-own-link");
    ASSERT_TRUE(save(dir_.path() / "roots-own-link"));
    EXPECT_EQ(read(roots), report_);
    EXPECT_TRUE(fs::is_symlink(dir_.path() / "to-theirs") &&
                fs::is_symlink(dir_.path() / "roots-own-link"));
}

TEST_F(SaveTargetsTest, ReadOnlyFilesStayAsTheyAre) {
    // Root passes permission checks but honours a file nobody may write.
    const fs::path readOnly = file("read-only.txt", 0444);
    EXPECT_FALSE(save(readOnly));
    EXPECT_EQ(read(readOnly), kOldReport);
    if (::geteuid() != 0) {
        return;
    }
    // An ordinary user, in a folder everyone may write, over root's file.
    const fs::path rootsFile = sharedFolder() / "roots.txt";
    dir_.write("shared/roots.txt", kOldReport);
    ::chmod(rootsFile.c_str(), 0644);
    EXPECT_EQ(asNobody([&] { return save(rootsFile); }), 1) << "the save must be refused";
    EXPECT_EQ(read(rootsFile), kOldReport);
    EXPECT_EQ(statusOf(rootsFile).st_uid, 0u);
    EXPECT_EQ(names(rootsFile.parent_path()), Names{"roots.txt"});
}

TEST_F(SaveTargetsTest, FileOfAnotherOwnerIsRewrittenInPlace) {
    if (::geteuid() != 0) {
        GTEST_SKIP() << "needs root to hand the folder and the file out";
    }
    // Nobody may write root's file through its group and create files in the
    // folder, but cannot give a new file root as its owner.
    const fs::path target = sharedFolder() / "group.txt";
    dir_.write("shared/group.txt", kOldReport);
    ASSERT_EQ(::chown(target.c_str(), 0, ::getpwnam("nobody")->pw_gid), 0);
    ASSERT_EQ(::chmod(target.c_str(), 0664), 0);
    const ino_t inode = statusOf(target).st_ino;

    ASSERT_EQ(asNobody([&] { return save(target); }), 0);
    EXPECT_EQ(read(target), report_);
    EXPECT_EQ(statusOf(target).st_ino, inode);
    EXPECT_EQ(statusOf(target).st_uid, 0u);
    EXPECT_EQ(statusOf(target).st_mode & 07777, 0664u);
    EXPECT_EQ(names(target.parent_path()), Names{"group.txt"});
}

TEST_F(SaveTargetsTest, FileSizeLimitIsAWriteErrorNotTheEnd) {
    // SIGXFSZ at its default action would end the program between creating
    // the staging file and removing it. The hard-linked file is rewritten in
    // place, the others renamed over.
    const fs::path old = file("old.txt", 0644);
    const fs::path linked = file("linked.txt", 0644);
    fs::create_hard_link(linked, dir_.path() / "linked-too.txt");
    const int fate = childFate([&] {
        const rlimit limit{64, 64};
        ::setrlimit(RLIMIT_FSIZE, &limit);
        for (const fs::path& target : {dir_.path() / "fresh.txt", old, linked}) {
            testing::MessageView view;
            if (acceptSaveReport(record_, target.string(), files_, view) ||
                view.messages.size() != 1) {
                return 1;
            }
        }
        return 0;
    });
    EXPECT_EQ(fate, 0);
    EXPECT_EQ(read(old), kOldReport);
    EXPECT_EQ(read(linked), kOldReport);
    EXPECT_EQ(names(dir_.path()), (Names{"linked-too.txt", "linked.txt", "old.txt"}));
}

TEST_F(SaveTargetsTest, EndingSignalWaitsUntilTheStagingFileIsGone) {
    const fs::path old = file("old.txt", 0644);
    const int fate = childFate([&] {
        auto staged = files_.createBeside(old.string());
        if (!staged || !staged->write(report_)) {
            return 1;
        }
        ::raise(SIGTERM);  // held: the save goes on
        if (!staged->close() || !staged->replaceTarget()) {
            return 2;
        }
        staged.reset();  // the signal arrives here
        return 3;
    });
    EXPECT_EQ(fate, -SIGTERM);
    EXPECT_EQ(read(old), report_);
    EXPECT_EQ(names(dir_.path()), Names{"old.txt"});
}

TEST_F(SaveTargetsTest, NamedStagingFileWhereNoUnnamedOneCanBeLinked) {
    // Without /proc (covered here in a private mount namespace) an unnamed
    // file cannot be given a name: the staging file is a hidden named one,
    // and an ending signal still waits until it is gone.
    const fs::path old = file("old.txt", 0644);
    const int fate = childFate([&] {
        if (::unshare(CLONE_NEWNS) != 0 ||
            ::mount(nullptr, "/", nullptr, MS_REC | MS_PRIVATE, nullptr) != 0 ||
            ::mount("none", "/proc", "tmpfs", 0, nullptr) != 0) {
            return 99;
        }
        if (!save(dir_.path() / "fresh.txt")) {
            return 1;
        }
        auto staged = files_.createBeside(old.string());
        if (!staged || !staged->write(report_) || names(dir_.path()).size() != 3) {
            return 2;
        }
        ::raise(SIGTERM);
        const bool replaced = staged->close() && staged->replaceTarget();
        staged.reset();
        return replaced ? 3 : 4;
    });
    if (fate == 99) {
        GTEST_SKIP() << "this user cannot make a mount namespace";
    }
    EXPECT_EQ(fate, -SIGTERM);
    EXPECT_EQ(read(dir_.path() / "fresh.txt"), report_);
    EXPECT_EQ(read(old), report_);
    EXPECT_EQ(names(dir_.path()), (Names{"fresh.txt", "old.txt"}));
}

// Four saves of reports of four lengths at once, to a new name, a file and
// a file with a second hard link: each ends well (none is refused because
// another got there first) and one whole report is left.
TEST_F(SaveTargetsTest, SavesAtOnceEachLeaveOneWholeReport) {
    constexpr std::size_t kSlots[] = {1, 5, 9, 13};
    std::set<std::string> reports;
    for (const std::size_t slots : kSlots) {
        reports.insert(writeTextReport(testing::completedRecord(slots)));
    }
    const fs::path target = dir_.path() / "bios.txt";
    for (int round = 0; round < 45; ++round) {
        fs::remove(target);
        fs::remove(dir_.path() / "bios-too.txt");
        if (round % 3 > 0) {
            file("bios.txt", 0644);
        }
        if (round % 3 == 2) {
            fs::create_hard_link(target, dir_.path() / "bios-too.txt");
        }
        int gate[2];
        ASSERT_EQ(::pipe(gate), 0);
        std::vector<pid_t> savers;
        for (const std::size_t slots : kSlots) {
            savers.push_back(::fork());
            if (savers.back() == 0) {
                ::close(gate[1]);
                char go = 0;
                ::_exit(
                    ::read(gate[0], &go, 1) == 0 &&
                            saveTextReport(testing::completedRecord(slots), target.string(), files_)
                        ? 0
                        : 1);
            }
        }
        ::close(gate[0]);
        ::close(gate[1]);  // every save starts now
        for (const pid_t saver : savers) {
            int status = 1;
            ::waitpid(saver, &status, 0);
            EXPECT_EQ(status, 0) << "refused in round " << round;
        }
        EXPECT_EQ(reports.count(read(target)), 1u) << read(target);
        EXPECT_EQ(names(dir_.path()).size(), round % 3 == 2 ? 2u : 1u);
    }
}

// While another save holds the file (its lock, as it holds it while
// rewriting a file with hard links in place), a save waits.
TEST_F(SaveTargetsTest, ASaveWaitsWhileAnotherHoldsTheFile) {
    const fs::path linked = file("linked.txt", 0644);
    fs::create_hard_link(linked, dir_.path() / "linked-too.txt");
    const int held = ::open(linked.c_str(), O_WRONLY);
    ASSERT_EQ(::flock(held, LOCK_EX), 0);
    const pid_t saver = ::fork();
    if (saver == 0) {
        ::close(held);
        ::_exit(save(linked) ? 0 : 1);
    }
    ::usleep(300000);
    EXPECT_EQ(read(linked), kOldReport) << "written while the file was held";
    ::close(held);
    int status = 1;
    ::waitpid(saver, &status, 0);
    EXPECT_EQ(status, 0);
    EXPECT_EQ(read(linked), report_);
}

}  // namespace
}  // namespace romwise
