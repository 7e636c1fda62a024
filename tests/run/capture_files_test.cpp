// Where --capture writes: names that cannot be a profile are refused before
// any pass; links, FIFOs and files or folders nobody may write are refused as
// a report save refuses them; and the profile and its side files are written
// all or none, so that an earlier capture never turns into a mix of two.
#include <fcntl.h>
#include <pwd.h>
#include <signal.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <functional>
#include <map>
#include <set>
#include <string>

#include "cli_run.h"
#include "tests/support/child_process.h"
#include "tests/support/scratch_files.h"

namespace romwise {
namespace {

using test_support::TempDirectory;
using testing::CliRun;
using testing::runCliWith;

namespace fs = std::filesystem;
using Names = std::set<std::string>;
using Contents = std::map<std::string, std::string>;

const std::string kFirstMachine = std::string(ROMWISE_SAMPLES_DIR) + "/award-440bx.json";
const std::string kSecondMachine = std::string(ROMWISE_SAMPLES_DIR) + "/smbios3-server.json";

CliRun capture(const std::string& machine, const fs::path& profile) {
    return runCliWith({"--machine", machine, "--capture", profile.string()});
}

Names names(const fs::path& folder) {
    Names found;
    for (const auto& entry : fs::directory_iterator(folder)) {
        found.insert(entry.path().filename().string());
    }
    return found;
}

// Every regular file of a folder and what it holds.
Contents contents(const fs::path& folder) {
    Contents found;
    for (const auto& entry : fs::directory_iterator(folder)) {
        if (entry.is_regular_file()) {
            const auto bytes = test_support::ReadFileBytes(entry.path());
            found[entry.path().filename().string()] = std::string(bytes.begin(), bytes.end());
        }
    }
    return found;
}

// The files whose bytes differ between two looks at a folder, or that only
// one of them has (named, not dumped: the ROM is 64 KiB).
Names changed(const Contents& before, const Contents& after) {
    Names differ;
    for (const auto& [name, bytes] : before) {
        const auto now = after.find(name);
        if (now == after.end() || now->second != bytes) {
            differ.insert(name);
        }
    }
    for (const auto& [name, bytes] : after) {
        if (before.count(name) == 0) {
            differ.insert(name);
        }
    }
    return differ;
}

using test_support::childFate;

bool oneLine(const std::string& text) {
    return !text.empty() && text.back() == '\n' &&
           std::find_if(text.begin(), text.end() - 1, [](char c) {
               return static_cast<unsigned char>(c) < 0x20;
           }) == text.end() - 1;
}

TEST(CaptureNames, NamesThatCannotBeAProfileAreRefusedBeforeAnyPass) {
    TempDirectory dir;
    fs::create_directory(dir.path() / "folder");
    const std::string in = dir.path().string() + "/";
    struct Case {
        std::string path;
        bool refused;
    };
    for (const Case& c : std::initializer_list<Case>{
             {in + "x.dmi", true},    // the profile would be its own dump
             {in + "folder/", true},  // would write folder/-rom.bin
             {in + "folder", true},   // an existing folder
             {in + "folder/.", true},
             {in + "folder/..", true},
             {"", true},
             {in + "bad\x1b.dmi", true},  // escaped in the message
             {in + "x.dmi.json", false},  // x.dmi-rom.bin, x.dmi.dmi
             {in + "x-rom.bin", false},   // x-rom-rom.bin, x-rom.dmi
         }) {
        SCOPED_TRACE(c.path);
        const Names before = names(dir.path());
        const CliRun run = capture(kFirstMachine, c.path);
        if (!c.refused) {
            EXPECT_EQ(run.status, 0) << run.err;
            EXPECT_TRUE(fs::is_regular_file(c.path));
            continue;
        }
        EXPECT_EQ(run.status, 2);
        EXPECT_EQ(run.err.rfind("romwise: --capture \"", 0), 0u) << run.err;
        EXPECT_TRUE(oneLine(run.err)) << run.err;
        EXPECT_TRUE(run.out.empty()) << "no pass runs, no report is printed";
        EXPECT_EQ(names(dir.path()), before);
        EXPECT_TRUE(names(dir.path() / "folder").empty());
    }
}

class CaptureTargets : public ::testing::Test {
  protected:
    void SetUp() override { ::chmod(dir_.path().c_str(), 01777); }
    fs::path at(const std::string& name) const { return dir_.path() / name; }

