// Windows-1252 and UTF-8 through the system's own code-page conversions
// (MinGW has no iconv), keeping the contract of text_encoding.h and the
// answers of the iconv version on Linux:
// - the five bytes Windows-1252 leaves undefined (81h, 8Dh, 8Fh, 90h, 9Dh)
//   become U+FFFD, although Windows itself maps them to the C1 control of
//   the same number;
// - invalid UTF-8 becomes one "?" for its first byte, and the continuation
//   bytes that follow it are skipped, as the Linux version skips them;
// - a character Windows-1252 cannot hold becomes "?". The system's "best
//   fit" (A for A with macron) is switched off, because the C library
//   transliterates none of those in the program's locale; the C1 controls
//   U+0080-U+009F become "?" too, as the undefined bytes they stand for.
// What remains different: the C library spells out a few characters as
// several (the ligature "fi" as f and i), where Windows gives "?".
#include <windows.h>

#include <climits>

#include "platform/encoding/ascii_text.h"
#include "platform/encoding/text_encoding.h"

namespace romwise {

namespace {

constexpr UINT kWindows1252 = 1252;
constexpr wchar_t kReplacementCharacter = 0xFFFD;
constexpr char kUnconvertible[] = "?";

bool isContinuationByte(unsigned char byte) {
    return (byte & 0xC0) == 0x80;
}

// The length of the UTF-8 sequence a lead byte starts; 0 for a byte that
// starts none (a continuation byte, C0h, C1h, F5h and above).
std::size_t sequenceLength(unsigned char lead) {
    if (lead >= 0xC2 && lead <= 0xDF) {
        return 2;
    }
    if (lead >= 0xE0 && lead <= 0xEF) {
        return 3;
    }
    if (lead >= 0xF0 && lead <= 0xF4) {
        return 4;
    }
    return 0;
}

// A byte of 80h-9Fh that the code page leaves undefined comes back as the C1
// control of its own number; every defined one is a printable character.
bool isUndefinedByte(unsigned char byte, wchar_t converted) {
    return byte >= 0x80 && byte <= 0x9F && converted == static_cast<wchar_t>(byte);
}

bool isC1Control(wchar_t character) {
    return character >= 0x80 && character <= 0x9F;
}

std::string wideToUtf8(const std::wstring& wide) {
    if (wide.empty()) {
        return {};
    }
    const int length = static_cast<int>(wide.size());
    const int needed =
        WideCharToMultiByte(CP_UTF8, 0, wide.data(), length, nullptr, 0, nullptr, nullptr);
    std::string out(static_cast<std::size_t>(needed > 0 ? needed : 0), '\0');
    if (needed > 0) {
        WideCharToMultiByte(CP_UTF8, 0, wide.data(), length, out.data(), needed, nullptr, nullptr);
    }
    return out;
}

}  // namespace

std::string windows1252ToUtf8(std::string_view text) {
    if (text.empty()) {
        return {};
    }
    if (text.size() > static_cast<std::size_t>(INT_MAX)) {
        return asciiOnly(text, "\xEF\xBF\xBD");
    }
    // A single-byte code page: one wide character for each byte.
    const int length = static_cast<int>(text.size());
    std::wstring wide(text.size(), L'\0');
    if (MultiByteToWideChar(kWindows1252, 0, text.data(), length, wide.data(), length) != length) {
        return asciiOnly(text, "\xEF\xBF\xBD");
    }
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (isUndefinedByte(static_cast<unsigned char>(text[i]), wide[i])) {
            wide[i] = kReplacementCharacter;
        }
    }
    return wideToUtf8(wide);
}

std::string utf8ToWindows1252(std::string_view text) {
    std::string out;
    out.reserve(text.size());
    std::size_t at = 0;
    while (at < text.size()) {
        const auto lead = static_cast<unsigned char>(text[at]);
        if (lead < 0x80) {
            out.push_back(text[at++]);
            continue;
        }
        const std::size_t length = sequenceLength(lead);
        wchar_t wide[2] = {};
        int count = 0;
        if (length != 0 && at + length <= text.size()) {
            count = MultiByteToWideChar(CP_UTF8, MB_ERR_INVALID_CHARS, text.data() + at,
                                        static_cast<int>(length), wide, 2);
        }
        if (count <= 0) {
            out.append(kUnconvertible);
            ++at;
            while (at < text.size() && isContinuationByte(static_cast<unsigned char>(text[at]))) {
                ++at;
            }
            continue;
        }
        char converted[8];
        BOOL unconvertible = FALSE;
        const int bytes =
            isC1Control(wide[0])
                ? 0
                : WideCharToMultiByte(kWindows1252, WC_NO_BEST_FIT_CHARS, wide, count, converted,
                                      sizeof converted, kUnconvertible, &unconvertible);
        if (bytes > 0) {
            out.append(converted, static_cast<std::size_t>(bytes));
        } else {
            out.append(kUnconvertible);
        }
        at += length;
    }
    return out;
}

}  // namespace romwise
