#include "platform/windows/windows_report_writers.h"

#include <algorithm>
#include <climits>
#include <optional>
#include <string>

#include "platform/windows/console_event_hold.h"
#include "platform/windows/module_functions.h"
#include "platform/windows/windows_save_lock.h"

namespace romwise {

namespace {

constexpr int kNameAttempts = 100;
// What a replacement takes over from the file; archive is set, as writing
// the file would set it.
constexpr DWORD kKeptAttributes =
    FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM | FILE_ATTRIBUTE_NOT_CONTENT_INDEXED;
// Room asked for beyond a file's growth: the cluster it starts (2 MiB is
// the largest an NTFS volume has) and the file system's own records.
constexpr ULONGLONG kAllocationSlack = 4ull * 1024 * 1024;
// How long a file's name may be missing while another save's ReplaceFileW
// moves the old file aside and the new one in, in milliseconds.
constexpr DWORD kReplacementGapMs = 1000;
constexpr DWORD kPollMs = 2;

using SetFileInformationByHandleFunction = BOOL(WINAPI*)(HANDLE, FILE_INFO_BY_HANDLE_CLASS, LPVOID,
                                                         DWORD);

bool writeAll(HANDLE file, std::string_view bytes) {
    while (!bytes.empty()) {
        const auto chunk = static_cast<DWORD>(
            std::min<std::size_t>(bytes.size(), static_cast<std::size_t>(INT_MAX)));
        DWORD written = 0;
        if (!WriteFile(file, bytes.data(), chunk, &written, nullptr) || written == 0) {
            return false;
        }
        bytes.remove_prefix(written);
    }
    return true;
}

// Marks an open file to be deleted when its last handle closes, or lifts
// the mark (Vista and later); false where the system cannot.
bool setDeletePending(HANDLE file, bool pending) {
    static const auto setInformation = moduleFunction<SetFileInformationByHandleFunction>(
        GetModuleHandleA("kernel32.dll"), "SetFileInformationByHandle");
    if (setInformation == nullptr) {
        return false;
    }
    FILE_DISPOSITION_INFO disposition{static_cast<BOOLEAN>(pending ? TRUE : FALSE)};
    return setInformation(file, FileDispositionInfo, &disposition, sizeof disposition) != 0;
}

// Whether the disk holding `folder` has room for `file` to become `size`
// bytes long, for this user (quotas included).
bool roomToGrow(HANDLE file, const std::wstring& folder, std::size_t size) {
    LARGE_INTEGER current{};
    if (!GetFileSizeEx(file, &current) || current.QuadPart < 0) {
        return false;
    }
    const auto now = static_cast<ULONGLONG>(current.QuadPart);
    if (size <= now) {
        return true;
    }
    ULARGE_INTEGER available{};
    return GetDiskFreeSpaceExW(folder.empty() ? nullptr : folder.c_str(), &available, nullptr,
                               nullptr) != 0 &&
           available.QuadPart >= (size - now) + kAllocationSlack;
}

// The file's contents become `bytes`: written from the start, cut to their
// length, flushed, holding the file's lock, so that saves from several
// processes take turns and none is torn by another.
bool rewriteFile(HANDLE file, std::string_view bytes) {
    const SaveLock turn(file);
    const LARGE_INTEGER start{};
    return SetFilePointerEx(file, start, nullptr, FILE_BEGIN) && writeAll(file, bytes) &&
           SetEndOfFile(file) && FlushFileBuffers(file);
}

// A name in `folder` for a file of this process's saves, which the
// program's name and the process id set apart from the user's files.
std::wstring saveFileName(const std::wstring& folder) {
    static unsigned counter = 0;
    return folder + L".romwise-save-" + std::to_wstring(GetCurrentProcessId()) + L"-" +
           std::to_wstring(counter++) + L".tmp";
}

// A save file name that nothing in `folder` has; empty when none is found.
std::wstring unusedName(const std::wstring& folder) {
    for (int attempt = 0; attempt < kNameAttempts; ++attempt) {
        std::wstring name = saveFileName(folder);
        if (GetFileAttributesW(name.c_str()) == INVALID_FILE_ATTRIBUTES &&
            GetLastError() == ERROR_FILE_NOT_FOUND) {
            return name;
        }
    }
    return {};
}

class DirectReportFile final : public TemporaryReportFile {
  public:
    explicit DirectReportFile(ReportTarget target) : target_(std::move(target)) {}

