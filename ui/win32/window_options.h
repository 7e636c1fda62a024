// romwise.exe's command line.
#pragma once

#include <string>
#include <vector>

#include "app/command_line.h"

namespace romwise::ui::win32 {

// The shared options (profile, help, version) and the window's own; texts
// are UTF-8.
struct WindowOptions : SharedOptions {
    bool getBiosInfo = false;  // press Get BIOS Info once the window shows
};

struct WindowOptionsResult {
    WindowOptions options;
    std::string error;  // empty when the arguments were understood
};

// The arguments after the program's name, as the system hands them over.
WindowOptionsResult parseWindowOptions(const std::vector<std::wstring>& arguments);

inline constexpr char kWindowUsage[] =
    "Usage: romwise [--machine FILE] [--get-bios-info] [--help] [--version]\n"
    "\n"
    "Shows the Romwise window.\n"
    "\n"
    "  --machine FILE   run on a machine profile instead of this computer\n"
    "  --get-bios-info  press Get BIOS Info as soon as the window shows\n"
    "  --help           show this help and exit\n"
    "  --version        show the version and exit\n";

}  // namespace romwise::ui::win32
