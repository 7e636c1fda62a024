#pragma once

#include <string>
#include <string_view>

namespace romwise {

// Decodes 8-bit Windows-1252 text to UTF-8. Bytes the code page leaves
// undefined become U+FFFD, so the result is always valid UTF-8.
std::string windows1252ToUtf8(std::string_view text);

}  // namespace romwise
