// Conversions between the record's 8-bit Windows-1252 texts and UTF-8, for
// the edges that need Unicode (JSON, profiles, the window, locale data).
#pragma once

#include <string>
#include <string_view>

namespace romwise {

// Bytes the code page leaves undefined become U+FFFD, so the result is
// always valid UTF-8.
std::string windows1252ToUtf8(std::string_view text);

// Characters Windows-1252 cannot hold are transliterated where the C
// library knows how, else replaced by "?"; invalid UTF-8 bytes also become "?".
std::string utf8ToWindows1252(std::string_view text);

}  // namespace romwise
