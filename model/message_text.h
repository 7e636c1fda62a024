// Texts from profiles and firmware inside one-line messages.
#pragma once

#include <string>
#include <string_view>

namespace romwise {

// `text` with every control byte (below 20h, and 7Fh) written out as an
// escape, so that the text stays on its line and sends nothing to a
// terminal: tab, line feed and carriage return as \t, \n and \r, the others
// as \xHH (ESC as \x1B, NUL as \x00). Every other byte stays.
std::string escapeControlBytes(std::string_view text);

}  // namespace romwise
