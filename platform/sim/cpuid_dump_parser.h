// Reads processor identification leaves from a CPUID text dump, as the
// common reporting tools write them.
#pragma once

#include <cstdint>
#include <map>
#include <string_view>

#include "platform/sim/machine_profile.h"

namespace romwise::sim {

// Takes the lines "CPUID 00000001: 000006F6-00020800-0000E3BD-BFEBFBFF",
// with or without text after them, and the same without the colon and with
// spaces or a tab before the registers; every other line is skipped. When a
// leaf appears again (sub-leaves, further logical processors) the first line
// counts. Empty when the text holds no such line.
std::map<std::uint32_t, CpuidLeaf> parseCpuidDump(std::string_view text);

}  // namespace romwise::sim
