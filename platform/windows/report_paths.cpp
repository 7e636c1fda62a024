#include "platform/windows/report_paths.h"

#include <windows.h>

#include <climits>

namespace romwise {

namespace {

template <typename Char>
std::basic_string<Char> folderOf(const std::basic_string<Char>& path) {
    for (std::size_t i = path.size(); i > 0; --i) {
        if (path[i - 1] == Char('\\') || path[i - 1] == Char('/')) {
            return path.substr(0, i);
        }
    }
    // "c:bios.txt": the drive's current folder.
    if (path.size() >= 2 && path[1] == Char(':')) {
        return path.substr(0, 2);
    }
    return {};
}

}  // namespace

std::string folderPrefix(const std::string& path) {
    return folderOf(path);
}

std::wstring folderPrefix(const std::wstring& path) {
    return folderOf(path);
}

std::wstring typedNameToWide(const std::string& typed) {
    if (typed.empty() || typed.size() > static_cast<std::size_t>(INT_MAX)) {
        return {};
    }
    const UINT codePage = AreFileApisANSI() ? CP_ACP : CP_OEMCP;
    const int length = static_cast<int>(typed.size());
    const int needed = MultiByteToWideChar(codePage, 0, typed.data(), length, nullptr, 0);
    if (needed <= 0) {
        return {};
    }
    std::wstring wide(static_cast<std::size_t>(needed), L'\0');
    MultiByteToWideChar(codePage, 0, typed.data(), length, wide.data(), needed);
    return wide;
}

}  // namespace romwise
