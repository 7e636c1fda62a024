#include "window_fixtures.h"

#include <algorithm>
#include <cstddef>

#include "../wine_host.h"
#include "platform/encoding/text_encoding.h"

namespace romwise::ui::win32::testing {

namespace {

constexpr UINT kTickMilliseconds = 10;
constexpr DWORD kPumpMilliseconds = 2000;
constexpr int kMessageBoxTextId = 0xFFFF;

ModalScript* activeScript = nullptr;

std::string utf8(const std::wstring& text) {
    if (text.empty()) {
        return {};
    }
    const int needed = WideCharToMultiByte(CP_UTF8, 0, text.data(), static_cast<int>(text.size()),
                                           nullptr, 0, nullptr, nullptr);
    std::string out(static_cast<std::size_t>(needed), '\0');
    WideCharToMultiByte(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), out.data(), needed,
                        nullptr, nullptr);
    return out;
}

bool isDialog(HWND window) {
    wchar_t name[16] = {};
    GetClassNameW(window, name, 16);
    return std::wstring(name) == L"#32770";
}

BOOL CALLBACK collect(HWND window, LPARAM list) {
    reinterpret_cast<std::vector<HWND>*>(list)->push_back(window);
    return TRUE;
}

std::vector<HWND> threadWindows() {
    std::vector<HWND> windows;
    EnumThreadWindows(GetCurrentThreadId(), collect, reinterpret_cast<LPARAM>(&windows));
    return windows;
}

}  // namespace

std::string samplePath(const std::string& profile) {
    return test::hostPath(ROMWISE_SAMPLES_DIR) + "\\" + profile;
}

std::string windowText(HWND window) {
    const int length = GetWindowTextLengthW(window);
    std::wstring text(static_cast<std::size_t>(length) + 1, L'\0');
    GetWindowTextW(window, text.data(), length + 1);
    text.resize(static_cast<std::size_t>(length));
    return utf8(text);
}

RECT rectInParent(HWND control) {
    RECT rect;
    GetWindowRect(control, &rect);
    MapWindowPoints(nullptr, GetParent(control), reinterpret_cast<POINT*>(&rect), 2);
    return rect;
}

RECT dialogRect(HWND dialog, int x, int y, int width, int height) {
    // Position and size converted each on its own, as the dialog manager does.
    RECT origin = {x, y, 0, 0};
    RECT size = {width, height, 0, 0};
    MapDialogRect(dialog, &origin);
    MapDialogRect(dialog, &size);
    return {origin.left, origin.top, origin.left + size.left, origin.top + size.top};
}

MemoryPicture::MemoryPicture(int width, int height)
    : width_(width), height_(height), dc_(CreateCompatibleDC(nullptr)) {
    BITMAPINFO info = {};
    info.bmiHeader.biSize = sizeof info.bmiHeader;
    info.bmiHeader.biWidth = width;
    info.bmiHeader.biHeight = -height;  // top row first
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    bitmap_ = CreateDIBSection(dc_, &info, DIB_RGB_COLORS, &bits_, nullptr, 0);
    oldBitmap_ = SelectObject(dc_, bitmap_);
}

MemoryPicture::~MemoryPicture() {
    SelectObject(dc_, oldBitmap_);
    DeleteObject(bitmap_);
    DeleteDC(dc_);
}

std::vector<std::uint32_t> MemoryPicture::pixels() const {
    GdiFlush();
    const auto* first = static_cast<const std::uint32_t*>(bits_);
    return std::vector<std::uint32_t>(first, first + static_cast<std::ptrdiff_t>(width_) * height_);
}

void click(HWND button) {
    SendMessageW(button, BM_CLICK, 0, 0);
}

void press(HWND dialog, int id) {
    PostMessageW(dialog, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED),
                 reinterpret_cast<LPARAM>(GetDlgItem(dialog, id)));
}

bool pumpUntil(const std::function<bool()>& done) {
    const DWORD start = GetTickCount();
    while (!done()) {
        if (GetTickCount() - start > kPumpMilliseconds) {
            return false;
        }
        MSG message;
        while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
            TranslateMessage(&message);
            DispatchMessageW(&message);
        }
        Sleep(1);
    }
    return true;
}

SampleWindow::SampleWindow(const std::string& profile, std::wstring helpPage, bool modeless)
    : platform(sim::loadMachineProfile(samplePath(profile))),
      detectors(platform),
      results(std::make_unique<DetectionResults>()),
      window(*results, options,
             MainWindowServices{detectors, platform.os(), platform.driverHost(), platform.shell(),
                                files},
             std::move(helpPage)) {
    if (modeless) {
        window.create(nullptr);
    }
}

ModalScript::ModalScript() : known_(threadWindows()) {
    activeScript = this;
    timer_ = SetTimer(nullptr, 0, kTickMilliseconds, tick);
}

ModalScript::~ModalScript() {
    KillTimer(nullptr, timer_);
    activeScript = nullptr;
}

ModalScript& ModalScript::then(Step step) {
    steps_.push_back(std::move(step));
    return *this;
}

void CALLBACK ModalScript::tick(HWND, UINT, UINT_PTR, DWORD) {
    if (activeScript != nullptr) {
        activeScript->poll();
    }
}

void ModalScript::poll() {
    if (busy_) {
        return;
    }
    busy_ = true;
    for (HWND window : threadWindows()) {
        if (std::find(known_.begin(), known_.end(), window) != known_.end() ||
            !IsWindowVisible(window) || !isDialog(window)) {
            continue;
        }
        known_.push_back(window);
        seen_.push_back({windowText(window), windowText(GetDlgItem(window, kMessageBoxTextId))});
        if (steps_.empty()) {
            const bool messageBox = GetDlgItem(window, kMessageBoxTextId) != nullptr;
            press(window, messageBox ? IDOK : IDCANCEL);
        } else {
            Step step = std::move(steps_.front());
            steps_.erase(steps_.begin());
            step(window);
        }
        break;
    }
    busy_ = false;
}

}  // namespace romwise::ui::win32::testing
