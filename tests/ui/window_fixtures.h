// A main window on one of the sample machines.
#pragma once

#include <memory>
#include <string>
#include <vector>

#include "app/standard_detectors.h"
#include "platform/linux/linux_report_files.h"
#include "platform/sim/profile_loader.h"
#include "platform/sim/sim_platform.h"
#include "ui/qt/main_window.h"

namespace romwise::ui::testing {

// This computer's opener as the window sees it: answers `opens` and keeps
// what it was asked to open.
struct LocalShell final : Shell {
    bool openAddress(const std::string& address) override {
        opened.push_back(address);
        return opens;
    }
    bool startBrowser(const std::string&) override { return opens; }
    bool opens = true;
    std::vector<std::string> opened;
};

struct SampleWindow {
    explicit SampleWindow(const std::string& profile)
        : platform(sim::loadMachineProfile(std::string(ROMWISE_SAMPLES_DIR) + "/" + profile)),
          detectors(platform),
          results(std::make_unique<DetectionResults>()),
          dialog(*results, options,
                 MainWindowServices{detectors, platform.os(), platform.driverHost(),
                                    platform.shell(), files},
                 localShell) {
        dialog.show();
    }

    template <typename T = QWidget>
    T* control(int id) {
        return dynamic_cast<T*>(dialog.control(id));
    }

    sim::SimPlatform platform;
    StandardDetectors detectors;
    LinuxReportFiles files;
    LocalShell localShell;
    std::unique_ptr<DetectionResults> results;
    DetectionOptions options;
    MainWindow dialog;
};

}  // namespace romwise::ui::testing
