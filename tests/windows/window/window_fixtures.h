// What the window tests share: a main window on a sample machine, created
// modeless, and a script that answers the modal dialogs and message boxes a
// click opens, from inside their own message loops.
#pragma once

#include <windows.h>

#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "app/standard_detectors.h"
#include "platform/sim/profile_loader.h"
#include "platform/sim/sim_platform.h"
#include "platform/windows/windows_report_files.h"
#include "ui/common/dialog_templates.h"
#include "ui/win32/main_window.h"

namespace romwise::ui::win32::testing {

// Every dialog of the program, by a name for the test's messages.
struct NamedDialog {
    const char* name;
    const DialogTemplate* dialog;
};
inline const NamedDialog kDialogs[] = {
    {"main", &kMainDialogTemplate}, {"about", &kAboutBoxTemplate},
    {"save", &kSaveReportTemplate}, {"confirmation", &kCloseConfirmationTemplate},
    {"options", &kOptionsTemplate}, {"more information", &kMoreInfoTemplate},
};

// The samples folder as this process sees it.
std::string samplePath(const std::string& profile);

// A window's text, or a control's, in UTF-8.
std::string windowText(HWND window);
// A control's rectangle in its dialog's client coordinates.
RECT rectInParent(HWND control);
// A template rectangle in pixels, as the dialog manager converts it.
RECT dialogRect(HWND dialog, int x, int y, int width, int height);

// A 32-bit picture in memory, drawn on through its device context.
class MemoryPicture {
  public:
    MemoryPicture(int width, int height);
    ~MemoryPicture();
    MemoryPicture(const MemoryPicture&) = delete;
    MemoryPicture& operator=(const MemoryPicture&) = delete;

    HDC dc() const { return dc_; }
    COLORREF at(int x, int y) const { return GetPixel(dc_, x, y); }
    // Every pixel, row by row from the top, once the drawing is done.
    std::vector<std::uint32_t> pixels() const;

  private:
    int width_;
    int height_;
    HDC dc_;
    HBITMAP bitmap_ = nullptr;
    HGDIOBJ oldBitmap_ = nullptr;
    void* bits_ = nullptr;
};

// Presses a button as a click would: it sends its own notification.
void click(HWND button);

struct SampleWindow {
    // The window is created modeless and shown, unless `modeless` is false
    // (for window.run()).
    explicit SampleWindow(const std::string& profile,
                          std::wstring helpPage = std::wstring(L"Z:\\no\\help\\index.html"),
                          bool modeless = true);
    HWND control(int id) const { return window.control(id); }
    std::string text(int id) const { return windowText(control(id)); }

    sim::SimPlatform platform;
    StandardDetectors detectors;
    WindowsReportFiles files;
    std::unique_ptr<DetectionResults> results;
    DetectionOptions options;
    MainWindow window;
};

struct SeenModal {
    std::string title;
    std::string text;  // a message box's text
};

class ModalScript {
  public:
    using Step = std::function<void(HWND modal)>;

    ModalScript();
    ~ModalScript();
    ModalScript(const ModalScript&) = delete;
    ModalScript& operator=(const ModalScript&) = delete;

    // Steps run in order, one per modal window that appears; a modal window
    // with no step left is closed as its cancel (a message box: OK) would.
    ModalScript& then(Step step);
    const std::vector<SeenModal>& seen() const { return seen_; }
    bool finished() const { return steps_.empty(); }

  private:
    static void CALLBACK tick(HWND, UINT, UINT_PTR, DWORD);
    void poll();

    UINT_PTR timer_ = 0;
    std::vector<HWND> known_;
    std::vector<Step> steps_;
    std::vector<SeenModal> seen_;
    bool busy_ = false;
};

// Posts the command of a dialog's button, as pressing it would.
void press(HWND dialog, int id);
// Runs the thread's messages until `done` holds or two seconds have passed.
bool pumpUntil(const std::function<bool()>& done);

}  // namespace romwise::ui::win32::testing
