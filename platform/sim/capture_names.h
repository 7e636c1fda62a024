// The names of a capture's files: the profile as the user typed it, and its
// binary inputs beside it, named after the profile's stem.
#pragma once

#include <optional>
#include <string>

namespace romwise::sim {

struct CaptureNames {
    std::string profile;  // as typed
    std::string romName;  // "STEM-rom.bin", as the profile names it
    std::string dmiName;  // "STEM.dmi"
    std::string romPath;  // the profile's folder, as typed, and romName
    std::string dmiPath;
};

// The names for a profile at `path`, or nothing, with `problem` saying why
// in a sentence, for a path that names no file a capture can be: empty,
// holding a NUL, naming a folder (ending in a separator, ".", "..", an
// existing folder), with an empty stem, or the same file as one of its
// own side files ("x.dmi", whose dump would be "x.dmi" too). On Windows
// both separators count, and names compare without case.
std::optional<CaptureNames> captureNames(const std::string& path, std::string& problem);

}  // namespace romwise::sim
