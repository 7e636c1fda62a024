// Texts from the system's wide-character services in the program's 8-bit
// form, and the system's own wording of its error codes.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace romwise {

// A wide text in the system's ANSI code page, the code page of every 8-bit
// text the program keeps.
std::string wideToAnsi(std::wstring_view text);

// What the system says about an error code, e.g. "Access is denied." ("error
// 1234" when it has no text for it); one line, no line end.
std::string systemErrorText(std::uint32_t error);

}  // namespace romwise