    bool write(std::string_view bytes) override {
        failed_ = failed_ || !target_.file.valid() || !writeAll(target_.file.get(), bytes);
        return !failed_;
    }
    // Not flushed: a pipe would wait for its reader, a console refuses.
    bool close() override {
        const bool closed = target_.file.close();
        closed_ = closed && !failed_;
        return closed_;
    }
    bool replaceTarget() override { return closed_; }

  private:
    ReportTarget target_;
    bool failed_ = false;
    bool closed_ = false;
};

class SavedReportFile final : public TemporaryReportFile {
  public:
    SavedReportFile(ReportTarget target, bool inPlace)
        : target_(std::move(target)), inPlace_(inPlace) {
        if (!inPlace_) {
            createStagingFile();
            inPlace_ = !staging_.valid() && target_.kind == ReportTarget::Kind::RegularFile;
        }
    }

    ~SavedReportFile() override {
        // A file marked for deletion goes with its handle.
        staging_.close();
        if (!stagingName_.empty() && !stagingMoved_) {
            DeleteFileW(stagingName_.c_str());
        }
    }

    bool isOpen() const { return staging_.valid() || inPlace_; }

    bool write(std::string_view bytes) override {
        failed_ = failed_ || closed_ || (!inPlace_ && !writeAll(staging_.get(), bytes));
        if (!failed_) {
            bytes_.append(bytes);
        }
        return !failed_;
    }

    // The staging file is flushed but stays open: a file marked for
    // deletion would go when closed. In place, nothing is written before the
    // disk is known to have room for the report.
    bool close() override {
        if (inPlace_) {
            closed_ = !failed_ && roomToGrow(target_.file.get(), target_.folder, bytes_.size());
        } else {
            closed_ = !failed_ && FlushFileBuffers(staging_.get());
        }
        return closed_;
    }

    bool replaceTarget() override {
        if (!closed_ || replaced_) {
            return false;
        }
        if (inPlace_) {
            replaced_ = rewriteFile(target_.file.get(), bytes_) && target_.file.close();
            return replaced_;
        }
        // Unmarked only now, and closed, so that it can take the target's name.
        if ((deletePending_ && !setDeletePending(staging_.get(), false)) || !staging_.close()) {
            return false;
        }
        if (target_.kind == ReportTarget::Kind::NewFile) {
            stagingMoved_ = MoveFileExW(stagingName_.c_str(), target_.path.c_str(),
                                        MOVEFILE_WRITE_THROUGH) != 0;
            replaced_ = stagingMoved_;
            if (replaced_ || !takeOnFileThatAppeared(GetLastError())) {
                return replaced_;
            }
        }
        if (rewrittenInPlace(target_)) {
            replaced_ = roomToGrow(target_.file.get(), target_.folder, bytes_.size()) &&
                        rewriteFile(target_.file.get(), bytes_) && target_.file.close();
        } else if (target_.kind == ReportTarget::Kind::RegularFile) {
            replaced_ = replaceRegularFile();
        }
        return replaced_;
    }

  private:
    // Another save gave the new file's name to a file first: that file
    // becomes the target, as for a save started after it.
    bool takeOnFileThatAppeared(DWORD moveError) {
        if (moveError != ERROR_ALREADY_EXISTS && moveError != ERROR_FILE_EXISTS) {
            return false;
        }
        std::optional<ReportTarget> found = findReportTarget(target_.typed);
        if (!found || found->kind != ReportTarget::Kind::RegularFile) {
            return false;
        }
        target_ = std::move(*found);
        return true;
    }

