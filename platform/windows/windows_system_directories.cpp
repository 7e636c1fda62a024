#include "platform/windows/windows_system_directories.h"

#include <windows.h>

#include "platform/windows/module_functions.h"
#include "platform/windows/windows_text.h"

namespace romwise {

namespace {

constexpr UINT kDirectoryCapacity = MAX_PATH;
using GetSystemWow64DirectoryWFunction = UINT(WINAPI*)(LPWSTR buffer, UINT size);

}  // namespace

std::string systemDirectory() {
    char buffer[kDirectoryCapacity];
    const UINT length = GetSystemDirectoryA(buffer, kDirectoryCapacity);
    // A length of the capacity or more is the size it would need.
    if (length == 0 || length >= kDirectoryCapacity) {
        return {};
    }
    return std::string(buffer, length);
}

std::string programFilePath() {
    // A path that fills the buffer may have been cut: ask again with more room.
    for (DWORD capacity = MAX_PATH; capacity <= 32768; capacity *= 2) {
        std::string path(capacity, '\0');
        const DWORD length = GetModuleFileNameA(nullptr, path.data(), capacity);
        if (length == 0) {
            return {};
        }
        if (length < capacity) {
            path.resize(length);
            return path;
        }
    }
    return {};
}

std::string programFolder() {
    const std::string path = programFilePath();
    const std::string::size_type backslash = path.rfind('\\');
    return backslash == std::string::npos ? std::string() : path.substr(0, backslash + 1);
}

std::optional<std::string> systemWow64Directory() {
    const auto function = moduleFunction<GetSystemWow64DirectoryWFunction>(
        GetModuleHandleA("kernel32.dll"), "GetSystemWow64DirectoryW");
    if (function == nullptr) {
        return std::nullopt;
    }
    wchar_t buffer[kDirectoryCapacity];
    const UINT length = function(buffer, kDirectoryCapacity);
    if (length == 0 || length >= kDirectoryCapacity) {
        return std::nullopt;
    }
    std::string directory = wideToAnsi(std::wstring_view(buffer, length));
    if (directory.empty()) {
        return std::nullopt;
    }
    return directory;
}

}  // namespace romwise
