// The more-information list, the options switches, the close confirmation,
// the About box and the save dialog, each with its template's size and texts.
#include <gtest/gtest.h>

#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <QTreeWidget>
#include <filesystem>
#include <fstream>
#include <sstream>

#include "modal_script.h"
#include "model/control_ids.h"
#include "report/text_report.h"
#include "ui/qt/about_box.h"
#include "ui/qt/confirmation_dialog.h"
#include "ui/qt/more_info_dialog.h"
#include "ui/qt/options_dialog.h"
#include "window_fixtures.h"

namespace romwise::ui {
namespace {

using testing::child;
using testing::ModalScript;
using testing::SampleWindow;

std::vector<std::pair<QString, QString>> rows(QTreeWidget& list) {
    std::vector<std::pair<QString, QString>> out;
    for (int i = 0; i < list.topLevelItemCount(); ++i) {
        out.emplace_back(list.topLevelItem(i)->text(0), list.topLevelItem(i)->text(1));
    }
    return out;
}

DetectionResults withSlots(std::initializer_list<const char*> sizes, const char* total) {
    DetectionResults results;
    for (const char* size : sizes) {
        results.memorySlotTexts.text[results.memorySlotTexts.count++].assign(size);
    }
    results.installedMemoryText.assign(total);
    return results;
}

TEST(MoreInfoDialog, ColumnsTakeAThirdLessFourAndTwoThirds) {
    EXPECT_EQ(slotListColumns(230).slot, 72);
    EXPECT_EQ(slotListColumns(230).size, 153);
    EXPECT_EQ(slotListColumns(2).slot, -4);
}

TEST(MoreInfoDialog, TwoSlotsGiveTheirRowsABlankRowAndTheTotal) {
    const auto results = withSlots({"128 MB", "256 MB"}, "384 MB");
    MoreInfoDialog dialog(results, {}, nullptr);
    EXPECT_EQ(dialog.size(), QSize(280, 216));
    EXPECT_EQ(dialog.windowTitle(), QString::fromUtf8("更多的信息"));
    auto* list = child<QTreeWidget>(&dialog, control::kSlotList);
    ASSERT_NE(list, nullptr);
    using Row = std::pair<QString, QString>;
    EXPECT_EQ(
        rows(*list),
        (std::vector<Row>{{"  1", "128 MB"}, {"  2", "256 MB"}, {"", ""}, {"  Total:", "384 MB"}}));
    EXPECT_EQ(list->headerItem()->text(0), QStringLiteral("Slot"));
    EXPECT_EQ(list->headerItem()->text(1), QStringLiteral("Memory Installed"));
    const SlotListColumns expected = slotListColumns(list->frameGeometry().width());
    EXPECT_EQ(list->columnWidth(0), expected.slot);
    EXPECT_EQ(list->columnWidth(1), expected.size);
}

TEST(MoreInfoDialog, AfterAFirmwareTablesPassTheSourcesFollowTheTotal) {
    const auto results = withSlots({"128 MB"}, "128 MB");
    const PassAccess tables = {PassRoute::FirmwareTables, "no port driver", AccessSource::RomWindow,
                               AccessSource::SmbiosTables, AccessSource::DeviceList};
    MoreInfoDialog dialog(results, moreInfoAccessRows(tables), nullptr);
    auto* list = child<QTreeWidget>(&dialog, control::kSlotList);
    ASSERT_NE(list, nullptr);
    using Row = std::pair<QString, QString>;
    EXPECT_EQ(rows(*list), (std::vector<Row>{{"  1", "128 MB"},
                                             {"", ""},
                                             {"  Total:", "128 MB"},
                                             {"", ""},
                                             {"  Route:", "firmware tables"},
                                             {"  BIOS:", "the ROM window"},
                                             {"  DMI:", "the SMBIOS tables"},
                                             {"  Chipset:", "the system's device list"},
                                             {"  Super I/O:", "not probed"}}));
}

TEST(MoreInfoDialog, NoSlotsLeaveTheBlankRowAndTheTotal) {
    const auto results = withSlots({}, "64 MB");
    MoreInfoDialog dialog(results, {}, nullptr);
    auto* list = child<QTreeWidget>(&dialog, control::kSlotList);
    ASSERT_NE(list, nullptr);
    ASSERT_EQ(list->topLevelItemCount(), 2);
    EXPECT_EQ(list->topLevelItem(1)->text(0), QStringLiteral("  Total:"));
    EXPECT_EQ(list->topLevelItem(1)->text(1), QStringLiteral("64 MB"));
}

TEST(MoreInfoDialog, SixteenSlotsGiveEighteenRowsAndACountBeyondTheTableIsCut) {
    DetectionResults results;
    for (int i = 0; i < 16; ++i) {
        results.memorySlotTexts.text[static_cast<size_t>(i)].format("%d MB", 32 * (i + 1));
    }
    results.memorySlotTexts.count = 16;
    {
        MoreInfoDialog dialog(results, {}, nullptr);
        auto* list = child<QTreeWidget>(&dialog, control::kSlotList);
        ASSERT_EQ(list->topLevelItemCount(), 18);
        EXPECT_EQ(list->topLevelItem(15)->text(0), QStringLiteral("  16"));
        EXPECT_EQ(list->topLevelItem(15)->text(1), QStringLiteral("512 MB"));
    }
    results.memorySlotTexts.count = 40000;  // a damaged count never reads past the table
    MoreInfoDialog dialog(results, {}, nullptr);
    EXPECT_EQ(child<QTreeWidget>(&dialog, control::kSlotList)->topLevelItemCount(), 18);
}

TEST(MoreInfoDialog, SlotTextsAreDecodedFromTheRecordCodePage) {
    const auto results = withSlots({"1\xB5s"}, "1 MB");
    MoreInfoDialog dialog(results, {}, nullptr);
    EXPECT_EQ(child<QTreeWidget>(&dialog, control::kSlotList)->topLevelItem(0)->text(1),
              QString::fromUtf8("1µs"));
}

TEST(OptionsDialog, ClicksToggleAtOnceAndEscapeKeepsThem) {
    DetectionOptions options;
    {
        OptionsDialog dialog(options, nullptr);
        EXPECT_EQ(dialog.windowTitle(), QString::fromUtf8("Romwise  选项"));
        auto* superIo = child<QCheckBox>(&dialog, control::kSkipSuperIoCheck);
        auto* dmi = child<QCheckBox>(&dialog, control::kSkipDmiCheck);
        ASSERT_NE(superIo, nullptr);
        ASSERT_NE(dmi, nullptr);
        EXPECT_EQ(superIo->text(), QString::fromUtf8("功能失效 &找出超级I/O"));
        EXPECT_EQ(dmi->text(), QString::fromUtf8("功能失效 &找出DMI"));
        EXPECT_FALSE(superIo->isChecked());
        dialog.show();
        superIo->click();
        EXPECT_EQ(options.skipSuperIo, 1);
        superIo->click();
        EXPECT_EQ(options.skipSuperIo, 0);
        dmi->click();
        EXPECT_EQ(options.skipDmi, 1);
        QTest::keyClick(&dialog, Qt::Key_Escape);
        EXPECT_EQ(dialog.result(), QDialog::Rejected);
    }
    EXPECT_EQ(options.skipDmi, 1);
    OptionsDialog again(options, nullptr);
    EXPECT_TRUE(child<QCheckBox>(&again, control::kSkipDmiCheck)->isChecked());
    EXPECT_FALSE(child<QCheckBox>(&again, control::kSkipSuperIoCheck)->isChecked());
}

TEST(ConfirmationDialog, YesAcceptsNoCancelsAndTheTextsAreThere) {
    ConfirmationDialog dialog(nullptr);
    EXPECT_EQ(dialog.size(), QSize(355, 154));
    EXPECT_EQ(dialog.windowTitle(), QString::fromUtf8("您确定?"));
    QStringList texts;
    for (auto* label : dialog.findChildren<QLabel*>()) {
        texts << label->text();
    }
    EXPECT_TRUE(texts.contains(QString::fromUtf8("您要不要递交您的BIOS 升级请求?")));
    EXPECT_TRUE(texts.contains(QString::fromUtf8("您未递交您的BIOS 升级请求。")));
    EXPECT_EQ(child<QPushButton>(&dialog, 1)->text(), QString::fromUtf8("是的"));
    EXPECT_EQ(child<QPushButton>(&dialog, 2)->text(), QString::fromUtf8("不要"));
    dialog.show();
    child<QPushButton>(&dialog, 1)->click();
    EXPECT_EQ(dialog.result(), QDialog::Accepted);
    dialog.show();
    child<QPushButton>(&dialog, 2)->click();
    EXPECT_EQ(dialog.result(), QDialog::Rejected);
}

TEST(AboutBox, NamesTheVersionWithoutMnemonics) {
    AboutBox box(nullptr);
    EXPECT_EQ(box.size(), QSize(380, 98));
    auto* text = child<QLabel>(&box, control::kAboutText);
    ASSERT_NE(text, nullptr);
    EXPECT_EQ(text->text(), QStringLiteral("Romwise Version 3.54"));
    EXPECT_EQ(child<QPushButton>(&box, 1)->text(), QString::fromUtf8("确定"));
}

TEST(AboutCommand, TheContextMenuItemOpensTheAboutBox) {
    SampleWindow window("award-440bx.json");
    ASSERT_NE(window.dialog.aboutAction(), nullptr);
    EXPECT_EQ(window.dialog.aboutAction()->text(), QString::fromUtf8("&关于Romwise..."));
    EXPECT_EQ(window.dialog.aboutAction()->data().toInt(), 16);
    QString version;
    ModalScript script;
    script.then([&](QWidget* modal) {
        version = child<QLabel>(modal, control::kAboutText)->text();
        child<QPushButton>(modal, 1)->click();
    });
    window.dialog.aboutAction()->trigger();
    EXPECT_TRUE(script.finished());
    EXPECT_EQ(version, QStringLiteral("Romwise Version 3.54"));
}

class SaveDialog : public ::testing::Test {
  protected:
    void SetUp() override {
        directory = std::filesystem::temp_directory_path() /
                    ("romwise-ui-save-" + std::to_string(QCoreApplication::applicationPid()));
        std::filesystem::create_directories(directory);
        window.control<QPushButton>(control::kGetBiosInfo)->click();
    }
    void TearDown() override { std::filesystem::remove_all(directory); }

