// Saves of one file from several processes at once, as when two windows or
// scripts save to the same name: each finished save leaves one whole
// report, none is refused that opening the file would allow, a file with a
// second hard link is never torn, and a save waits while another holds the
// file.
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include <filesystem>
#include <set>
#include <string>
#include <vector>

#include "platform/linux/linux_report_files.h"
#include "report/report_save.h"
#include "report/text_report.h"
#include "tests/report/report_records.h"
#include "tests/support/scratch_files.h"

namespace romwise {
namespace {

namespace fs = std::filesystem;

constexpr int kSavers = 4;
constexpr int kRounds = 15;

enum class Target { NewFile, RegularFile, HardLinked };

// Records whose reports differ in length (1 to kSavers memory slots * 2),
// so that a mix of two, or one cut short, shows.
std::vector<DetectionResults> records() {
    std::vector<DetectionResults> made;
    for (int i = 0; i < kSavers; ++i) {
        made.push_back(testing::completedRecord(static_cast<std::size_t>(1 + i * 4)));
    }
    return made;
}

// A process that saves `record` to `target` once every write end of the
// pipe `gate` is closed (at once for -1); first it closes what it must not
// share with this process: the gate's write end, a file this test holds.
pid_t startSave(const DetectionResults& record, const fs::path& target, int gate,
                std::initializer_list<int> notShared) {
    const pid_t child = ::fork();
    if (child == 0) {
        for (const int descriptor : notShared) {
            ::close(descriptor);
        }
        char go = 0;
        const bool released = gate < 0 || ::read(gate, &go, 1) >= 0;
        LinuxReportFiles files;
        ::_exit(released && saveTextReport(record, target.string(), files) ? 0 : 1);
    }
    return child;
}

// Whether the child saved: it exited 0.
bool saved(pid_t child) {
    int status = 0;
    return ::waitpid(child, &status, 0) == child && WIFEXITED(status) && WEXITSTATUS(status) == 0;
}

std::string read(const fs::path& path) {
    const auto bytes = test_support::ReadFileBytes(path);
    return std::string(bytes.begin(), bytes.end());
}

class ConcurrentSavesTest : public ::testing::Test {
  protected:
    fs::path prepare(Target kind) {
        fs::remove_all(dir_.path() / "folder");
        fs::create_directory(dir_.path() / "folder");
        const fs::path target = dir_.path() / "folder" / "bios.txt";
        if (kind != Target::NewFile) {
            dir_.write("folder/bios.txt", "an older report\r\n");
        }
        if (kind == Target::HardLinked) {
            fs::create_hard_link(target, dir_.path() / "folder" / "second-link.txt");
        }
        return target;
    }

    test_support::TempDirectory dir_;
    std::vector<DetectionResults> records_ = records();
    std::set<std::string> reports_ = [this] {
        std::set<std::string> texts;
        for (const DetectionResults& record : records_) {
            texts.insert(writeTextReport(record));
        }
        return texts;
    }();
};

TEST_F(ConcurrentSavesTest, EachLeavesOneWholeReportAndNoneIsRefused) {
    for (const Target kind : {Target::NewFile, Target::RegularFile, Target::HardLinked}) {
        const std::set<std::string> names =
            kind == Target::HardLinked ? std::set<std::string>{"bios.txt", "second-link.txt"}
                                       : std::set<std::string>{"bios.txt"};
        for (int round = 0; round < kRounds; ++round) {
            const fs::path target = prepare(kind);
            int gate[2];
            ASSERT_EQ(::pipe(gate), 0);
            std::vector<pid_t> savers;
            for (const DetectionResults& record : records_) {
                savers.push_back(startSave(record, target, gate[0], {gate[1]}));
            }
            ::close(gate[0]);
            ::close(gate[1]);  // every saver starts now
            int refused = 0;
            for (const pid_t saver : savers) {
                refused += saved(saver) ? 0 : 1;
            }
            const std::string kept = read(target);
            EXPECT_EQ(refused, 0) << static_cast<int>(kind) << " round " << round;
            EXPECT_EQ(reports_.count(kept), 1u) << static_cast<int>(kind) << " round " << round
                                                << ", " << kept.size() << " bytes:\n"
                                                << kept;
            std::set<std::string> left;
            for (const auto& entry : fs::directory_iterator(target.parent_path())) {
                left.insert(entry.path().filename().string());
            }
            EXPECT_EQ(left, names);
            if (kind == Target::HardLinked) {
                EXPECT_EQ(fs::hard_link_count(target), 2u);
            }
        }
    }
}

// Two saves that found the target before either finished: the second
// replaces what the first left, whether the name was new or the first put a
// new file in the old one's place.
TEST_F(ConcurrentSavesTest, TheLaterOfTwoInterleavedSavesWins) {
    for (const Target kind : {Target::NewFile, Target::RegularFile}) {
        const fs::path target = prepare(kind);
        LinuxReportFiles files;
        const auto first = files.createBeside(target.string());
        const auto second = files.createBeside(target.string());
        ASSERT_TRUE(first && second);
        EXPECT_TRUE(first->write(writeTextReport(records_[0])) && first->close());
        EXPECT_TRUE(second->write(writeTextReport(records_[1])) && second->close());
        EXPECT_TRUE(first->replaceTarget());
        EXPECT_TRUE(second->replaceTarget()) << static_cast<int>(kind);
        EXPECT_EQ(read(target), writeTextReport(records_[1]));
    }
}

// Another save holds the file (its lock) while it rewrites it, or before it
// puts a new file in its place: this save waits, then saves over whatever
// the name then holds.
TEST_F(ConcurrentSavesTest, ASaveWaitsWhileAnotherHoldsTheFile) {
    for (const Target kind : {Target::RegularFile, Target::HardLinked}) {
        const fs::path target = prepare(kind);
        const int held = ::open(target.c_str(), O_WRONLY);
        ASSERT_EQ(::flock(held, LOCK_EX), 0);
        const pid_t saver = startSave(records_[1], target, -1, {held});
        ::usleep(300000);
        EXPECT_EQ(::waitpid(saver, nullptr, WNOHANG), 0) << "finished while the file was held";
        EXPECT_EQ(read(target), "an older report\r\n");
        if (kind == Target::RegularFile) {
            // The other save puts its file in place.
            const fs::path other = dir_.write("folder/other.tmp", "the other save's report\r\n");
            fs::rename(other, target);
        }
        ::close(held);
        EXPECT_TRUE(saved(saver));
        EXPECT_EQ(read(target), writeTextReport(records_[1]));
    }
}

}  // namespace
}  // namespace romwise
