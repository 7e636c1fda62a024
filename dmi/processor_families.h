// Names of the processor family codes of the Processor Information structure.
#pragma once

#include <cstdint>

namespace romwise {

// The family's name, or nullptr for a code the table does not name.
const char* ProcessorFamilyName(std::uint8_t code);

}  // namespace romwise
