// The main window bound to the command logic: start-up state, a completed
// pass, a pass stopped early, the hidden details message, the logo link,
// help and the options and more-information buttons.
#include <gtest/gtest.h>

#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <QTreeWidget>
#include <QUrl>

#include "modal_script.h"
#include "model/control_ids.h"
#include "model/run_texts.h"
#include "ui/common/window_texts.h"
#include "ui/qt/color_button.h"
#include "ui/qt/logo_animation.h"
#include "window_fixtures.h"

namespace romwise::ui {
namespace {

using testing::child;
using testing::ModalScript;
using testing::SampleWindow;

constexpr std::uint32_t kGreenFace = 0x78B40F;

std::string fieldText(SampleWindow& window, int id) {
    return window.control<QLineEdit>(id)->text().toStdString();
}

void getBiosInfo(SampleWindow& window) {
    window.control<QPushButton>(control::kGetBiosInfo)->click();
}

TEST(MainWindow, StartsWithTheHintDisabledReportButtonsAndTheHighlightOnGetBiosInfo) {
    SampleWindow window("award-440bx.json");
    EXPECT_EQ(fieldText(window, control::kBiosType), "Click on Get BIOS Info Button...");
    EXPECT_FALSE(window.control(control::kSave)->isEnabled());
    EXPECT_FALSE(window.control(control::kPrint)->isEnabled());
    EXPECT_FALSE(window.control(control::kSubmit)->isEnabled());
    EXPECT_TRUE(window.control(control::kMoreInfo)->isHidden());
    EXPECT_EQ(window.dialog.focusWidget(), window.control(control::kGetBiosInfo));
    EXPECT_EQ(window.control<ColorButton>(control::kGetBiosInfo)->colors().face, kGreenFace);
    EXPECT_EQ(window.control<ColorButton>(control::kGetBiosInfo)->colors().text, 0x010101u);
    EXPECT_NE(window.control<ColorButton>(control::kSubmit)->colors().face, kGreenFace);
    EXPECT_EQ(window.results->runState, RunState::NotRun);
    ASSERT_NE(window.dialog.logo(), nullptr);
    EXPECT_TRUE(window.dialog.logo()->isPlaying());
    EXPECT_FALSE(window.control<QLabel>(control::kDetailsPicture)->pixmap().isNull());
}

// The buttons Tab visits from the one with the focus, once round.
std::vector<int> tabChain(SampleWindow& window) {
    std::vector<int> ids;
    QWidget* start = window.dialog.focusWidget();
    QWidget* current = start;
    do {
        ids.push_back(current->objectName().toInt());
        QTest::keyClick(current, Qt::Key_Tab);
        current = window.dialog.focusWidget();
    } while (current != start && ids.size() < 20);
    return ids;
}

TEST(MainWindow, GetBiosInfoHasTheFocusAndTabFollowsTheTemplate) {
    SampleWindow window("award-440bx.json");
    window.dialog.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&window.dialog));
    EXPECT_EQ(window.dialog.focusWidget(), window.control(control::kGetBiosInfo));
    // Submit, Save and Print are disabled and More info hidden: Tab skips them.
    EXPECT_EQ(tabChain(window), (std::vector<int>{control::kGetBiosInfo, control::kHelp,
                                                  control::kClose, control::kOptions}));
    // From a field the user clicked into, Tab goes to the first tab stop.
    window.control(control::kBiosType)->setFocus(Qt::MouseFocusReason);
    QTest::keyClick(window.control(control::kBiosType), Qt::Key_Tab);
    EXPECT_EQ(window.dialog.focusWidget(), window.control(control::kGetBiosInfo));

    window.control<QPushButton>(control::kGetBiosInfo)->click();
    window.control(control::kGetBiosInfo)->setFocus(Qt::OtherFocusReason);
    EXPECT_EQ(
        tabChain(window),
        (std::vector<int>{control::kGetBiosInfo, control::kSubmit, control::kHelp, control::kClose,
                          control::kSave, control::kPrint, control::kOptions, control::kMoreInfo}));
}

