// The maker recognisers. Each looks for its maker's texts in the ROM window
// of `bios`; on a match it overwrites the fields it finds (type, ID, sign-on)
// and returns true, otherwise it returns false and has changed nothing.
#pragma once

#include "bios/bios_identity.h"

namespace romwise {

bool RecogniseAward(BiosIdentity& bios);  // Award and Phoenix-Award
bool RecogniseMrBios(BiosIdentity& bios);
bool RecogniseAmi(BiosIdentity& bios);
bool RecognisePhoenix(BiosIdentity& bios);
bool RecogniseCompaq(BiosIdentity& bios);
bool RecogniseAcer(BiosIdentity& bios);
bool RecogniseSurePath(BiosIdentity& bios);  // IBM SurePath

}  // namespace romwise
