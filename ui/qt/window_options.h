// The window program's command line.
#pragma once

#include <string>
#include <vector>

#include "app/command_line.h"

namespace romwise::ui {

// The shared options (profile, help, version) and the window's own.
struct WindowOptions : SharedOptions {
    bool getBiosInfo = false;          // press Get BIOS Info once the window shows
    bool exitAfterFirstPaint = false;  // for start-up measurements
};

struct WindowOptionsResult {
    WindowOptions options;
    std::string error;  // empty when the arguments were understood
};

WindowOptionsResult parseWindowOptions(const std::vector<std::string>& arguments);

inline constexpr char kWindowUsage[] =
    "Usage: romwise [--machine FILE] [--get-bios-info] [--exit-after-first-paint]\n"
    "               [--help] [--version]\n"
    "\n"
    "Shows the Romwise window.\n"
    "\n"
    "  --machine FILE            run on a machine profile instead of this computer\n"
    "  --get-bios-info           press Get BIOS Info as soon as the window shows\n"
    "  --exit-after-first-paint  quit once the window has been painted\n"
    "  --help                    show this help and exit\n"
    "  --version                 show the version and exit\n"
    "\n"
    "Qt's standard options (-platform, -style, -display, -geometry, -reverse ...) are\n"
    "taken as every Qt program takes them.\n";

}  // namespace romwise::ui
