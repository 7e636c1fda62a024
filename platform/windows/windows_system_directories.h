// Where Windows keeps its own files, as the hardware-access driver's
// installation and the 64-bit test ask for them, and where the program is.
#pragma once

#include <optional>
#include <string>

namespace romwise {

// The system directory (GetSystemDirectoryA, 260 characters), without a
// trailing backslash; empty when the system does not say.
std::string systemDirectory();

// The WOW64 system directory: GetSystemWow64DirectoryW, looked up at run
// time in kernel32.dll (Windows before XP has no such function), asked with
// room for 260 wide characters and converted to the ANSI code page. Nothing
// when the function is missing or answers with no path (a 32-bit Windows).
std::optional<std::string> systemWow64Directory();

// The program file's full path (GetModuleFileNameA), however long; empty
// when the system does not say.
std::string programFilePath();

// The folder of the program file with its trailing backslash; empty when
// the path holds none.
std::string programFolder();

}  // namespace romwise
