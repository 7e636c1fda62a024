// The Linux browser hand-off, with stand-in launchers in a scratch
// directory: no browser is started.
#include "platform/linux/linux_shell.h"

#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

#include <csignal>
#include <filesystem>
#include <fstream>

namespace romwise {
namespace {

namespace fs = std::filesystem;

TEST(CommandLineAddressTest, EncodesHighAndControlBytesOnly) {
    EXPECT_EQ(commandLineAddress("http://h/f?uCPU=K6%2B%20(0.18%20\xB5m)&uTZ=-5"),
              "http://h/f?uCPU=K6%2B%20(0.18%20%B5m)&uTZ=-5");
    EXPECT_EQ(commandLineAddress("a\x7F\x01\tb\xFF~"), "a%7F%01%09b%FF~");
    EXPECT_EQ(commandLineAddress(""), "");
}

class LinuxShellTest : public ::testing::Test {
  protected:
    void SetUp() override {
        dir_ = fs::temp_directory_path() /
               ("romwise-shell-" + std::to_string(::getpid()) + "-" +
                ::testing::UnitTest::GetInstance()->current_test_info()->name());
        fs::remove_all(dir_);
        fs::create_directories(dir_);
    }
    void TearDown() override { fs::remove_all(dir_); }

    // A launcher that writes its argument to NAME.arg and exits with `status`.
    void addLauncher(const std::string& name, int status) {
        const fs::path script = dir_ / name;
        std::ofstream(script) << "#!/bin/sh\nprintf '%s' \"$1\" > \"" << (dir_ / name).string()
                              << ".arg\"\nexit " << status << "\n";
        fs::permissions(script, fs::perms::owner_all);
    }
    std::string argumentOf(const std::string& name) const {
        std::ifstream in(dir_ / (name + ".arg"), std::ios::binary);
        return std::string((std::istreambuf_iterator<char>(in)), {});
    }
    bool ran(const std::string& name) const { return fs::exists(dir_ / (name + ".arg")); }
    static void waitForChildren() {
        int status = 0;
        while (::waitpid(-1, &status, 0) > 0) {
        }
    }

    fs::path dir_;
};

TEST_F(LinuxShellTest, OpenCountsOnlyALauncherThatSucceeded) {
    LinuxShell shell({dir_.string()});
    EXPECT_FALSE(shell.openAddress("http://h/a"));  // no launcher at all

    addLauncher("xdg-open", 3);  // no browser configured
    EXPECT_FALSE(shell.openAddress("http://h/a b"));
    EXPECT_EQ(argumentOf("xdg-open"), "http://h/a b");

    addLauncher("xdg-open", 0);
    EXPECT_TRUE(shell.openAddress("http://h/?uCPU=\xB5"));
    EXPECT_EQ(argumentOf("xdg-open"), "http://h/?uCPU=%B5");
}

TEST_F(LinuxShellTest, DirectStartUsesTheFirstBrowserFound) {
    {
        LinuxShell shell({dir_.string()});
        EXPECT_FALSE(shell.startBrowser("http://h/s"));
    }
    addLauncher("sensible-browser", 0);
    {
        LinuxShell shell({dir_.string()});
        EXPECT_TRUE(shell.startBrowser("http://h/s?\xB5"));
        waitForChildren();
        EXPECT_EQ(argumentOf("sensible-browser"), "http://h/s?%B5");
    }
    fs::remove(dir_ / "sensible-browser.arg");
    addLauncher("x-www-browser", 0);
    {
        LinuxShell shell({(dir_ / "missing").string(), dir_.string()});
        EXPECT_TRUE(shell.startBrowser("http://h/s"));
        waitForChildren();
        EXPECT_EQ(argumentOf("x-www-browser"), "http://h/s");
        EXPECT_FALSE(ran("sensible-browser"));
    }
}

// romwise-cli ignores SIGPIPE; a launcher it starts must not inherit that.
TEST_F(LinuxShellTest, LaunchersGetTheDefaultBrokenPipeAction) {
    std::ofstream(dir_ / "xdg-open") << "#!/bin/sh\ngrep SigIgn /proc/$$/status > \"$0.arg\"\n";
    fs::permissions(dir_ / "xdg-open", fs::perms::owner_all);
    const auto previous = std::signal(SIGPIPE, SIG_IGN);
    EXPECT_TRUE(LinuxShell({dir_.string()}).openAddress("http://h/"));
    std::signal(SIGPIPE, previous);
    const std::string ignored = argumentOf("xdg-open");  // "SigIgn:\t" and a hexadecimal mask
    EXPECT_EQ(std::stoull(ignored.substr(7), nullptr, 16) & (1ull << (SIGPIPE - 1)), 0u) << ignored;
}

}  // namespace
}  // namespace romwise
