#include "platform/windows/windows_report_target.h"

#include <vector>

#include "platform/windows/module_functions.h"
#include "platform/windows/report_paths.h"

namespace romwise {

namespace {

using GetFinalPathNameByHandleWFunction = DWORD(WINAPI*)(HANDLE, LPWSTR, DWORD, DWORD);

bool isSeparator(char c) {
    return c == '\\' || c == '/';
}

// The name of the open file, through every symbolic link and junction, as
// "\\?\C:\folder\file" or "\\?\UNC\server\share\file"; empty where the
// system (before Vista) or the file system cannot give it.
std::wstring finalName(HANDLE file) {
    static const auto getFinalName = moduleFunction<GetFinalPathNameByHandleWFunction>(
        GetModuleHandleA("kernel32.dll"), "GetFinalPathNameByHandleW");
    if (getFinalName == nullptr) {
        return {};
    }
    std::vector<wchar_t> buffer(MAX_PATH);
    for (;;) {
        const DWORD length = getFinalName(file, buffer.data(), static_cast<DWORD>(buffer.size()),
                                          FILE_NAME_NORMALIZED | VOLUME_NAME_DOS);
        if (length == 0) {
            return {};
        }
        if (length < buffer.size()) {
            return std::wstring(buffer.data(), length);
        }
        buffer.resize(length + 1);
    }
}

}  // namespace

std::optional<ReportTarget> findReportTarget(const std::string& typed) {
    if (typed.empty() || typed.find('\0') != std::string::npos || isSeparator(typed.back())) {
        return std::nullopt;
    }
    ReportTarget target;
    target.typed = typed;
    const std::wstring typedWide = typedNameToWide(typed);
    if (typedWide.empty()) {
        return std::nullopt;
    }
    // Shared as a C library's fopen shares a file, so that the system
    // refuses what it would refuse; nothing is created or truncated.
    target.file =
        OwnedHandle(CreateFileA(typed.c_str(), GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE,
                                nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!target.file.valid()) {
        // A name that is there but cannot be opened as a file is a symbolic
        // link to nothing.
        if (GetLastError() != ERROR_FILE_NOT_FOUND ||
            GetFileAttributesA(typed.c_str()) != INVALID_FILE_ATTRIBUTES) {
            return std::nullopt;
        }
        target.kind = ReportTarget::Kind::NewFile;
        target.path = typedWide;
        target.folder = folderPrefix(typedWide);
        return target;
    }
    SetLastError(NO_ERROR);
    const DWORD type = GetFileType(target.file.get());
    if (type != FILE_TYPE_DISK) {
        if (type == FILE_TYPE_UNKNOWN && GetLastError() != NO_ERROR) {
            return std::nullopt;
        }
        target.kind = ReportTarget::Kind::OtherFile;
        target.path = typedWide;
        return target;
    }
    BY_HANDLE_FILE_INFORMATION information{};
    if (!GetFileInformationByHandle(target.file.get(), &information) ||
        (information.dwFileAttributes & FILE_ATTRIBUTE_READONLY) != 0) {
        return std::nullopt;
    }
    target.kind = ReportTarget::Kind::RegularFile;
    target.attributes = information.dwFileAttributes;
    target.links = information.nNumberOfLinks;
    target.path = finalName(target.file.get());
    if (target.path.empty()) {
        // Without its own name a reparse point cannot be replaced by name
        // (that would replace the link); an ordinary file has the typed one.
        const DWORD own = GetFileAttributesA(typed.c_str());
        if (own != INVALID_FILE_ATTRIBUTES && (own & FILE_ATTRIBUTE_REPARSE_POINT) == 0) {
            target.path = typedWide;
        }
    }
    target.folder = folderPrefix(target.path.empty() ? typedWide : target.path);
    return target;
}

bool rewrittenInPlace(const ReportTarget& target) {
    return target.kind == ReportTarget::Kind::RegularFile &&
           (target.links > 1 || target.path.empty());
}

}  // namespace romwise
