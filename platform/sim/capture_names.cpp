#include "platform/sim/capture_names.h"

#include <algorithm>
#include <cctype>
#include <filesystem>
#include <system_error>

namespace romwise::sim {

namespace {

namespace fs = std::filesystem;

#if defined(_WIN32)
constexpr bool kWindowsPaths = true;
#else
constexpr bool kWindowsPaths = false;
#endif

bool isSeparator(char c) {
    return c == '/' || (kWindowsPaths && c == '\\');
}

// Where the file name starts: after the last separator, or after a drive
// ("C:machine.json") on Windows.
std::string::size_type nameStart(const std::string& path) {
    for (std::string::size_type i = path.size(); i > 0; --i) {
        if (isSeparator(path[i - 1])) {
            return i;
        }
    }
    return kWindowsPaths && path.size() >= 2 && path[1] == ':' ? 2 : 0;
}

bool sameName(const std::string& a, const std::string& b) {
    if (!kWindowsPaths) {
        return a == b;
    }
    return std::equal(a.begin(), a.end(), b.begin(), b.end(), [](char x, char y) {
        return std::tolower(static_cast<unsigned char>(x)) ==
               std::tolower(static_cast<unsigned char>(y));
    });
}

}  // namespace

std::optional<CaptureNames> captureNames(const std::string& path, std::string& problem) {
    if (path.empty() || path.find('\0') != std::string::npos) {
        problem = "no file name given";
        return std::nullopt;
    }
    const std::string::size_type start = nameStart(path);
    const std::string name = path.substr(start);
    std::error_code ignored;
    if (name.empty() || name == "." || name == ".." || fs::is_directory(path, ignored)) {
        problem = "this names a folder, not a file";
        return std::nullopt;
    }
    const std::string stem = fs::path(name).stem().string();
    if (stem.empty()) {
        problem = "the file name has no stem to name the files beside it after";
        return std::nullopt;
    }
    CaptureNames names;
    names.profile = path;
    names.romName = stem + "-rom.bin";
    names.dmiName = stem + ".dmi";
    const std::string folder = path.substr(0, start);
    names.romPath = folder + names.romName;
    names.dmiPath = folder + names.dmiName;
    for (const std::string* side : {&names.romName, &names.dmiName}) {
        if (sameName(name, *side)) {
            problem = "the profile would overwrite its own side file \"" + *side +
                      "\" (the files beside it are named after the part before the extension)";
            return std::nullopt;
        }
    }
    return names;
}

}  // namespace romwise::sim
