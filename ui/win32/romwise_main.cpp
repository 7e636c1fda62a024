// romwise.exe: one main window, run modally; the process ends when it closes.
#include <windows.h>

#include <commctrl.h>
#include <shellapi.h>

#include <memory>
#include <sstream>
#include <string>
#include <vector>

#include "app/command_line.h"
#include "app/standard_detectors.h"
#include "model/product_identity.h"
#include "platform/create_platform.h"
#include "platform/standard_descriptors.h"
#include "ui/win32/help_page.h"
#include "ui/win32/main_window.h"
#include "ui/win32/wide_text.h"
#include "ui/win32/window_options.h"

namespace {

using namespace romwise;
using namespace romwise::ui::win32;

constexpr int kExitUsage = 2;
constexpr int kExitNoWindow = 1;
constexpr int kExitNoStandardStreams = 1;
constexpr char kNoWindow[] = "romwise: the window could not be created\n";

// Started from a console or with redirected output, the program writes to
// it; otherwise (a double click) it shows the text in a message box.
void tell(const std::string& text, bool error) {
    HANDLE stream = GetStdHandle(error ? STD_ERROR_HANDLE : STD_OUTPUT_HANDLE);
    DWORD written = 0;
    if (stream != nullptr && stream != INVALID_HANDLE_VALUE &&
        WriteFile(stream, text.data(), static_cast<DWORD>(text.size()), &written, nullptr)) {
        return;
    }
    MessageBoxW(nullptr, wideFromUtf8(text).c_str(), wideFromUtf8(kApplicationTitle).c_str(),
                MB_OK | (error ? MB_ICONERROR : MB_ICONINFORMATION));
}

std::vector<std::wstring> commandLineArguments() {
    int count = 0;
    LPWSTR* words = CommandLineToArgvW(GetCommandLineW(), &count);
    std::vector<std::wstring> arguments;
    for (int i = 1; words != nullptr && i < count; ++i) {
        arguments.emplace_back(words[i]);
    }
    LocalFree(words);
    return arguments;
}

}  // namespace

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
    if (!openClosedStandardDescriptors()) {
        return kExitNoStandardStreams;
    }
    const WindowOptionsResult parsed = parseWindowOptions(commandLineArguments());
    if (!parsed.error.empty()) {
        tell(usageErrorText("romwise", parsed.error), true);
        return kExitUsage;
    }
    const WindowOptions& options = parsed.options;
    if (options.help) {
        tell(kWindowUsage, false);
        return 0;
    }
    if (options.version) {
        tell(versionText(), false);
        return 0;
    }

    // The profile's path as the platform opens files: in the system's code page.
    std::optional<std::string> machine;
    if (options.machine) {
        machine = ansiFromWide(wideFromUtf8(*options.machine));
        if (!machine) {
            tell("romwise: the profile's path cannot be written in this system's code page\n",
                 true);
            return kExitUsage;
        }
    }
    // A refused profile is reported before any window shows.
    std::ostringstream errors;
    const std::unique_ptr<Platform> platform = createPlatform(machine, errors);
    if (!platform) {
        tell(errors.str(), true);
        return kExitUsage;
    }

    INITCOMMONCONTROLSEX controls = {sizeof controls, ICC_ANIMATE_CLASS | ICC_LISTVIEW_CLASSES};
    InitCommonControlsEx(&controls);
    StandardDetectors detectors(*platform);
    const std::unique_ptr<ReportFiles> files = createReportFiles();
    const ui::MainWindowServices services{detectors, platform->os(), platform->driverHost(),
                                          platform->shell(), *files};
    MainWindow window(processDetectionResults(), processDetectionOptions(), services,
                      installedHelpPage());
    if (window.run(options.getBiosInfo) == kDialogFailed) {
        tell(kNoWindow, true);
        return kExitNoWindow;
    }
    return 0;
}
