// romwise: one main window, run modally; the process ends when it closes.
#include <QApplication>
#include <QTimer>
#include <iostream>
#include <memory>

#include "app/standard_detectors.h"
#include "model/control_ids.h"
#include "platform/create_platform.h"
#include "platform/standard_descriptors.h"
#include "ui/qt/dialog_font.h"
#include "ui/qt/first_paint_watch.h"
#include "ui/qt/main_window.h"
#include "ui/qt/window_options.h"

namespace {
constexpr int kExitNoStandardStreams = 1;
constexpr int kExitUsage = 2;
}  // namespace

int main(int argc, char** argv) {
    using namespace romwise;
    if (!openClosedStandardDescriptors()) {
        return kExitNoStandardStreams;
    }
    const ui::WindowOptionsResult parsed =
        ui::parseWindowOptions(std::vector<std::string>(argv + 1, argv + argc));
    if (!parsed.error.empty()) {
        std::cerr << usageErrorText("romwise", parsed.error);
        return kExitUsage;
    }
    const ui::WindowOptions& options = parsed.options;
    if (options.help) {
        std::cout << ui::kWindowUsage;
        return 0;
    }
    if (options.version) {
        std::cout << versionText();
        return 0;
    }

    // A refused profile is reported before any window system is needed.
    const std::unique_ptr<Platform> platform = createPlatform(options.machine, std::cerr);
    if (!platform) {
        return kExitUsage;
    }

    QApplication application(argc, argv);
    QApplication::setApplicationName(QStringLiteral("romwise"));
    QApplication::setDesktopFileName(QStringLiteral("romwise"));
    ui::installFontSubstitutions();
    StandardDetectors detectors(*platform);
    const std::unique_ptr<ReportFiles> files = createReportFiles();
    const std::unique_ptr<Shell> localShell = createLocalShell();
    const ui::MainWindowServices services{detectors, platform->os(), platform->driverHost(),
                                          platform->shell(), *files};
    ui::MainWindow dialog(processDetectionResults(), processDetectionOptions(), services,
                          *localShell);
    const std::unique_ptr<PrivilegedPass> privilegedPass = createPrivilegedPass(options.machine);
    dialog.session().privilegedPass = privilegedPass.get();

    std::unique_ptr<ui::FirstPaintWatch> watch;
    if (options.exitAfterFirstPaint) {
        watch = std::make_unique<ui::FirstPaintWatch>(dialog, [&dialog] { dialog.done(0); });
    }
    if (options.getBiosInfo) {
        QTimer::singleShot(0, &dialog, [&dialog] { dialog.getBiosInfo(); });
    }
    dialog.exec();
    return 0;
}
