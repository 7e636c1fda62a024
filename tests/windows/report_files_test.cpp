// Saving the text report on Windows: the bytes arrive as they are (CR LF
// once), an existing report is replaced, and a save that fails leaves the
// existing file as it was and no temporary file behind.
#include <windows.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
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

class WindowsReportFilesTest : public ::testing::Test {
  protected:
    ScratchFolder folder;
    WindowsReportFiles files;
    std::unique_ptr<DetectionResults> results = completedResults();
    const std::string oldReport = "an older report\r\n";
};

TEST_F(WindowsReportFilesTest, ReplacesAnExistingReportWithTheBytesAsTheyAre) {
    const std::string target = folder.file("bios.txt");
    writeFileBytes(target, oldReport);
    ASSERT_TRUE(saveTextReport(*results, target, files));
    const std::string saved = readFileBytes(target);
    EXPECT_EQ(saved, writeTextReport(*results));
    EXPECT_EQ(saved.find("\r\r"), std::string::npos) << "line ends translated twice";
    EXPECT_NE(saved.find("\xB5m"), std::string::npos) << "8-bit bytes stay";
    EXPECT_EQ(folder.fileNames(), std::vector<std::string>{"bios.txt"});
}

TEST_F(WindowsReportFilesTest, FailedSavesLeaveTheExistingFileAndNothingElse) {
    // A read-only report cannot be replaced.
    const std::string readOnly = folder.file("kept.txt");
    writeFileBytes(readOnly, oldReport);
    ASSERT_TRUE(SetFileAttributesA(readOnly.c_str(), FILE_ATTRIBUTE_READONLY));
    EXPECT_FALSE(saveTextReport(*results, readOnly, files));
    EXPECT_EQ(readFileBytes(readOnly), oldReport);

    // A folder of that name, a name ending in a separator, a missing folder,
    // an empty name.
    ASSERT_TRUE(CreateDirectoryA(folder.file("reports").c_str(), nullptr));
    EXPECT_FALSE(saveTextReport(*results, folder.file("reports"), files));
    EXPECT_FALSE(saveTextReport(*results, folder.file("reports\\"), files));
    EXPECT_FALSE(saveTextReport(*results, folder.file("missing\\bios.txt"), files));
    EXPECT_FALSE(saveTextReport(*results, "", files));

    auto names = folder.fileNames();
    std::sort(names.begin(), names.end());
    EXPECT_EQ(names, (std::vector<std::string>{"kept.txt", "reports"}))
        << "a temporary file was left behind";
}

TEST_F(WindowsReportFilesTest, TemporaryFileIsRemovedWhenTheSaveIsAbandoned) {
    const std::string target = folder.file("bios.txt");
    writeFileBytes(target, oldReport);
    {
        auto file = files.createBeside(target);
        ASSERT_NE(file, nullptr);
        ASSERT_TRUE(file->write("half a report"));
        EXPECT_EQ(folder.fileNames().size(), 2u) << "the new file lies beside the target";
        EXPECT_FALSE(file->replaceTarget()) << "not before it is closed";
    }
    EXPECT_EQ(folder.fileNames(), std::vector<std::string>{"bios.txt"});
    EXPECT_EQ(readFileBytes(target), oldReport);
}

TEST_F(WindowsReportFilesTest, DriveRelativeNameIsWrittenInThatDrivesCurrentFolder) {
    char previous[MAX_PATH];
    GetCurrentDirectoryA(MAX_PATH, previous);
    ASSERT_TRUE(SetCurrentDirectoryA(folder.path().c_str()));
    const std::string drive = folder.path().substr(0, 2);  // e.g. "C:"
    const bool saved = saveTextReport(*results, drive + "relative.txt", files);
    SetCurrentDirectoryA(previous);
    ASSERT_TRUE(saved);
    EXPECT_EQ(readFileBytes(folder.file("relative.txt")), writeTextReport(*results));
    EXPECT_EQ(folder.fileNames(), std::vector<std::string>{"relative.txt"});
}

TEST(FolderPrefix, KeepsWhatPrecedesTheFileName) {
    EXPECT_EQ(folderPrefix("c:\\reports\\bios.txt"), "c:\\reports\\");
    EXPECT_EQ(folderPrefix("c:/reports/bios.txt"), "c:/reports/");
    EXPECT_EQ(folderPrefix("c:bios.txt"), "c:");
    EXPECT_EQ(folderPrefix("bios.txt"), "");
    EXPECT_EQ(folderPrefix("\\\\server\\share\\bios.txt"), "\\\\server\\share\\");
}

}  // namespace
}  // namespace romwise
