// Identifies the BIOS from the ROM window at F0000h-FFFFFh.
#pragma once

#include "bios/bios_identity.h"
#include "hw/hardware_driver.h"
#include "model/fixed_text.h"

namespace romwise {

// Maps the ROM window and writes the four report lines: date, type, ID and,
// when the BIOS has one, OEM sign-on. Lines longer than their field are cut
// to it. Returns false, with the lines untouched, when the window cannot be
// mapped. A ROM that no recogniser knows is no failure: its type and ID are
// "Unknown".
bool IdentifyBios(HardwareDriver& driver, FixedText<24>& dateLine, FixedText<80>& typeLine,
                  FixedText<128>& idLine, FixedText<80>& signOnLine);

// Removes the last '-'-separated field of an Award BIOS ID line when the
// field before it has at most 9 characters; other BIOS IDs stay as they are.
void ShortenAwardBiosId(const FixedText<80>& typeLine, FixedText<128>& idLine);

}  // namespace romwise
