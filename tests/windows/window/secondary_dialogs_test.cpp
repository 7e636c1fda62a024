// The secondary dialogs through the main window: the options switches change
// the next pass as the command line's switches do, the more-information
// list's rows and columns, and the save dialog's proposal, selection, file
// and refusal of a name the code page cannot hold.
#include <windows.h>

#include <commctrl.h>
#include <gtest/gtest.h>
#include <nlohmann/json.hpp>

#include <string>

#include "../wine_host.h"
#include "model/control_ids.h"
#include "model/run_texts.h"
#include "ui/common/window_texts.h"
#include "window_fixtures.h"

namespace romwise::ui::win32 {
namespace {

using testing::click;
using testing::ModalScript;
using testing::press;
using testing::SampleWindow;
using testing::windowText;

std::string commandLineField(const std::string& options, int id) {
    const auto run = test::runProgram("\"" + test::hostPath(ROMWISE_CLI_PROGRAM) +
                                      "\" --format json --machine \"" +
                                      testing::samplePath("award-440bx.json") + "\" " + options);
    return nlohmann::json::parse(run.out)["dialog"][std::to_string(id)].get<std::string>();
}

// Runs the options dialog, clicking the given check boxes, then OK or Escape.
void setOptions(SampleWindow& window, std::vector<int> boxes, int closeWith, bool* shownChecked) {
    ModalScript script;
    script.then([=](HWND options) {
        if (shownChecked != nullptr) {
            *shownChecked = IsDlgButtonChecked(options, control::kSkipSuperIoCheck) == BST_CHECKED;
        }
        for (const int box : boxes) {
            PostMessageW(GetDlgItem(options, box), BM_CLICK, 0, 0);
        }
        press(options, closeWith);
    });
    click(window.control(control::kOptions));
    ASSERT_TRUE(script.finished());
}

TEST(OptionsDialog, SwitchesChangeTheNextPassAsTheCommandLinesSwitchesDo) {
    SampleWindow window("award-440bx.json");
    bool checked = true;
    setOptions(window, {control::kSkipSuperIoCheck, control::kSkipDmiCheck}, IDCANCEL, &checked);
    EXPECT_FALSE(checked) << "both detections start on";
    EXPECT_EQ(window.options.skipSuperIo, 1) << "Escape keeps what the clicks set";
    EXPECT_EQ(window.options.skipDmi, 1);

    click(window.control(control::kGetBiosInfo));
    EXPECT_EQ(window.text(control::kSuperIo),
              commandLineField("--skip-superio --skip-dmi", control::kSuperIo));
    EXPECT_EQ(window.text(control::kProcessor),
              commandLineField("--skip-superio --skip-dmi", control::kProcessor));
    EXPECT_FALSE(IsWindowVisible(window.control(control::kMoreInfo))) << "no DMI data";

    // The dialog shows the switches as they are; a second click undoes one.
    setOptions(window, {control::kSkipSuperIoCheck}, IDOK, &checked);
    EXPECT_TRUE(checked);
    EXPECT_EQ(window.options.skipSuperIo, 0);
    click(window.control(control::kGetBiosInfo));
    EXPECT_EQ(window.text(control::kSuperIo), commandLineField("--skip-dmi", control::kSuperIo));
}

struct ListContents {
    std::vector<std::pair<std::string, std::string>> rows;
    int listWidth = 0;
    int slotColumn = 0;
    int sizeColumn = 0;
};

std::string itemText(HWND list, int row, int column) {
    wchar_t text[64] = {};
    LVITEMW item = {};
    item.iSubItem = column;
    item.pszText = text;
    item.cchTextMax = 64;
    SendMessageW(list, LVM_GETITEMTEXTW, row, reinterpret_cast<LPARAM>(&item));
    std::string out;
    for (const wchar_t* c = text; *c != 0; ++c) {
        out += static_cast<char>(*c);
    }
    return out;
}

ListContents moreInformation(SampleWindow& window) {
    ListContents contents;
    ModalScript script;
    script.then([&](HWND dialog) {
        HWND list = GetDlgItem(dialog, control::kSlotList);
        RECT rect;
        GetWindowRect(list, &rect);
        contents.listWidth = rect.right - rect.left;
        contents.slotColumn = ListView_GetColumnWidth(list, 0);
        contents.sizeColumn = ListView_GetColumnWidth(list, 1);
        const int rows = ListView_GetItemCount(list);
        for (int row = 0; row < rows; ++row) {
            contents.rows.emplace_back(itemText(list, row, 0), itemText(list, row, 1));
        }
        press(dialog, IDOK);
    });
    click(window.control(control::kMoreInfo));
    return contents;
}

TEST(MoreInfoDialog, ListsEverySlotThenABlankRowAndTheTotalInColumnsOfAThirdAndTwoThirds) {
    SampleWindow window("many-slots.json");
    click(window.control(control::kGetBiosInfo));
    const auto& slots = window.results->memorySlotTexts;
    ASSERT_GE(slots.count, 10) << "slots numbered past 9";
    const ListContents contents = moreInformation(window);
    ASSERT_EQ(contents.rows.size(), static_cast<std::size_t>(slots.count) + 2);
    for (int i = 0; i < slots.count; ++i) {
        EXPECT_EQ(contents.rows[static_cast<std::size_t>(i)].first, "  " + std::to_string(i + 1));
        EXPECT_EQ(contents.rows[static_cast<std::size_t>(i)].second,
                  slots.text[static_cast<std::size_t>(i)].c_str());
    }
    EXPECT_EQ(contents.rows[slots.count], (std::pair<std::string, std::string>{"", ""}));
    EXPECT_EQ(contents.rows.back().first, "  Total:");
    EXPECT_EQ(contents.rows.back().second, window.results->installedMemoryText.c_str());
    ASSERT_GT(contents.listWidth, 0);
    EXPECT_EQ(contents.slotColumn, slotListColumns(contents.listWidth).slot);
    EXPECT_EQ(contents.sizeColumn, slotListColumns(contents.listWidth).size);
}

// After a firmware-tables pass the title bar carries the note and the list
// the sources after the total; the next pass takes the note away.
TEST(MoreInfoDialog, AfterAFirmwareTablesPassTheCaptionHasTheNoteAndTheListTheSources) {
    SampleWindow window("award-440bx.json");
    HWND handle = window.window.handle();
    const std::string plain = windowText(handle);
    click(window.control(control::kGetBiosInfo));
    const PassAccess tables = {PassRoute::FirmwareTables, "no port driver: caf\xE9",
                               AccessSource::IdentityStrings, AccessSource::SmbiosTables,
                               AccessSource::DeviceList};
    window.window.showPassAccess(tables);
    EXPECT_EQ(windowText(handle),
              plain +
                  " - no port driver: café; read the system's firmware tables (BIOS from the "
                  "firmware's identity strings, DMI from the SMBIOS tables, chipset from the "
                  "system's device list); Super I/O not probed");
    const ListContents contents = moreInformation(window);
    const std::size_t slots = window.results->memorySlotTexts.count;
    using Row = std::pair<std::string, std::string>;
    ASSERT_EQ(contents.rows.size(), slots + 8);
    EXPECT_EQ(std::vector<Row>(contents.rows.begin() + static_cast<std::ptrdiff_t>(slots) + 1,
                               contents.rows.end()),
              (std::vector<Row>{{"  Total:", window.results->installedMemoryText.c_str()},
                                {"", ""},
                                {"  Route:", "firmware tables"},
                                {"  BIOS:", "the firmware's identity strings"},
                                {"  DMI:", "the SMBIOS tables"},
                                {"  Chipset:", "the system's device list"},
                                {"  Super I/O:", "not probed"}}));
    click(window.control(control::kGetBiosInfo));
    EXPECT_EQ(windowText(handle), plain);
}

class SaveDialog : public ::testing::Test {
  protected:
    void SetUp() override { click(window.control(control::kGetBiosInfo)); }