    TempDirectory dir_;
};

TEST_F(CaptureTargets, LinksFifosAndWhatNobodyMayWriteAreRefused) {
    // A run that waited for a FIFO's reader would hang: the alarm ends it.
    ::alarm(20);
    const bool root = ::geteuid() == 0;
    const passwd* nobody = ::getpwnam("nobody");

    // Root's own file, and a link to it another user planted at the dump's name.
    dir_.write("roots.txt", "root only\n");
    ::chmod(at("roots.txt").c_str(), 0600);
    fs::create_symlink(at("roots.txt"), at("planted.dmi"));
    if (root && nobody != nullptr) {
        ASSERT_EQ(::lchown(at("planted.dmi").c_str(), nobody->pw_uid, nobody->pw_gid), 0);
    }
    // A FIFO with no reader, and one with a reader, at the ROM's name.
    ASSERT_EQ(::mkfifo(at("fifo-rom.bin").c_str(), 0666), 0);
    ASSERT_EQ(::mkfifo(at("read-rom.bin").c_str(), 0666), 0);
    const int reader = ::open(at("read-rom.bin").c_str(), O_RDONLY | O_NONBLOCK);
    ASSERT_GE(reader, 0);
    // A profile nobody may write, and a folder nobody may write.
    dir_.write("read-only.json", "{}\n");
    ::chmod(at("read-only.json").c_str(), 0444);
    fs::create_directory(at("closed"));
    ::chmod(at("closed").c_str(), 0555);

    const Contents before = contents(dir_.path());
    for (const char* profile :
         {"planted.json", "fifo.json", "read.json", "read-only.json", "closed/machine.json"}) {
        SCOPED_TRACE(profile);
        const CliRun run = capture(kFirstMachine, at(profile));
        EXPECT_EQ(run.status, 5) << run.err;
        EXPECT_EQ(run.err.rfind("romwise: the machine profile was not written: cannot write \"", 0),
                  0u)
            << run.err;
        EXPECT_NE(run.err.find("no file of the capture was changed"), std::string::npos);
        EXPECT_TRUE(oneLine(run.err)) << run.err;
    }
    char byte = 0;
    EXPECT_LE(::read(reader, &byte, 1), 0) << "nothing went into the FIFO";
    ::close(reader);
    ::alarm(0);

    EXPECT_EQ(changed(before, contents(dir_.path())), Names{});
    EXPECT_TRUE(fs::is_symlink(at("planted.dmi")));
    EXPECT_TRUE(fs::is_fifo(at("fifo-rom.bin")) && fs::is_fifo(at("read-rom.bin")));
    EXPECT_EQ(names(dir_.path()), (Names{"roots.txt", "planted.dmi", "fifo-rom.bin", "read-rom.bin",
                                         "read-only.json", "closed"}));
    EXPECT_TRUE(names(at("closed")).empty());
    EXPECT_EQ(fs::status(at("roots.txt")).permissions() & fs::perms::all,
              fs::perms::owner_read | fs::perms::owner_write);

    if (!root || nobody == nullptr) {
        return;
    }
    // A link another user made into a file of their own still leads there.
    dir_.write("theirs.dmi", "their dump\n");
    ASSERT_EQ(::chown(at("theirs.dmi").c_str(), nobody->pw_uid, nobody->pw_gid), 0);
    fs::create_symlink(at("theirs.dmi"), at("shared.dmi"));
    ASSERT_EQ(::lchown(at("shared.dmi").c_str(), nobody->pw_uid, nobody->pw_gid), 0);
    const CliRun run = capture(kFirstMachine, at("shared.json"));
    EXPECT_EQ(run.status, 0) << run.err;
    EXPECT_TRUE(fs::is_symlink(at("shared.dmi")));
    EXPECT_NE(contents(dir_.path())["theirs.dmi"], "their dump\n");
}

TEST_F(CaptureTargets, AnEarlierCaptureStaysWholeWhenANewOneCannotBeWritten) {
    const fs::path profile = at("machine.json");
    ASSERT_EQ(capture(kFirstMachine, profile).status, 0);
    const Contents first = contents(dir_.path());
    ASSERT_EQ(names(dir_.path()), (Names{"machine.json", "machine-rom.bin", "machine.dmi"}));

    // The second machine would change every file.
    struct Blocker {
        const char* what;
        std::function<void()> block, unblock;
    };
    const auto mode = [this](const char* name, mode_t to) {
        return [this, name, to] { ::chmod(at(name).c_str(), to); };
    };
    for (const Blocker& blocker : std::initializer_list<Blocker>{
             {"the profile is read-only", mode("machine.json", 0444), mode("machine.json", 0644)},
             {"the dump is read-only", mode("machine.dmi", 0444), mode("machine.dmi", 0644)},
             {"the folder is read-only", [this] { ::chmod(dir_.path().c_str(), 0555); },
              [this] { ::chmod(dir_.path().c_str(), 01777); }},
         }) {
        SCOPED_TRACE(blocker.what);
        blocker.block();
        const CliRun run = capture(kSecondMachine, profile);
        blocker.unblock();
        EXPECT_EQ(run.status, 5) << run.err;
        EXPECT_EQ(changed(first, contents(dir_.path())), Names{});
        EXPECT_EQ(names(dir_.path()), (Names{"machine.json", "machine-rom.bin", "machine.dmi"}));
    }

    // A size limit the ROM (the largest file) passes but nothing larger
    // does: its new file fails midway, after every new file was opened.
    const auto romSize = static_cast<rlim_t>(first.at("machine-rom.bin").size());
    const int status = childFate([&] {
        const rlimit limit{romSize - 1, romSize - 1};
        return ::setrlimit(RLIMIT_FSIZE, &limit) == 0 ? capture(kSecondMachine, profile).status
                                                      : 99;
    });
    EXPECT_EQ(status, 5);
    EXPECT_EQ(changed(first, contents(dir_.path())), Names{});
    EXPECT_EQ(names(dir_.path()), (Names{"machine.json", "machine-rom.bin", "machine.dmi"}));

    // With nothing in the way every file changes.
    ASSERT_EQ(capture(kSecondMachine, profile).status, 0);
    EXPECT_EQ(changed(first, contents(dir_.path())),
              (Names{"machine.json", "machine-rom.bin", "machine.dmi"}));
}

}  // namespace
}  // namespace romwise
