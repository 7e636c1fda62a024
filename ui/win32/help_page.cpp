#include "ui/win32/help_page.h"

#include <windows.h>

#include <objbase.h>
#include <shellapi.h>

namespace romwise::ui::win32 {

namespace {
constexpr wchar_t kHelpPageBesideProgram[] = L"help\\index.html";
}

std::wstring installedHelpPage() {
    std::wstring path(MAX_PATH, L'\0');
    for (;;) {
        const DWORD length =
            GetModuleFileNameW(nullptr, path.data(), static_cast<DWORD>(path.size()));
        if (length == 0) {
            return {};
        }
        if (length < path.size()) {
            path.resize(length);
            break;
        }
        path.resize(path.size() * 2);
    }
    const auto slash = path.find_last_of(L"\\/");
    path.resize(slash == std::wstring::npos ? 0 : slash + 1);
    return path + kHelpPageBesideProgram;
}

bool openWithShell(const std::wstring& path) {
    // The handler of a file type may be a COM extension.
    const HRESULT com = CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED | COINIT_DISABLE_OLE1DDE);
    const auto result = reinterpret_cast<INT_PTR>(
        ShellExecuteW(nullptr, L"open", path.c_str(), nullptr, nullptr, SW_SHOWNORMAL));
    if (SUCCEEDED(com)) {
        CoUninitialize();
    }
    return result > 32;
}

}  // namespace romwise::ui::win32
