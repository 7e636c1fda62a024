// Saving the text report on Windows: the bytes arrive as they are (CR LF
// once); an existing report is replaced as the user knows it (attributes,
// hard links, the file a link names); devices and pipes are written to,
// never replaced; what opening the file for writing would refuse is
// refused; a save that fails leaves the existing file as it was and no
// temporary file behind; and saves of one file that overlap take turns.
#include <windows.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <atomic>
#include <string>
#include <thread>
#include <vector>

#include "model/detection_results.h"
#include "platform/windows/windows_report_files.h"
#include "report/report_save.h"
#include "report/text_report.h"
#include "wine_host.h"

namespace romwise {
namespace {

using test::readFileBytes;
using test::ScratchFolder;
using test::writeFileBytes;
using Names = std::vector<std::string>;

// A completed pass's record with a processor name in Windows-1252.
std::unique_ptr<DetectionResults> completedResults() {
    auto results = std::make_unique<DetectionResults>();
    results->runState = RunState::Completed;
    results->biosDateLine.assign("BIOS Date: 11/03/99");
    results->biosTypeLine.assign("BIOS Type: Award Modular BIOS v4.51PG");
    results->biosIdLine.assign("BIOS ID:   2A69KA1AC");
    results->oemSignOnLine.assign("OEM Sign-On: None");
    results->cpuLine.assign("AMD K6-2+ (0.18 \xB5m) 533 MHz");
    return results;
}

BY_HANDLE_FILE_INFORMATION fileInformation(const std::string& path) {
    BY_HANDLE_FILE_INFORMATION information{};
    const HANDLE file =
        CreateFileA(path.c_str(), 0, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                    nullptr, OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr);
    EXPECT_NE(file, INVALID_HANDLE_VALUE) << path;
    GetFileInformationByHandle(file, &information);
    CloseHandle(file);
    return information;
}

// The bytes an open file holds, read from its start.
std::string readThrough(HANDLE file) {
    SetFilePointer(file, 0, nullptr, FILE_BEGIN);
    std::string bytes(8192, '\0');
    DWORD count = 0;
    ReadFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &count, nullptr);
    bytes.resize(count);
    return bytes;
}

// Whether `name` is listed in `folder` within a few seconds, or is not.
bool listedSoon(const ScratchFolder& folder, const std::string& name, bool listed = true) {
    for (int wait = 0; wait < 500; ++wait, Sleep(10)) {
        const auto names = folder.fileNames();
        if ((std::find(names.begin(), names.end(), name) != names.end()) == listed) {
            return true;
        }
    }
    return false;
}

// Under wine: starts the Unix command `command` with the Unix name of `path`
// as its last argument. Wine starts a Unix program but cannot wait for it.
bool startUnixCommand(const std::string& command, const std::string& path) {
    using UnixName = char*(CDECL*)(LPCWSTR);
    const auto unixName = reinterpret_cast<UnixName>(reinterpret_cast<void (*)()>(
        GetProcAddress(GetModuleHandleA("kernel32.dll"), "wine_get_unix_file_name")));
    const std::wstring wide(path.begin(), path.end());
    char* unixPath = unixName != nullptr ? unixName(wide.c_str()) : nullptr;
    if (unixPath == nullptr) {
        return false;
    }
    std::string line = command + " " + unixPath;
    HeapFree(GetProcessHeap(), 0, unixPath);
    STARTUPINFOA startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION process{};
    if (!CreateProcessA(nullptr, line.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                        &startup, &process)) {
        return false;
    }
    CloseHandle(process.hThread);
    CloseHandle(process.hProcess);
    return true;
}

// A symbolic link `name` in `folder` to `target` (a name in that folder).
// Under wine, whose CreateSymbolicLinkA makes nothing, a Unix link.
bool makeSymbolicLink(const ScratchFolder& folder, const std::string& name,
                      const std::string& target) {
    if (!test::runningUnderWine()) {
        return CreateSymbolicLinkA(folder.file(name).c_str(), target.c_str(),
                                   SYMBOLIC_LINK_FLAG_ALLOW_UNPRIVILEGED_CREATE) != 0;
    }
    return startUnixCommand("Z:\\bin\\ln -s " + target, folder.file(name)) &&
           listedSoon(folder, name);
}

// Removes a link made by makeSymbolicLink (wine's DeleteFileA would remove
// the file it names instead).
void removeSymbolicLink(const ScratchFolder& folder, const std::string& name) {
    if (!test::runningUnderWine()) {
        DeleteFileA(folder.file(name).c_str());
    } else if (startUnixCommand("Z:\\bin\\rm", folder.file(name))) {
        listedSoon(folder, name, false);
    }
}

class WindowsReportFilesTest : public ::testing::Test {
  protected:
    bool save(const std::string& target) { return saveTextReport(*results, target, files); }
    Names names() const {
        Names found = folder.fileNames();
        std::sort(found.begin(), found.end());
        return found;
    }
    std::string oldFile(const std::string& name, DWORD attributes = FILE_ATTRIBUTE_NORMAL) {
        const std::string path = folder.file(name);
        writeFileBytes(path, oldReport);
        EXPECT_TRUE(SetFileAttributesA(path.c_str(), attributes));
        return path;
    }