TEST(MainWindow, ACompletedPassFillsEveryFieldAndMovesTheHighlightToSubmit) {
    SampleWindow window("award-440bx.json");
    getBiosInfo(window);
    ASSERT_EQ(window.results->runState, RunState::Completed);
    for (const int id : kResultFieldIds) {
        EXPECT_FALSE(fieldText(window, id).empty()) << id;
    }
    EXPECT_EQ(fieldText(window, control::kBiosDate), "11/03/99");
    EXPECT_NE(fieldText(window, control::kChipset).find("440BX"), std::string::npos);
    EXPECT_EQ(window.control<QLineEdit>(control::kBiosId)->cursorPosition(), 0);
    EXPECT_TRUE(window.control(control::kSave)->isEnabled());
    EXPECT_TRUE(window.control(control::kPrint)->isEnabled());
    EXPECT_TRUE(window.control(control::kSubmit)->isEnabled());
    EXPECT_TRUE(window.control(control::kMoreInfo)->isVisible());
    EXPECT_EQ(window.control<ColorButton>(control::kSubmit)->colors().face, kGreenFace);
    EXPECT_NE(window.control<ColorButton>(control::kGetBiosInfo)->colors().face, kGreenFace);
}

TEST(MainWindow, APassStoppedAtTheAdministratorCheckSaysWhyAndEnablesNothing) {
    SampleWindow window("not-administrator.json");
    ModalScript script;
    script.thenDismiss();
    getBiosInfo(window);
    EXPECT_EQ(window.results->runState, RunState::Started);
    ASSERT_EQ(script.seen().size(), 1u);
    EXPECT_EQ(script.seen()[0].text, kInsufficientPrivileges);
    EXPECT_EQ(script.seen()[0].title, "Quorvel Romwise");
    EXPECT_EQ(fieldText(window, control::kSignOn), " ");
    EXPECT_FALSE(window.control(control::kSave)->isEnabled());
    EXPECT_FALSE(window.control(control::kSubmit)->isEnabled());
    EXPECT_TRUE(window.control(control::kMoreInfo)->isHidden());
    EXPECT_EQ(window.control<ColorButton>(control::kGetBiosInfo)->colors().face, kGreenFace);
}

TEST(MainWindow, RecordTextsAreDecodedFromWindows1252) {
    SampleWindow window("award-440bx.json");
    window.dialog.setFieldText(control::kProcessor, "Intel\xAE Pentium\xAE III 1\xB5");
    EXPECT_EQ(fieldText(window, control::kProcessor), "Intel® Pentium® III 1µ");
}

TEST(DetailsPicture, CtrlAltClickShowsTheDetailsAndCtrlClickAloneShowsNothing) {
    SampleWindow window("award-440bx.json");
    auto* picture = window.control(control::kDetailsPicture);
    {
        ModalScript script;
        QTest::mouseClick(picture, Qt::LeftButton, Qt::ControlModifier | Qt::AltModifier);
        QTest::qWait(20);
        EXPECT_TRUE(script.seen().empty()) << "nothing before the first pass";
    }
    getBiosInfo(window);
    {
        ModalScript script;
        QTest::mouseClick(picture, Qt::LeftButton, Qt::ControlModifier);
        QTest::qWait(20);
        EXPECT_TRUE(script.seen().empty());
    }
    ModalScript script;
    script.thenDismiss();
    QTest::mouseClick(picture, Qt::LeftButton, Qt::ControlModifier | Qt::AltModifier);
    ASSERT_EQ(script.seen().size(), 1u);
    EXPECT_EQ(script.seen()[0].title, "Quorvel Romwise");
    EXPECT_EQ(script.seen()[0].text.rfind("DMI Version 2.3\nMotherboard Name: ", 0), 0u)
        << script.seen()[0].text;
}

TEST(DetailsPicture, AfterAFailedPassTheMessageNamesOnlyTheSystem) {
    SampleWindow window("unsupported-platform.json");
    {
        ModalScript passMessages;  // whatever the failed pass says
        getBiosInfo(window);
    }
    ASSERT_EQ(window.results->runState, RunState::Failed);
    ModalScript script;
    script.thenDismiss();
    QTest::mouseClick(window.control(control::kDetailsPicture), Qt::LeftButton,
                      Qt::ControlModifier | Qt::AltModifier);
    ASSERT_EQ(script.seen().size(), 1u);
    EXPECT_EQ(script.seen()[0].text, "OS: " + std::string(window.results->osFullName.c_str()));
}

TEST(LogoArea, AClickOpensTheMakersWebSite) {
    SampleWindow window("award-440bx.json");
    ModalScript script;
    QTest::mouseClick(window.control(control::kLogo), Qt::LeftButton);
    const auto& launches = window.platform.simShell().launches();
    ASSERT_FALSE(launches.empty());
    EXPECT_NE(launches.back().target.find("quorvel"), std::string::npos);
}