    SampleWindow window{"award-440bx.json"};
    test::ScratchFolder folder;
};

TEST_F(SaveDialog, ProposesTheDefaultPathSelectedAndSavesWhatIsTypedOnOk) {
    const std::string target = folder.file("bios.txt");
    std::string proposed;
    DWORD selectionEnd = 0;
    bool focused = false;
    ModalScript script;
    script.then([&](HWND dialog) {
        HWND field = GetDlgItem(dialog, control::kSaveFileName);
        proposed = windowText(field);
        focused = GetFocus() == field;
        DWORD start = 99;
        SendMessageW(field, EM_GETSEL, reinterpret_cast<WPARAM>(&start),
                     reinterpret_cast<LPARAM>(&selectionEnd));
        EXPECT_EQ(start, 0u);
        SetWindowTextA(field, target.c_str());
        press(dialog, IDOK);
    });
    click(window.control(control::kSave));
    EXPECT_EQ(proposed, "c:\\bios.txt");
    EXPECT_TRUE(focused);
    EXPECT_EQ(selectionEnd, proposed.size()) << "the whole proposal is selected";
    EXPECT_EQ(script.seen().size(), 1u) << "no error message";
    EXPECT_EQ(test::readFileBytes(target).rfind("Program:   Quorvel Romwise Version 3.54\r\n", 0),
              0u);
}

TEST_F(SaveDialog, ANameTheCodePageCannotHoldIsRefusedNotBentIntoAnotherName) {
    // U+FF43, a full-width c, which the system's best fit would write as "c".
    const std::wstring name =
        std::wstring(folder.path().begin(), folder.path().end()) + L"bios\xFF43.txt";
    ModalScript script;
    script.then([&](HWND dialog) {
        SetDlgItemTextW(dialog, control::kSaveFileName, name.c_str());
        press(dialog, IDOK);
    });
    click(window.control(control::kSave));
    ASSERT_EQ(script.seen().size(), 2u);
    EXPECT_EQ(script.seen()[1].text, kFileErrorSaving);
    EXPECT_EQ(script.seen()[1].title, "ERROR!");
    EXPECT_TRUE(folder.fileNames().empty()) << "no file under any name";
}

}  // namespace
}  // namespace romwise::ui::win32
