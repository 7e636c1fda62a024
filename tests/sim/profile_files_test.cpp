// The files a profile names, and the profile itself: only regular files of
// bounded size are read, so a device or FIFO neither fills memory nor
// blocks the load.
#include <sys/stat.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include <filesystem>

#include "platform/sim/profile_fields.h"
#include "platform/sim/profile_loader.h"
#include "tests/sim/temp_profile_dir.h"

namespace romwise::sim {
namespace {

namespace fs = std::filesystem;
using testing::TempProfileDir;

// A file of `size` bytes that takes no room on the disk.
std::string sparseFile(const TempProfileDir& dir, const std::string& name, std::uint64_t size) {
    const std::string path = dir.write(name, "");
    fs::resize_file(path, size);
    return path;
}

// A load that blocked on a FIFO would hang the test: the alarm ends it.
class ProfileFilesTest : public ::testing::Test {
  protected:
    void SetUp() override { ::alarm(60); }
    void TearDown() override { ::alarm(0); }
    TempProfileDir dir_;
};

TEST_F(ProfileFilesTest, DevicesAndFifosAreRefusedUnread) {
    const std::string fifo = (dir_.root() / "fifo").string();
    ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
    fs::create_symlink("/dev/zero", dir_.root() / "zero-link");
    for (const char* name : {"/dev/zero", "fifo", "zero-link"}) {
        for (const char* key : {"rom", "smbiosDump"}) {
            const ProfileError error =
                dir_.refusal("{\"" + std::string(key) + "\": \"" + name + "\"}");
            EXPECT_EQ(error.key(), key);
            EXPECT_NE(error.problem().find("not a regular file"), std::string::npos)
                << error.what();
        }
    }
    for (const std::string& profile : {std::string("/dev/zero"), fifo}) {
        try {
            loadMachineProfile(profile);
            ADD_FAILURE() << profile << " was loaded";
        } catch (const ProfileError& error) {
            EXPECT_EQ(error.problem(),
                      "cannot read the profile: not a regular file (a device, "
                      "FIFO or socket)");
        }
    }
}

TEST_F(ProfileFilesTest, FilesUpToTheLimitAreRead) {
    sparseFile(dir_, "flash.bin", kMaxDataFileBytes);
    const MachineProfile atLimit = dir_.load(R"({"rom": "flash.bin"})");
    ASSERT_EQ(atLimit.memory.size(), 1u);
    EXPECT_EQ(atLimit.memory[0].bytes.capacity(), 0x10000u) << "only the window is kept";

    sparseFile(dir_, "over.bin", kMaxDataFileBytes + 1);
    const ProfileError over = dir_.refusal(R"({"memory": [{"address": 0, "file": "over.bin"}]})");
    EXPECT_EQ(over.key(), "memory[0].file");
    EXPECT_NE(over.problem().find("67108865 bytes, over the limit of 67108864 bytes"),
              std::string::npos)
        << over.what();

    const std::string profile = sparseFile(dir_, "huge.json", kMaxProfileBytes + 1);
    try {
        loadMachineProfile(profile);
        ADD_FAILURE() << "an oversized profile was loaded";
    } catch (const ProfileError& error) {
        EXPECT_EQ(error.problem(),
                  "cannot read the profile: 4194305 bytes, over the limit of 4194304 bytes");
    }
}

TEST_F(ProfileFilesTest, FilesOfOneProfileHaveAJointLimit) {
    // Every name may point at the same large file: together they are bounded.
    sparseFile(dir_, "flash.bin", kMaxDataFileBytes);
    dir_.writeBytes("byte.bin", {1});
    const ProfileError error = dir_.refusal(R"({"rom": "flash.bin", "memory": [
        {"address": "0x1000000", "file": "flash.bin"}, {"address": 0, "file": "byte.bin"}]})");
    EXPECT_EQ(error.key(), "memory[1].file");
    EXPECT_EQ(error.problem(),
              "the files this profile names hold more than 134217728 bytes together");
}

}  // namespace
}  // namespace romwise::sim
