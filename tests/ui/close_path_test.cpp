// The close path through the window: the Close button and the window's own
// close request ask first unless the request went out, release the driver
// before asking, and Escape ends the dialog at once.
#include <gtest/gtest.h>

#include <QPushButton>
#include <QTest>

#include "modal_script.h"
#include "model/control_ids.h"
#include "window_fixtures.h"

namespace romwise::ui {
namespace {

using testing::child;
using testing::ModalScript;
using testing::SampleWindow;

constexpr char kConfirmationTitle[] = "您确定?";

void answer(ModalScript& script, int buttonId) {
    script.then([buttonId](QWidget* modal) { child<QPushButton>(modal, buttonId)->click(); });
}

class ClosePath : public ::testing::Test {
  protected:
    void SetUp() override {
        window.control<QPushButton>(control::kGetBiosInfo)->click();
        ASSERT_NE(window.dialog.session().driver, nullptr);
    }
    void clickClose() { window.control<QPushButton>(control::kClose)->click(); }

    SampleWindow window{"award-440bx.json"};
};

TEST_F(ClosePath, NoEndsTheDialogWithTheAcceptResultAfterReleasingTheDriver) {
    ModalScript script;
    answer(script, 2);
    clickClose();
    ASSERT_EQ(script.seen().size(), 1u);
    EXPECT_EQ(script.seen()[0].title, kConfirmationTitle);
    EXPECT_FALSE(window.dialog.isVisible());
    EXPECT_EQ(window.dialog.result(), QDialog::Accepted);
    EXPECT_EQ(window.dialog.session().driver, nullptr);
}

TEST_F(ClosePath, YesSubmitsKeepsTheWindowAndTheNextCloseAsksNothing) {
    ModalScript script;
    answer(script, 1);
    clickClose();
    EXPECT_TRUE(window.dialog.isVisible());
    EXPECT_EQ(window.results->requestSubmitted, 1);
    EXPECT_EQ(window.dialog.session().driver, nullptr);  // released even though we stay
    ASSERT_FALSE(window.platform.simShell().launches().empty());

    ModalScript none;
    clickClose();
    QTest::qWait(20);
    EXPECT_TRUE(none.seen().empty());
    EXPECT_FALSE(window.dialog.isVisible());
}

TEST_F(ClosePath, EscapeInTheConfirmationCountsAsNo) {
    ModalScript script;
    script.then([](QWidget* modal) { QTest::keyClick(modal, Qt::Key_Escape); });
    clickClose();
    EXPECT_FALSE(window.dialog.isVisible());
}

TEST_F(ClosePath, TheWindowsCloseRequestTakesThePathAndEndsWithTheCancelResult) {
    ModalScript script;
    answer(script, 2);
    EXPECT_TRUE(window.dialog.close());
    ASSERT_EQ(script.seen().size(), 1u);
    EXPECT_FALSE(window.dialog.isVisible());
    EXPECT_EQ(window.dialog.result(), QDialog::Rejected);
}

TEST_F(ClosePath, AnsweringYesToTheCloseRequestKeepsTheWindowOpen) {
    ModalScript script;
    answer(script, 1);
    EXPECT_FALSE(window.dialog.close());
    EXPECT_TRUE(window.dialog.isVisible());
}

TEST_F(ClosePath, SubmitFromItsButtonMeansNoQuestionAtClose) {
    window.control<QPushButton>(control::kSubmit)->click();
    ModalScript none;
    EXPECT_TRUE(window.dialog.close());
    EXPECT_TRUE(none.seen().empty());
}

TEST_F(ClosePath, EscapeEndsTheWindowAtOnceWithoutAskingOrReleasingTheDriver) {
    ModalScript none;
    QTest::keyClick(&window.dialog, Qt::Key_Escape);
    QTest::qWait(20);
    EXPECT_TRUE(none.seen().empty());
    EXPECT_FALSE(window.dialog.isVisible());
    EXPECT_NE(window.dialog.session().driver, nullptr);
}

TEST_F(ClosePath, EnterOutsideAButtonEndsTheWindowAtOnceWithTheAcceptResult) {
    // The result fields take the focus by a click; Enter there is the
    // dialog's accept command.
    auto* field = window.control(control::kBiosId);
    field->setFocus(Qt::MouseFocusReason);
    ASSERT_EQ(window.dialog.focusWidget(), field);
    ModalScript none;
    QTest::keyClick(field, Qt::Key_Return);
    QTest::qWait(20);
    EXPECT_TRUE(none.seen().empty());
    EXPECT_FALSE(window.dialog.isVisible());
    EXPECT_EQ(window.dialog.result(), QDialog::Accepted);
    EXPECT_NE(window.dialog.session().driver, nullptr);
}

TEST(ClosePathBeforeAnyPass, StillAsks) {
    SampleWindow window("award-440bx.json");
    ModalScript script;
    answer(script, 2);
    window.control<QPushButton>(control::kClose)->click();
    ASSERT_EQ(script.seen().size(), 1u);
    EXPECT_EQ(script.seen()[0].title, kConfirmationTitle);
}

}  // namespace
}  // namespace romwise::ui
