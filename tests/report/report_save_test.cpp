// Saving the report through an in-memory file system that can run out of
// room, refuse a directory or fail to close.
#include "report/report_save.h"

#include <gtest/gtest.h>

#include "app/main_controller.h"
#include "report/text_report.h"
#include "tests/report/memory_files.h"
#include "tests/report/report_records.h"

namespace romwise {
namespace {

using testing::completedRecord;
using testing::MemoryFiles;
using testing::MessageView;

constexpr char kOldReport[] = "an older report\r\n";

struct SaveCase {
    MemoryFiles files;
    MessageView view;
    DetectionResults record = completedRecord();

    bool save(const std::string& path) { return acceptSaveReport(record, path, files, view); }
    void expectFileErrorOnce() {
        ASSERT_EQ(view.messages.size(), 1u);
        EXPECT_EQ(view.messages[0].text, "File error saving results!");
        EXPECT_EQ(view.messages[0].caption, "ERROR!");
    }
};

TEST(ReportSaveTest, WritesTheWholeReportAndReplacesAnOldOne) {
    SaveCase c;
    c.files.files["/home/ann/bios.txt"] = kOldReport;
    EXPECT_TRUE(c.save("/home/ann/bios.txt"));
    EXPECT_EQ(c.files.files["/home/ann/bios.txt"], writeTextReport(c.record));
    EXPECT_TRUE(c.view.messages.empty());
    EXPECT_EQ(c.files.temporaryFiles, 0);
}

TEST(ReportSaveTest, FailuresShowTheMessageAndKeepTheOldFile) {
    struct Failure {
        const char* what;
        std::string path;
        void (*arrange)(MemoryFiles&);
    };
    const Failure failures[] = {
        {"missing directory", "/home/ann/gone/bios.txt", [](MemoryFiles&) {}},
        {"read-only directory", "/ro/bios.txt", [](MemoryFiles&) {}},
        {"full file system", "/home/ann/bios.txt", [](MemoryFiles& f) { f.freeBytes = 100; }},
        {"no room at all", "/home/ann/bios.txt", [](MemoryFiles& f) { f.freeBytes = 0; }},
        {"error on close", "/home/ann/bios.txt", [](MemoryFiles& f) { f.closeFails = true; }},
        {"empty name", "", [](MemoryFiles&) {}},
    };
    for (const Failure& failure : failures) {
        SCOPED_TRACE(failure.what);
        SaveCase c;
        c.files.files["/home/ann/bios.txt"] = kOldReport;
        c.files.files["/ro/bios.txt"] = kOldReport;
        failure.arrange(c.files);
        EXPECT_FALSE(c.save(failure.path));
        c.expectFileErrorOnce();
        EXPECT_EQ(c.files.files["/home/ann/bios.txt"], kOldReport);
        EXPECT_EQ(c.files.files["/ro/bios.txt"], kOldReport);
        EXPECT_EQ(c.files.files.size(), 2u);
        EXPECT_EQ(c.files.temporaryFiles, 0);
    }
}

TEST(ReportSaveTest, LongFileNameIsTakenWhole) {
    SaveCase c;
    const std::string path = "/home/ann/" + std::string(140, 'r') + ".txt";
    EXPECT_TRUE(c.save(path));
    ASSERT_EQ(c.files.files.size(), 1u);
    EXPECT_EQ(c.files.files.begin()->first, path);
}

#if defined(_WIN32)
TEST(ReportSaveTest, DefaultPathOnWindowsIsTheFixedOne) {
    MemoryFiles files;
    EXPECT_EQ(defaultReportPath(files), "c:\\bios.txt");
    files.home = "C:\\Users\\ann";
    EXPECT_EQ(defaultReportPath(files), "c:\\bios.txt") << "whatever the home folder";
}
#else
TEST(ReportSaveTest, DefaultPathIsBiosTxtInTheHomeDirectory) {
    MemoryFiles files;
    EXPECT_EQ(defaultReportPath(files), "/home/ann/bios.txt");
    files.home = "/";
    EXPECT_EQ(defaultReportPath(files), "/bios.txt");
    files.home = "/home/bob/";
    EXPECT_EQ(defaultReportPath(files), "/home/bob/bios.txt");
    files.home = "";  // unknown: still an absolute path
    EXPECT_EQ(defaultReportPath(files), "/bios.txt");
    files.home = "relative";
    EXPECT_EQ(defaultReportPath(files), "/bios.txt");
}
#endif

}  // namespace
}  // namespace romwise
