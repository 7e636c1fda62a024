// Detection records and stand-ins shared by the report tests.
#pragma once

#include <cstddef>
#include <string>
#include <vector>

#include "model/detection_results.h"
#include "model/main_view.h"
#include "report/shell.h"

namespace romwise::testing {

// A completed pass on an Award 440BX board with a sign-on and `slots` slots
// of 128 MB, 256 MB, ... alternating.
DetectionResults completedRecord(std::size_t slots = 3);

struct ShownMessage {
    std::string text;
    std::string caption;
};

// A window that only keeps its message boxes.
class MessageView final : public MainView {
  public:
    void setFieldText(int, const char*) override {}
    void enableControl(int, bool) override {}
    void showControl(int, bool) override {}
    void setFocus(int) override {}
    void messageBox(const char* text, const char* caption) override {
        messages.push_back({text, caption});
    }
    void setButtonColors(int, std::uint32_t, std::uint32_t) override {}
    void resetButtonColors(int) override {}
    DialogResult runCloseConfirmation() override { return DialogResult::Cancel; }
    void runSaveReportDialog() override { ++saveDialogs; }
    void runPrintJob() override {}
    void runOptionsDialog() override {}
    void runMoreInfoDialog() override {}
    void runAboutBox() override {}
    void showHelp() override {}
    void endDialog() override {}

    std::vector<ShownMessage> messages;
    int saveDialogs = 0;
};

// A shell whose launches succeed or fail as the test says, keeping each one.
class ScriptedShell final : public Shell {
  public:
    bool openAddress(const std::string& address) override {
        launches.push_back("open " + address);
        return openSucceeds(address);
    }
    bool startBrowser(const std::string& parameters) override {
        launches.push_back("direct " + parameters);
        return directWorks;
    }
    bool openSucceeds(const std::string& address) const {
        return address.find("uMs=") != std::string::npos ? fullOpenWorks : shortOpenWorks;
    }

    bool fullOpenWorks = true;
    bool shortOpenWorks = true;
    bool directWorks = true;
    std::vector<std::string> launches;
};

}  // namespace romwise::testing
