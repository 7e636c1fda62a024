// Texts for the wide-character window services: the dialogs' UTF-8 texts,
// the record's Windows-1252 texts and paths in the system's ANSI code page.
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace romwise::ui::win32 {

std::wstring wideFromUtf8(std::string_view utf8);
// The record's 8-bit texts are Windows-1252 whatever the system's code page.
std::wstring wideFromRecord(std::string_view windows1252);
std::wstring wideFromAnsi(std::string_view ansi);
// A wide text (a command-line argument) in UTF-8; a lone surrogate becomes
// U+FFFD.
std::string utf8FromWide(std::wstring_view text);
// A wide text in the system's ANSI code page, or nothing when a character
// has no exact form there (the system's "best fit" would name another file).
std::optional<std::string> ansiFromWide(std::wstring_view text);

}  // namespace romwise::ui::win32
