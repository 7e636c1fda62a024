// What both windows show of a pass's route: the caption carries the note
// only after a firmware-tables pass, and the More info dialog lists the
// sources only then.
#include "ui/common/pass_access_texts.h"

#include <gtest/gtest.h>

namespace romwise::ui {
namespace {

const PassAccess kTables = {PassRoute::FirmwareTables, "no port driver: refused",
                            AccessSource::IdentityStrings, AccessSource::None,
                            AccessSource::DeviceList};

TEST(PassAccessTexts, CaptionCarriesTheNoteOnlyAfterAFirmwareTablesPass) {
    const std::string plain = mainWindowCaption(std::nullopt);
    EXPECT_EQ(plain, "Quorvel Romwise Version 3.54") << "the title the windows always had";
    EXPECT_EQ(mainWindowCaption(PassAccess{}), plain);
    EXPECT_EQ(mainWindowCaption(kTables),
              plain +
                  " - no port driver: refused; read the system's firmware tables (BIOS from the "
                  "firmware's identity strings, DMI from nothing, chipset from the system's "
                  "device list); Super I/O not probed");

    // A reason with line breaks or terminal commands stays on the title's one line.
    PassAccess odd = kTables;
    odd.why = "first\nsecond\x1B[2J\xE9";
    const std::string caption = mainWindowCaption(odd);
    const std::string start = plain + " - first\\nsecond\\x1B[2J\xE9; read";
    EXPECT_EQ(caption.substr(0, start.size()), start);
    EXPECT_EQ(caption.find_first_of("\n\r\x1B"), std::string::npos);
}

TEST(PassAccessTexts, MoreInfoListsTheSourcesOnlyAfterAFirmwareTablesPass) {
    EXPECT_TRUE(moreInfoAccessRows(std::nullopt).empty());
    EXPECT_TRUE(moreInfoAccessRows(PassAccess{}).empty());
    PassAccess rom = kTables;
    rom.bios = AccessSource::RomWindow;
    rom.dmi = AccessSource::SmbiosTables;
    EXPECT_EQ(moreInfoAccessRows(rom), (std::vector<MoreInfoRow>{
                                           {"", ""},
                                           {"  Route:", "firmware tables"},
                                           {"  BIOS:", "the ROM window"},
                                           {"  DMI:", "the SMBIOS tables"},
                                           {"  Chipset:", "the system's device list"},
                                           {"  Super I/O:", "not probed"},
                                       }));
    const std::vector<MoreInfoRow> identity = moreInfoAccessRows(kTables);
    ASSERT_EQ(identity.size(), 6u);
    EXPECT_EQ(identity[2].value, "the firmware's identity strings");
    EXPECT_EQ(identity[3].value, "nothing") << "a step that read nothing says so";
}

}  // namespace
}  // namespace romwise::ui
