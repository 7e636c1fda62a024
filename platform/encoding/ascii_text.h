// ASCII, the part both encodings write alike.
#pragma once

#include <string>
#include <string_view>

namespace romwise {

bool isAscii(std::string_view text);

// Without a converter: ASCII passes and every other byte is `replacement`.
std::string asciiOnly(std::string_view text, std::string_view replacement);

}  // namespace romwise
