// Submitting the request: refusals, the launch fallbacks and the web-site link.
#include "report/upgrade_request.h"

#include <gtest/gtest.h>

#include "report/product_config.h"
#include "tests/report/report_records.h"

namespace romwise {
namespace {

using testing::completedRecord;
using testing::MessageView;
using testing::ScriptedShell;

constexpr char kTitle[] = "Quorvel Romwise";

struct Prepared {
    Prepared() : record(completedRecord()) {
        buildUpgradeUrls(record, "Award");
        full = "open " + record.upgradeUrl.str();
        shortOpen = "open " + record.upgradeUrlShort.str();
        direct = "direct " + record.upgradeUrlShort.str();
    }
    DetectionResults record;
    ScriptedShell shell;
    MessageView view;
    std::string full, shortOpen, direct;
};

TEST(SubmitRequestTest, FallsBackFromFullToShortToDirect) {
    using Launches = std::vector<std::string>;
    {
        Prepared p;
        submitUpgradeRequest(p.record, p.shell, p.view);
        EXPECT_EQ(p.shell.launches, Launches({p.full}));
        EXPECT_TRUE(p.view.messages.empty());
        EXPECT_EQ(p.record.requestSubmitted, 1);
    }
    {
        Prepared p;
        p.shell.fullOpenWorks = false;
        submitUpgradeRequest(p.record, p.shell, p.view);
        EXPECT_EQ(p.shell.launches, Launches({p.full, p.shortOpen}));
        EXPECT_EQ(p.record.requestSubmitted, 1);
    }
    {
        Prepared p;
        p.shell.fullOpenWorks = p.shell.shortOpenWorks = false;
        submitUpgradeRequest(p.record, p.shell, p.view);
        EXPECT_EQ(p.shell.launches, Launches({p.full, p.shortOpen, p.direct}));
        EXPECT_TRUE(p.view.messages.empty());
        EXPECT_EQ(p.record.requestSubmitted, 1);
    }
}

TEST(SubmitRequestTest, NoBrowserAtAllShowsCodeZeroAndStillCounts) {
    Prepared p;
    p.shell.fullOpenWorks = p.shell.shortOpenWorks = p.shell.directWorks = false;
    submitUpgradeRequest(p.record, p.shell, p.view);
    EXPECT_EQ(p.shell.launches.size(), 3u);
    ASSERT_EQ(p.view.messages.size(), 1u);
    EXPECT_EQ(
        p.view.messages[0].text,
        std::string("Romwise encountered a problem trying to launch an Internet browser.\n"
                    "Refer to FAQ on Romwise web page for additional information. CODE: 0\n\n") +
            kFaqAddress);
    EXPECT_EQ(p.view.messages[0].caption, kTitle);
    EXPECT_EQ(p.record.requestSubmitted, 1);
    EXPECT_EQ(std::string(kFaqAddress),
              std::string("http://") + kMakerWebHost + "/romwise/faq.html");
}

TEST(SubmitRequestTest, MissingFullAddressGoesStraightToTheShortOne) {
    Prepared p;
    p.record.upgradeUrl.clear();
    submitUpgradeRequest(p.record, p.shell, p.view);
    EXPECT_EQ(p.shell.launches, std::vector<std::string>({p.shortOpen}));
}

TEST(SubmitRequestTest, RefusesByRunStateBeforeAnyAddress) {
    struct Case {
        RunState state;
        const char* message;  // nullptr: nothing at all
    };
    const Case cases[] = {
        {RunState::NotRun,
         "You must select Get BIOS Info button before submitting BIOS upgrade request online."},
        {RunState::Failed,
         "Sorry! We are unable to submit your BIOS upgrade request online because of an error "
         "with BIOS detection!"},
        {RunState::Started, nullptr},
        {RunState::Completed, nullptr},
    };
    for (const Case& c : cases) {
        DetectionResults record;
        record.runState = c.state;
        ScriptedShell shell;
        MessageView view;
        submitUpgradeRequest(record, shell, view);
        EXPECT_TRUE(shell.launches.empty());
        EXPECT_EQ(record.requestSubmitted, 0);
        if (c.message == nullptr) {
            EXPECT_TRUE(view.messages.empty());
        } else {
            ASSERT_EQ(view.messages.size(), 1u);
            EXPECT_EQ(view.messages[0].text, c.message);
            EXPECT_EQ(view.messages[0].caption, kTitle);
        }
    }
}

TEST(SubmitRequestTest, AddressesOfAnEarlierPassSurviveAFailedOne) {
    Prepared p;
    p.record.runState = RunState::Failed;
    submitUpgradeRequest(p.record, p.shell, p.view);
    EXPECT_EQ(p.shell.launches, std::vector<std::string>({p.full}));
    EXPECT_TRUE(p.view.messages.empty());
}

TEST(SubmitRequestTest, WebSiteLinkAndItsMessage) {
    ScriptedShell shell;
    MessageView view;
    openWebSite(shell, view);
    EXPECT_EQ(shell.launches, std::vector<std::string>({std::string("open ") + kWebSiteAddress}));
    EXPECT_TRUE(view.messages.empty());
    shell.shortOpenWorks = false;
    openWebSite(shell, view);
    ASSERT_EQ(view.messages.size(), 1u);
    EXPECT_EQ(view.messages[0].text,
              "Romwise could not launch a default browser. Please install a default browser on "
              "this system.");
    EXPECT_EQ(std::string(kWebSiteAddress), std::string("http://") + kMakerWebHost);
}

}  // namespace
}  // namespace romwise
