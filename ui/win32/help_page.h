// Help: our own HTML page beside the program, opened by the system.
#pragma once

#include <string>

namespace romwise::ui::win32 {

// <program folder>\help\index.html, where the build and the installation
// put the page.
std::wstring installedHelpPage();

// Opens a file with the program the system has for it (ShellExecuteW
// "open"); true when one started.
bool openWithShell(const std::wstring& path);

}  // namespace romwise::ui::win32
