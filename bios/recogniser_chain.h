// Runs the maker recognisers over a mapped ROM window and fills the record.
#pragma once

#include <string_view>

#include "bios/bios_identity.h"

namespace romwise {

enum class BiosMaker { None, Award, MrBios, Ami, Phoenix, Compaq, Acer, SurePath };

// The maker's name for messages and test output.
std::string_view BiosMakerName(BiosMaker maker);

// Reads the date, sets type and ID to "Unknown" and the sign-on to empty,
// runs the recognisers in their fixed order until one matches, and cuts type
// and ID at their first line break. `bios.romView` must hold the window.
// Returns the maker whose recogniser matched.
BiosMaker ReadBiosIdentity(BiosIdentity& bios);

}  // namespace romwise
