// The program's name, version and the captions of its message boxes.
#pragma once

#include "model/product_version.h"

namespace romwise {

inline constexpr char kApplicationTitle[] = ROMWISE_PRODUCT_NAME;
inline constexpr char kVersionText[] = "Version " ROMWISE_VERSION_NUMBER;
// The caption of the save and print refusals.
inline constexpr char kErrorCaption[] = "ERROR!";

}  // namespace romwise
