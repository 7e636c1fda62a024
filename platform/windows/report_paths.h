// Save target names on Windows: the name as the user typed it, in the
// code page the system's 8-bit file functions use, and the folder it lies in.
#pragma once

#include <string>

namespace romwise {

// The folder of a path, as a prefix a file name can follow:
// "c:\reports\" for "c:\reports\bios.txt", "c:" for "c:bios.txt" (the
// current folder of drive C), "" for "bios.txt". Either slash separates.
std::string folderPrefix(const std::string& path);
std::wstring folderPrefix(const std::wstring& path);

// A typed name as the system's 8-bit file functions read it (the ANSI code
// page, or the OEM one after SetFileApisToOEM), in UTF-16; empty when it
// cannot be converted.
std::wstring typedNameToWide(const std::string& typed);

}  // namespace romwise
