// Texts from profiles and firmware inside messages: escaped so that a
// message stays on its lines and sends nothing to a terminal.
#include "model/message_text.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <sstream>

#include "cli/cli_view.h"

namespace romwise {
namespace {

bool isControlByte(char byte) {
    return static_cast<unsigned char>(byte) < 0x20 || byte == 0x7F;
}

TEST(MessageText, EscapesEveryControlByteAndNothingElse) {
    std::string everyByte;
    for (int value = 0; value < 256; ++value) {
        everyByte.push_back(static_cast<char>(value));
    }
    const std::string escaped = escapeControlBytes(everyByte);
    EXPECT_TRUE(std::none_of(escaped.begin(), escaped.end(), isControlByte));
    // Everything from the space on, but DEL, comes through unchanged and in order.
    std::string kept;
    for (const char byte : everyByte) {
        if (!isControlByte(byte)) {
            kept.push_back(byte);
        }
    }
    EXPECT_NE(escaped.find(kept.substr(0, 0x5F)), std::string::npos);
    EXPECT_NE(escaped.find(kept.substr(0x5F)), std::string::npos);
    EXPECT_EQ(escapeControlBytes(std::string("a\0b\tc\nd\re\x1B[2J\x7F\\", 15)),
              "a\\x00b\\tc\\nd\\re\\x1B[2J\\x7F\\");
}

TEST(MessageText, CommandLineShowsEachLineOfAMessageMarked) {
    std::ostringstream errors;
    CliView view(errors);
    view.messageBox("first\nsecond\x1B]0;title\x07\r", "caption");
    view.messageBoxWithReason("text", "reason\nmore", "caption");
    EXPECT_EQ(errors.str(),
              "romwise: first\nromwise: second\\x1B]0;title\\x07\\r\n"
              "romwise: text\nromwise: reason\nromwise: more\n");
    EXPECT_EQ(view.messages()[0].text, "first\nsecond\x1B]0;title\x07\r") << "kept as shown";
}

// The firmware-tables route is told when it is taken, on one line however its
// reason reads; the driver route only goes into the document.
TEST(MessageText, CommandLineTellsTheFirmwareTablesRouteOnOneLine) {
    std::ostringstream errors;
    CliView view(errors);
    view.showPassAccess({});
    EXPECT_EQ(errors.str(), "");
    ASSERT_TRUE(view.state().access);
    EXPECT_EQ(view.state().access->route, PassRoute::Driver);

    const PassAccess tables = {PassRoute::FirmwareTables,
                               "no port driver:\nrefused \x1B[2J caf\xE9", AccessSource::RomWindow,
                               AccessSource::SmbiosTables, AccessSource::DeviceList};
    view.showPassAccess(tables);
    EXPECT_EQ(errors.str(),
              "romwise: no port driver:\\nrefused \\x1B[2J caf\xC3\xA9; read the system's "
              "firmware tables (BIOS from the ROM window, DMI from the SMBIOS tables, chipset "
              "from the system's device list); Super I/O not probed\n");
    EXPECT_EQ(view.state().access, tables) << "kept as taken, for the document";
    EXPECT_TRUE(view.messages().empty()) << "a note, no message box";
    view.forgetPassAccess();
    EXPECT_FALSE(view.state().access);
}

}  // namespace
}  // namespace romwise
