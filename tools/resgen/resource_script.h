// The resource script (.rc) that puts the generated files and the window's
// strings into the Windows program.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace romwise::resgen {

struct FileResource {
    int id;
    std::string type;  // ICON, BITMAP, or a type of our own such as AVI
    std::string path;  // as the resource compiler will open it
};

struct StringResource {
    int id;
    std::string text;  // UTF-8
};

// A UTF-8 text as a wide string literal of a resource script. Everything
// but printable ASCII is written as a \x escape of its UTF-16 unit, so the
// script is plain ASCII whatever code page the compiler assumes. Throws on
// invalid UTF-8.
std::string wideStringLiteral(std::string_view utf8);

// One statement per file and a string table. Throws on a path the script
// cannot quote as it stands (a double quote, a backslash or a line end in it).
std::string resourceScript(const std::vector<FileResource>& files,
                           const std::vector<StringResource>& strings);

}  // namespace romwise::resgen
