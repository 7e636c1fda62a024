// Get BIOS Info in the window of an ordinary user: the pass runs in the
// privileged helper started through pkexec, here a stand-in for pkexec that
// grants, refuses or is missing. The window fills from the helper's answer,
// or shows the refusal with its reason.
#include <gtest/gtest.h>
#include <sys/stat.h>

#include <QLineEdit>
#include <QPushButton>
#include <filesystem>
#include <fstream>

#include "modal_script.h"
#include "model/control_ids.h"
#include "model/run_texts.h"
#include "platform/linux/pkexec_pass.h"
#include "sample_window.h"

namespace romwise::ui {
namespace {

using testing::ModalScript;
using testing::SampleWindow;
namespace fs = std::filesystem;

const std::string kSample = std::string(ROMWISE_SAMPLES_DIR) + "/award-440bx.json";

class PrivilegedPassTest : public ::testing::Test {
  protected:
    PrivilegedPassTest() {
        directory_ = fs::temp_directory_path() /
                     ("romwise-pkexec-" + std::to_string(QCoreApplication::applicationPid()));
        fs::create_directories(directory_);
    }
    ~PrivilegedPassTest() override { fs::remove_all(directory_); }

    std::string script(const std::string& name, const std::string& body) {
        const fs::path path = directory_ / name;
        std::ofstream(path) << "#!/bin/sh\n" << body << "\n";
        chmod(path.c_str(), 0755);
        return path.string();
    }
    // A pkexec that grants: runs the helper with its arguments, noting them.
    std::string granting() {
        return script("pkexec",
                      "echo \"$@\" > '" + (directory_ / "asked").string() + "'\nexec \"$@\"");
    }
    // A helper that answers with the sample machine's pass.
    std::string sampleHelper() {
        return script("romwise-pass", "exec '" + std::string(ROMWISE_CLI_PATH) + "' --machine '" +
                                          kSample + "' --format json \"$@\"");
    }
    std::string asked() {
        std::ifstream file(directory_ / "asked");
        std::string line;
        std::getline(file, line);
        return line;
    }
    // Clicks Get BIOS Info, dismissing whatever message boxes come.
    std::vector<testing::SeenModal> getBiosInfo(SampleWindow& window, PrivilegedPass& pass) {
        window.dialog.session().privilegedPass = &pass;
        ModalScript script;
        script.thenDismiss().thenDismiss();
        window.control<QPushButton>(control::kGetBiosInfo)->click();
        return script.seen();
    }

    fs::path directory_;
};

TEST_F(PrivilegedPassTest, GrantedTheWindowFillsFromTheHelpersPass) {
    SampleWindow local("award-440bx.json");
    local.control<QPushButton>(control::kGetBiosInfo)->click();  // the same pass, here

    SampleWindow window("award-440bx.json");
    PkexecPass pass(granting(), sampleHelper());
    EXPECT_TRUE(getBiosInfo(window, pass).empty());
    EXPECT_EQ(asked(), sampleHelper());
    for (const int id : kResultFieldIds) {
        EXPECT_EQ(window.control<QLineEdit>(id)->text(), local.control<QLineEdit>(id)->text())
            << id;
    }
    EXPECT_EQ(window.results->runState, RunState::Completed);
    EXPECT_EQ(window.results->upgradeUrl.str(), local.results->upgradeUrl.str());
    for (const int id : {control::kSave, control::kPrint, control::kSubmit}) {
        EXPECT_TRUE(window.control(id)->isEnabled()) << id;
    }
    EXPECT_TRUE(window.control(control::kMoreInfo)->isVisibleTo(&window.dialog));

    // The options dialog's switches go to the helper.
    window.options.skipSuperIo = 1;
    getBiosInfo(window, pass);
    EXPECT_EQ(asked(), sampleHelper() + " --skip-superio");
    EXPECT_EQ(window.control<QLineEdit>(control::kSuperIo)->text(), QStringLiteral("Unknown"));
}

TEST_F(PrivilegedPassTest, RefusedOrWithoutPolkitThePassEndsAtTheDriverWithWhy) {
    SampleWindow window("award-440bx.json");
    PkexecPass refused(script("pkexec", "exit 126"), sampleHelper());
    auto seen = getBiosInfo(window, refused);
    ASSERT_EQ(seen.size(), 1u);
    EXPECT_EQ(seen[0].text.rfind(std::string(kDriverLoadError) + "\n", 0), 0u);
    EXPECT_NE(seen[0].text.find("the administrator's password was not given"), std::string::npos);
    EXPECT_EQ(window.results->runState, RunState::Started);
    EXPECT_FALSE(window.control(control::kSave)->isEnabled());

    PkexecPass missing((directory_ / "no-pkexec").string(), sampleHelper());
    seen = getBiosInfo(window, missing);
    ASSERT_EQ(seen.size(), 1u);
    EXPECT_NE(seen[0].text.find("(polkit) is not installed"), std::string::npos) << seen[0].text;

    PkexecPass garbled(granting(), script("romwise-pass", "echo not json"));
    seen = getBiosInfo(window, garbled);
    ASSERT_EQ(seen.size(), 1u);
    EXPECT_NE(seen[0].text.find("answer could not be read"), std::string::npos) << seen[0].text;
}

TEST_F(PrivilegedPassTest, TheRealHelperReadsThisComputer) {
    // Granted, the real helper runs the pass on this computer; here, without
    // I/O port access, it ends at the driver step and says why.
    SampleWindow window("award-440bx.json");
    PkexecPass pass(granting(), ROMWISE_PASS_HELPER);
    const auto seen = getBiosInfo(window, pass);
    if (window.results->runState == RunState::Completed) {
        GTEST_SKIP() << "this computer grants I/O port access; the refusal cannot be shown";
    }
    ASSERT_EQ(seen.size(), 1u);
    EXPECT_EQ(seen[0].text.rfind(std::string(kDriverLoadError) + "\nno I/O port access", 0), 0u)
        << seen[0].text;
    EXPECT_NE(window.control<QLineEdit>(control::kOperatingSystem)->text(), QString())
        << "the helper identified this computer's system";
}

}  // namespace
}  // namespace romwise::ui