TEST(HelpButton, OpensOurOwnHelpPageOnThisComputerAndSaysSoWhenNothingShowsIt) {
    // The help page opens on this computer even when the pass runs on a
    // machine profile: the profile's simulated browser has no part in it.
    SampleWindow window("award-440bx.json");
    window.control<QPushButton>(control::kHelp)->click();
    ASSERT_EQ(window.localShell.opened.size(), 1u);
    const QUrl page(QString::fromStdString(window.localShell.opened[0]));
    EXPECT_TRUE(page.isLocalFile());
    EXPECT_TRUE(QFile::exists(page.toLocalFile()));
    EXPECT_TRUE(page.toLocalFile().endsWith(QStringLiteral("help/index.html")));
    EXPECT_TRUE(window.platform.simShell().launches().empty());

    // The opener ran but no viewer took the page: the user is told.
    window.localShell.opens = false;
    ModalScript script;
    script.thenDismiss();
    window.control<QPushButton>(control::kHelp)->click();
    ASSERT_TRUE(script.finished());
    ASSERT_EQ(script.seen().size(), 1u);
    EXPECT_EQ(script.seen()[0].text.rfind(std::string(kHelpPageNotOpened) + "\n", 0), 0u);
    EXPECT_NE(script.seen()[0].text.find("help/index.html"), std::string::npos);
}

TEST(OptionsButton, SwitchingDmiOffLeavesMoreInfoHiddenAfterTheNextPass) {
    SampleWindow window("award-440bx.json");
    ModalScript script;
    script.then([](QWidget* modal) {
        child<QCheckBox>(modal, control::kSkipDmiCheck)->click();
        child<QPushButton>(modal, 1)->click();
    });
    window.control<QPushButton>(control::kOptions)->click();
    ASSERT_TRUE(script.finished());
    EXPECT_EQ(window.options.skipDmi, 1);
    EXPECT_EQ(window.options.skipSuperIo, 0);
    getBiosInfo(window);
    EXPECT_EQ(window.results->runState, RunState::Completed);
    EXPECT_TRUE(window.control(control::kMoreInfo)->isHidden());
}

TEST(MoreInfoButton, ListsTheSlotsOfThePass) {
    SampleWindow window("award-440bx.json");
    getBiosInfo(window);
    int rows = 0;
    ModalScript script;
    script.then([&](QWidget* modal) {
        rows = child<QTreeWidget>(modal, control::kSlotList)->topLevelItemCount();
        child<QPushButton>(modal, 1)->click();
    });
    window.control<QPushButton>(control::kMoreInfo)->click();
    ASSERT_TRUE(script.finished());
    EXPECT_EQ(rows, window.results->memorySlotTexts.count + 2);
}

// After a firmware-tables pass the title bar carries the note and More info
// lists the sources; the next pass starts with the plain title again.
TEST(MainWindow, AFirmwareTablesPassShowsItsNoteInTheTitleAndItsSourcesInMoreInfo) {
    SampleWindow window("award-440bx.json");
    const QString plain = window.dialog.windowTitle();
    getBiosInfo(window);
    EXPECT_EQ(window.dialog.windowTitle(), plain);
    const PassAccess tables = {PassRoute::FirmwareTables, "no port driver: caf\xE9",
                               AccessSource::RomWindow, AccessSource::SmbiosTables,
                               AccessSource::DeviceList};
    window.dialog.showPassAccess(tables);
    EXPECT_EQ(window.dialog.windowTitle(),
              plain + QString::fromUtf8(" - no port driver: café; read the system's firmware "
                                        "tables (BIOS from the ROM window, DMI from the SMBIOS "
                                        "tables, chipset from the system's device list); Super "
                                        "I/O not probed"));
    QStringList last;
    ModalScript script;
    script.then([&](QWidget* modal) {
        const auto* list = child<QTreeWidget>(modal, control::kSlotList);
        const QTreeWidgetItem* row = list->topLevelItem(list->topLevelItemCount() - 1);
        last = {row->text(0), row->text(1)};
        child<QPushButton>(modal, 1)->click();
    });
    window.control<QPushButton>(control::kMoreInfo)->click();
    ASSERT_TRUE(script.finished());
    EXPECT_EQ(last, (QStringList{"  Super I/O:", "not probed"}));

    getBiosInfo(window);
    EXPECT_EQ(window.dialog.windowTitle(), plain);
}

}  // namespace
}  // namespace romwise::ui
