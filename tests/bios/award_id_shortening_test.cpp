// ShortenAwardBiosId on whole report lines.
#include <gtest/gtest.h>

#include <string>

#include "bios/identify_bios.h"

namespace romwise::bios_test {
namespace {

struct ShortenCase {
    const char* type;
    const char* id;
    const char* shortened;
};

constexpr const char* kAward = "BIOS Type: Award Modular BIOS v4.51PG";

TEST(ShortenAwardBiosIdTest, RemovesTheLastFieldAfterAShortOne) {
    const ShortenCase cases[] = {
        {kAward, "BIOS ID:   03/13/98-i440BX-W977-2A69KA1EC-00",
         "BIOS ID:   03/13/98-i440BX-W977-2A69KA1EC"},
        // A field of 10 characters before the last '-' is too long.
        {kAward, "BIOS ID:   03/13/98-i440BX-W977-2A69KA1ECX-00",
         "BIOS ID:   03/13/98-i440BX-W977-2A69KA1ECX-00"},
        {kAward, "BIOS ID:   a-123456789-z", "BIOS ID:   a-123456789"},
        {kAward, "BIOS ID:   a--z", "BIOS ID:   a-"},
        {kAward, "BIOS ID:   a-b-", "BIOS ID:   a-b"},
        {kAward, "BIOS ID:   one-dash", "BIOS ID:   one-dash"},
        {kAward, "BIOS ID:   nodash", "BIOS ID:   nodash"},
        {kAward, "", ""},
        {kAward, "-", "-"},
        // Position 0 is never looked at: one '-' counts there is too few.
        {kAward, "-ab-cd", "-ab-cd"},
        {"BIOS Type: Phoenix - AwardBIOS v6.00PG", "BIOS ID:   x-y-z", "BIOS ID:   x-y"},
        {"Award", "x-y-z", "x-y"},
        // Only a type line with "Award" in it, case as written, shortens.
        {"BIOS Type: American Megatrends", "BIOS ID:   x-y-z", "BIOS ID:   x-y-z"},
        {"BIOS Type: PhoenixBIOS 4.0 Release 6.0", "BIOS ID:   x-y-z", "BIOS ID:   x-y-z"},
        {"BIOS Type: Unknown", "BIOS ID:   x-y-z", "BIOS ID:   x-y-z"},
        {"BIOS Type: award", "BIOS ID:   x-y-z", "BIOS ID:   x-y-z"},
    };
    for (const ShortenCase& c : cases) {
        SCOPED_TRACE(std::string(c.type) + " / " + c.id);
        const FixedText<80> type(c.type);
        FixedText<128> id(c.id);
        ShortenAwardBiosId(type, id);
        EXPECT_EQ(id.str(), c.shortened);
    }
}

TEST(ShortenAwardBiosIdTest, LeavesTheTypeLineAndShortensAgainOnASecondCall) {
    const FixedText<80> type(kAward);
    FixedText<128> id("BIOS ID:   a-b-c-d");
    ShortenAwardBiosId(type, id);
    EXPECT_EQ(id.str(), "BIOS ID:   a-b-c");
    ShortenAwardBiosId(type, id);
    EXPECT_EQ(id.str(), "BIOS ID:   a-b");
    EXPECT_EQ(type.str(), kAward);
}

}  // namespace
}  // namespace romwise::bios_test