    void createStagingFile() {
        const DWORD attributes =
            FILE_ATTRIBUTE_ARCHIVE | (target_.kind == ReportTarget::Kind::RegularFile
                                          ? (target_.attributes & kKeptAttributes)
                                          : 0);
        for (int attempt = 0; attempt < kNameAttempts; ++attempt) {
            std::wstring name = saveFileName(target_.folder);
            staging_ = OwnedHandle(CreateFileW(name.c_str(), GENERIC_WRITE | DELETE, 0, nullptr,
                                               CREATE_NEW, attributes, nullptr));
            if (staging_.valid()) {
                stagingName_ = std::move(name);
                deletePending_ = setDeletePending(staging_.get(), true);
                return;
            }
            const DWORD error = GetLastError();
            if (error != ERROR_FILE_EXISTS && error != ERROR_ALREADY_EXISTS) {
                return;
            }
        }
    }

    bool replaceRegularFile() {
        // Held open until now so that the file could not be moved or removed
        // meanwhile; the system replaces only a file nobody has open.
        target_.file.close();
        // With a name for the old file, a failed replacement leaves every
        // file under a known name (without one, the old file may be gone).
        const std::wstring old = unusedName(target_.folder);
        if (!old.empty() && ReplaceFileW(target_.path.c_str(), stagingName_.c_str(), old.c_str(), 0,
                                         nullptr, nullptr)) {
            stagingMoved_ = true;
            DeleteFileW(old.c_str());
            return true;
        }
        if (GetLastError() == ERROR_UNABLE_TO_MOVE_REPLACEMENT_2 &&
            !MoveFileExW(old.c_str(), target_.path.c_str(), MOVEFILE_WRITE_THROUGH)) {
            // The old file keeps the other name rather than be lost.
            return false;
        }
        // The file is there as it was, and writable: the system would not let
        // another take its place, but the report can go into it.
        const OwnedHandle file = openExisting(target_.path);
        return file.valid() && roomToGrow(file.get(), target_.folder, bytes_.size()) &&
               rewriteFile(file.get(), bytes_);
    }

    // The file of that name, opened for writing. While another save's
    // ReplaceFileW moves its new file in, the name is briefly missing: it
    // is waited for.
    static OwnedHandle openExisting(const std::wstring& path) {
        for (DWORD waited = 0;; waited += kPollMs) {
            OwnedHandle file(CreateFileW(path.c_str(), GENERIC_WRITE,
                                         FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING,
                                         FILE_ATTRIBUTE_NORMAL, nullptr));
            if (file.valid() || GetLastError() != ERROR_FILE_NOT_FOUND ||
                waited >= kReplacementGapMs) {
                return file;
            }
            Sleep(kPollMs);
        }
    }

    // First: released after the staging file is gone.
    ConsoleEventHold hold_;
    ReportTarget target_;
    OwnedHandle staging_;
    std::wstring stagingName_;
    std::string bytes_;  // what was written, for writing into the file itself
    bool inPlace_ = false;
    bool deletePending_ = false;
    bool stagingMoved_ = false;
    bool failed_ = false;
    bool closed_ = false;
    bool replaced_ = false;
};

std::unique_ptr<TemporaryReportFile> openSavedReportFile(ReportTarget target, bool inPlace) {
    auto file = std::make_unique<SavedReportFile>(std::move(target), inPlace);
    if (!file->isOpen()) {
        return nullptr;
    }
    return file;
}

}  // namespace

std::unique_ptr<TemporaryReportFile> openDirectReportFile(ReportTarget target) {
    return std::make_unique<DirectReportFile>(std::move(target));
}

std::unique_ptr<TemporaryReportFile> openStagedReportFile(ReportTarget target) {
    return openSavedReportFile(std::move(target), false);
}

std::unique_ptr<TemporaryReportFile> openInPlaceReportFile(ReportTarget target) {
    return openSavedReportFile(std::move(target), true);
}

}  // namespace romwise
