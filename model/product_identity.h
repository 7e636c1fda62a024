// The program's name, version and the captions of its message boxes.
#pragma once

namespace romwise {

inline constexpr char kApplicationTitle[] = "Quorvel Romwise";
inline constexpr char kVersionText[] = "Version 3.54";
// The caption of the save and print refusals.
inline constexpr char kErrorCaption[] = "ERROR!";

}  // namespace romwise