    ScratchFolder folder;
    WindowsReportFiles files;
    std::unique_ptr<DetectionResults> results = completedResults();
    const std::string report = writeTextReport(*results);
    const std::string oldReport = "an older report\r\n";
};

TEST_F(WindowsReportFilesTest, ReplacesAnExistingReportWithTheBytesAsTheyAre) {
    const std::string target = oldFile("bios.txt");
    ASSERT_TRUE(save(target));
    const std::string saved = readFileBytes(target);
    EXPECT_EQ(saved, report);
    EXPECT_EQ(saved.find("\r\r"), std::string::npos) << "line ends translated twice";
    EXPECT_NE(saved.find("\xB5m"), std::string::npos) << "8-bit bytes stay";
    EXPECT_EQ(names(), Names{"bios.txt"});
}

TEST_F(WindowsReportFilesTest, ReplacedFileKeepsItsAttributesAndHardLinks) {
    const std::string hidden = oldFile("hidden.txt", FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM);
    const std::string first = oldFile("first.txt");
    ASSERT_TRUE(CreateHardLinkA(folder.file("second.txt").c_str(), first.c_str(), nullptr));
    const BY_HANDLE_FILE_INFORMATION before = fileInformation(first);

    ASSERT_TRUE(save(hidden));
    EXPECT_EQ(readFileBytes(hidden), report);
    const DWORD kept = FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM | FILE_ATTRIBUTE_ARCHIVE;
    EXPECT_EQ(GetFileAttributesA(hidden.c_str()) & kept, kept) << "archive: as a write sets it";

    ASSERT_TRUE(save(first));
    EXPECT_EQ(readFileBytes(folder.file("second.txt")), report) << "both names show the report";
    const BY_HANDLE_FILE_INFORMATION after = fileInformation(first);
    EXPECT_EQ(after.nNumberOfLinks, 2u);
    EXPECT_EQ(after.nFileIndexLow, before.nFileIndexLow) << "the same file, written in place";
    EXPECT_EQ(after.nFileIndexHigh, before.nFileIndexHigh);

    // Shorter than what it replaces: the rewritten file ends with the report.
    writeFileBytes(first, oldReport + std::string(2 * report.size(), 'x'));
    ASSERT_TRUE(save(folder.file("second.txt")));
    EXPECT_EQ(readFileBytes(first), report);
    EXPECT_EQ(names(), (Names{"first.txt", "hidden.txt", "second.txt"}));
}

TEST_F(WindowsReportFilesTest, FileAnotherProgramKeepsOpenIsWrittenIntoWhenItSharesWriting) {
    // A viewer that keeps the report open, sharing reading and writing but
    // not its deletion: the file cannot be replaced, but writing it works.
    const std::string target = oldFile("bios.txt");
    const HANDLE viewer =
        CreateFileA(target.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                    OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    ASSERT_NE(viewer, INVALID_HANDLE_VALUE);
    const bool saved = save(target);
    const std::string seen = readThrough(viewer);
    CloseHandle(viewer);
    EXPECT_TRUE(saved);
    EXPECT_EQ(seen, report);
    EXPECT_EQ(names(), Names{"bios.txt"});
}

TEST_F(WindowsReportFilesTest, RefusesWhatOpeningTheFileForWritingWouldRefuse) {
    // A read-only report (which wine would let an administrator open), and
    // one another program keeps open without sharing writing.
    const std::string readOnly = oldFile("kept.txt", FILE_ATTRIBUTE_READONLY);
    EXPECT_FALSE(save(readOnly));
    EXPECT_EQ(readFileBytes(readOnly), oldReport);
    EXPECT_EQ(GetFileAttributesA(readOnly.c_str()) & FILE_ATTRIBUTE_READONLY,
              static_cast<DWORD>(FILE_ATTRIBUTE_READONLY));
    const std::string busy = oldFile("busy.txt");
    const HANDLE reader = CreateFileA(busy.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr,
                                      OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    ASSERT_NE(reader, INVALID_HANDLE_VALUE);
    EXPECT_FALSE(save(busy));
    CloseHandle(reader);
    EXPECT_EQ(readFileBytes(busy), oldReport);

    // A folder of that name, a name ending in a separator, a missing folder,
    // an empty name.
    ASSERT_TRUE(CreateDirectoryA(folder.file("reports").c_str(), nullptr));
    EXPECT_FALSE(save(folder.file("reports")));
    EXPECT_FALSE(save(folder.file("reports\\")));
    EXPECT_FALSE(save(folder.file("missing\\bios.txt")));
    EXPECT_FALSE(save(""));
    EXPECT_EQ(names(), (Names{"busy.txt", "kept.txt", "reports"}))
        << "a temporary file was left behind";
}

TEST_F(WindowsReportFilesTest, DevicesAndPipesAreWrittenToNeverReplaced) {
    EXPECT_TRUE(save("NUL"));
    EXPECT_TRUE(save(folder.file("nul"))) << "NUL in any folder";
    EXPECT_EQ(names(), Names{}) << "no file is made for a device";

    const std::string name = "\\\\.\\pipe\\romwise-save-" + std::to_string(GetCurrentProcessId());
    const HANDLE pipe = CreateNamedPipeA(name.c_str(), PIPE_ACCESS_INBOUND, PIPE_TYPE_BYTE, 1, 0,
                                         65536, 0, nullptr);
    ASSERT_NE(pipe, INVALID_HANDLE_VALUE);
    // The pipe's buffer holds the whole report until it is read.
    EXPECT_TRUE(save(name));
    EXPECT_EQ(readThrough(pipe), report);
    // Its one instance is taken now: refused, not waited for.
    const HANDLE writer = CreateFileA(name.c_str(), GENERIC_WRITE, 0, nullptr, OPEN_EXISTING,
                                      FILE_ATTRIBUTE_NORMAL, nullptr);
    EXPECT_FALSE(save(name));
    CloseHandle(writer);
    CloseHandle(pipe);
}

TEST_F(WindowsReportFilesTest, FilesThatBelongTogetherAreOnlyNewOrRegularFiles) {
    // NUL and a pipe with a free instance, which a save writes to, are
    // refused for a file of a set; a new and an existing file are not.
    EXPECT_EQ(files.createRegularBeside("NUL"), nullptr);
    const std::string name = "\\\\.\\pipe\\romwise-set-" + std::to_string(GetCurrentProcessId());
    const HANDLE pipe = CreateNamedPipeA(name.c_str(), PIPE_ACCESS_INBOUND, PIPE_TYPE_BYTE, 1, 0,
                                         65536, 0, nullptr);
    ASSERT_NE(pipe, INVALID_HANDLE_VALUE);
    EXPECT_EQ(files.createRegularBeside(name), nullptr);
    CloseHandle(pipe);
    EXPECT_NE(files.createRegularBeside(folder.file("new.txt")), nullptr);
    EXPECT_NE(files.createRegularBeside(oldFile("old.txt")), nullptr);
    EXPECT_EQ(names(), Names{"old.txt"}) << "an abandoned file leaves nothing behind";
}

TEST_F(WindowsReportFilesTest, SymbolicLinksLeadToTheFileTheyName) {
    const std::string real = oldFile("real.txt");
    if (!makeSymbolicLink(folder, "link.txt", "real.txt") ||
        readFileBytes(folder.file("link.txt")) != oldReport) {
        GTEST_SKIP() << "this user cannot make symbolic links";
    }
    ASSERT_TRUE(save(folder.file("link.txt")));
    EXPECT_EQ(readFileBytes(real), report);
    writeFileBytes(real, oldReport);
    EXPECT_EQ(readFileBytes(folder.file("link.txt")), oldReport) << "the link was replaced";

    // A link to nothing: saving through it would replace the link. (Wine
    // shows a Unix link to nothing as no file at all.)
    if (!test::runningUnderWine()) {
        ASSERT_TRUE(makeSymbolicLink(folder, "dangling.txt", "nothing.txt"));
        EXPECT_FALSE(save(folder.file("dangling.txt")));
        EXPECT_EQ(names(), (Names{"dangling.txt", "link.txt", "real.txt"}));
    } else {
        EXPECT_EQ(names(), (Names{"link.txt", "real.txt"}));
    }
    removeSymbolicLink(folder, "link.txt");
    removeSymbolicLink(folder, "dangling.txt");
}

TEST_F(WindowsReportFilesTest, TemporaryFileIsRemovedWhenTheSaveIsAbandoned) {
    const std::string target = oldFile("bios.txt");
    {
        auto file = files.createBeside(target);
        ASSERT_NE(file, nullptr);
        ASSERT_TRUE(file->write("half a report"));
        EXPECT_EQ(folder.fileNames().size(), 2u) << "the new file lies beside the target";
        EXPECT_FALSE(file->replaceTarget()) << "not before it is closed";
    }
    EXPECT_EQ(names(), Names{"bios.txt"});
    EXPECT_EQ(readFileBytes(target), oldReport);
}

// Two saves that found the name new: the later replaces what the earlier
// left instead of being refused because a file appeared meanwhile.
TEST_F(WindowsReportFilesTest, TheLaterOfTwoSavesToANewNameWins) {
    const auto earlier = files.createBeside(folder.file("bios.txt"));
    const auto later = files.createBeside(folder.file("bios.txt"));
    ASSERT_TRUE(earlier && later);
    EXPECT_TRUE(earlier->write(oldReport) && earlier->close() && later->write(report) &&
                later->close() && earlier->replaceTarget());
    EXPECT_TRUE(later->replaceTarget());
    EXPECT_EQ(readFileBytes(folder.file("bios.txt")), report);
}

// While another save holds a file with hard links (its lock, as it holds it
// while rewriting the file in place), a save waits, so that neither is torn.
TEST_F(WindowsReportFilesTest, ASaveWaitsWhileAnotherHoldsTheFile) {
    const std::string linked = oldFile("linked.txt");
    ASSERT_TRUE(CreateHardLinkA(folder.file("linked-too.txt").c_str(), linked.c_str(), nullptr));
    const HANDLE held =
        CreateFileA(linked.c_str(), GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                    OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    OVERLAPPED start{};
    ASSERT_TRUE(LockFileEx(held, LOCKFILE_EXCLUSIVE_LOCK, 0, MAXDWORD, MAXDWORD, &start));
    std::atomic<bool> saved{false};
    std::thread saver([&] { saved = save(linked); });
    Sleep(500);
    EXPECT_FALSE(saved) << "written while the file was held";
    UnlockFileEx(held, 0, MAXDWORD, MAXDWORD, &start);
    CloseHandle(held);
    saver.join();
    EXPECT_TRUE(saved);
    EXPECT_EQ(readFileBytes(folder.file("linked-too.txt")), report);
}

TEST_F(WindowsReportFilesTest, DriveRelativeNameIsWrittenInThatDrivesCurrentFolder) {
    char previous[MAX_PATH];
    GetCurrentDirectoryA(MAX_PATH, previous);
    ASSERT_TRUE(SetCurrentDirectoryA(folder.path().c_str()));
    const std::string drive = folder.path().substr(0, 2);  // e.g. "C:"
    const bool saved = save(drive + "relative.txt");
    const bool replaced = save(drive + "relative.txt");
    SetCurrentDirectoryA(previous);
    EXPECT_TRUE(saved);
    EXPECT_TRUE(replaced);
    EXPECT_EQ(readFileBytes(folder.file("relative.txt")), report);
    EXPECT_EQ(names(), Names{"relative.txt"});
}

TEST(FolderPrefix, KeepsWhatPrecedesTheFileName) {
    EXPECT_EQ(folderPrefix("c:\\reports\\bios.txt"), "c:\\reports\\");
    EXPECT_EQ(folderPrefix("c:/reports/bios.txt"), "c:/reports/");
    EXPECT_EQ(folderPrefix("c:bios.txt"), "c:");
    EXPECT_EQ(folderPrefix("bios.txt"), "");
    EXPECT_EQ(folderPrefix("\\\\server\\share\\bios.txt"), "\\\\server\\share\\");
    EXPECT_EQ(folderPrefix(std::wstring(L"\\\\?\\C:\\reports\\bios.txt")), L"\\\\?\\C:\\reports\\");
}

}  // namespace
}  // namespace romwise
