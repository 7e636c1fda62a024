#include "platform/windows/windows_report_files.h"

#include <windows.h>

#include <climits>
#include <cstdio>
#include <cstdlib>

namespace romwise {

namespace {

constexpr int kNameAttempts = 100;

bool isSeparator(char c) {
    return c == '\\' || c == '/';
}

class WindowsTemporaryReportFile final : public TemporaryReportFile {
  public:
    WindowsTemporaryReportFile(HANDLE file, std::string path, std::string target)
        : file_(file), path_(std::move(path)), target_(std::move(target)) {}

    ~WindowsTemporaryReportFile() override {
        if (file_ != INVALID_HANDLE_VALUE) {
            CloseHandle(file_);
        }
        if (!replaced_) {
            DeleteFileA(path_.c_str());
        }
    }

    bool write(std::string_view bytes) override {
        if (file_ == INVALID_HANDLE_VALUE || failed_) {
            return false;
        }
        while (!bytes.empty()) {
            const DWORD chunk = bytes.size() > static_cast<std::size_t>(INT_MAX)
                                    ? static_cast<DWORD>(INT_MAX)
                                    : static_cast<DWORD>(bytes.size());
            DWORD written = 0;
            if (!WriteFile(file_, bytes.data(), chunk, &written, nullptr) || written == 0) {
                failed_ = true;
                return false;
            }
            bytes.remove_prefix(written);
        }
        return true;
    }

    bool close() override {
        if (file_ == INVALID_HANDLE_VALUE) {
            return false;
        }
        // Some file systems report a full disk only when the data is flushed.
        const bool flushed = FlushFileBuffers(file_) != 0;
        const bool closed = CloseHandle(file_) != 0;
        file_ = INVALID_HANDLE_VALUE;
        closed_ = flushed && closed && !failed_;
        return closed_;
    }

    bool replaceTarget() override {
        if (!closed_ || replaced_) {
            return false;
        }
        replaced_ = MoveFileExA(path_.c_str(), target_.c_str(),
                                MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH) != 0;
        return replaced_;
    }

  private:
    HANDLE file_;
    std::string path_;
    std::string target_;
    bool failed_ = false;
    bool closed_ = false;
    bool replaced_ = false;
};

}  // namespace

std::string folderPrefix(const std::string& path) {
    for (std::size_t i = path.size(); i > 0; --i) {
        if (isSeparator(path[i - 1])) {
            return path.substr(0, i);
        }
    }
    // "c:bios.txt": the drive's current folder.
    if (path.size() >= 2 && path[1] == ':') {
        return path.substr(0, 2);
    }
    return {};
}

std::unique_ptr<TemporaryReportFile> WindowsReportFiles::createBeside(const std::string& target) {
    if (target.empty() || target.find('\0') != std::string::npos || isSeparator(target.back())) {
        return nullptr;
    }
    // A read-only report cannot be opened for writing, so it is not replaced
    // either (MoveFileExA would on some systems, wine among them).
    const DWORD existing = GetFileAttributesA(target.c_str());
    if (existing != INVALID_FILE_ATTRIBUTES &&
        (existing & (FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_READONLY)) != 0) {
        return nullptr;
    }
    const std::string folder = folderPrefix(target);
    static unsigned counter = 0;
    for (int attempt = 0; attempt < kNameAttempts; ++attempt) {
        char name[64];
        std::snprintf(name, sizeof name, ".romwise-save-%lu-%u.tmp",
                      static_cast<unsigned long>(GetCurrentProcessId()), counter++);
        std::string path = folder + name;
        const HANDLE file = CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW,
                                        FILE_ATTRIBUTE_NORMAL, nullptr);
        if (file == INVALID_HANDLE_VALUE) {
            const DWORD error = GetLastError();
            if (error == ERROR_FILE_EXISTS || error == ERROR_ALREADY_EXISTS) {
                continue;
            }
            return nullptr;
        }
        return std::make_unique<WindowsTemporaryReportFile>(file, std::move(path), target);
    }
    return nullptr;
}

std::string WindowsReportFiles::homeDirectory() {
    const char* profile = std::getenv("USERPROFILE");
    if (profile != nullptr && profile[0] != '\0' && profile[1] == ':' && isSeparator(profile[2])) {
        return profile;
    }
    return {};
}

}  // namespace romwise