    // Clicks Save, puts `path` in the file-name field and presses OK.
    static void saveAs(ModalScript& script, const std::string& path, QString* proposed = nullptr) {
        script.then([=](QWidget* modal) {
            auto* field = child<QLineEdit>(modal, control::kSaveFileName);
            if (proposed != nullptr) {
                *proposed = field->text();
            }
            field->setText(QString::fromStdString(path));
            child<QPushButton>(modal, 1)->click();
        });
    }

    SampleWindow window{"award-440bx.json"};
    std::filesystem::path directory;
};

TEST_F(SaveDialog, OkWritesTheTextReportToTheTypedPath) {
    const auto target = directory / "report.txt";
    QString proposed;
    ModalScript script;
    saveAs(script, target.string(), &proposed);
    window.control<QPushButton>(control::kSave)->click();
    ASSERT_TRUE(script.finished());
    ASSERT_EQ(script.seen().size(), 1u);
    EXPECT_EQ(script.seen()[0].title, "保存结果");
    EXPECT_FALSE(proposed.isEmpty());
    std::ifstream file(target, std::ios::binary);
    std::stringstream content;
    content << file.rdbuf();
    EXPECT_EQ(content.str(), writeTextReport(*window.results));
}

TEST_F(SaveDialog, TypingReplacesTheSelectedProposal) {
    const auto target = directory / "typed.txt";
    ModalScript script;
    script.then([&](QWidget* modal) {
        auto* field = child<QLineEdit>(modal, control::kSaveFileName);
        EXPECT_EQ(QApplication::focusWidget(), field);
        EXPECT_EQ(field->selectedText(), field->text()) << "the whole proposal is selected";
        QTest::keyClicks(field, QString::fromStdString(target.string()));
        child<QPushButton>(modal, 1)->click();
    });
    window.control<QPushButton>(control::kSave)->click();
    ASSERT_TRUE(script.finished());
    EXPECT_TRUE(std::filesystem::exists(target)) << "nothing appended to the proposal";
}

TEST_F(SaveDialog, AnUnwritablePathIsReportedAndTheDialogStillCloses) {
    ModalScript script;
    saveAs(script, (directory / "missing" / "report.txt").string());
    script.thenDismiss();
    window.control<QPushButton>(control::kSave)->click();
    ASSERT_TRUE(script.finished());
    ASSERT_EQ(script.seen().size(), 2u);
    EXPECT_EQ(script.seen()[1].title, "ERROR!");
    EXPECT_EQ(script.seen()[1].text, "File error saving results!");
    EXPECT_EQ(QApplication::activeModalWidget(), nullptr);
}

}  // namespace
}  // namespace romwise::ui
