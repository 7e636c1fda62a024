// Feeds arbitrary bytes to the Windows-1252 and UTF-8 conversions. Decoding
// always gives valid UTF-8, and a text of bytes the code page defines comes
// back unchanged from a round trip.
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "platform/encoding/text_encoding.h"
#include "tests/fuzz/fuzz_check.h"

namespace {

using romwise::fuzz::require;

// Well-formed UTF-8: shortest forms only, no surrogates, nothing past U+10FFFF.
bool isValidUtf8(std::string_view text) {
    std::size_t i = 0;
    while (i < text.size()) {
        const auto lead = static_cast<unsigned char>(text[i]);
        std::size_t length = 0;
        std::uint32_t code = 0;
        if (lead < 0x80) {
            ++i;
            continue;
        } else if (lead >= 0xC2 && lead <= 0xDF) {
            length = 2;
            code = lead & 0x1F;
        } else if (lead >= 0xE0 && lead <= 0xEF) {
            length = 3;
            code = lead & 0x0F;
        } else if (lead >= 0xF0 && lead <= 0xF4) {
            length = 4;
            code = lead & 0x07;
        } else {
            return false;
        }
        if (text.size() - i < length) {
            return false;
        }
        for (std::size_t k = 1; k < length; ++k) {
            const auto next = static_cast<unsigned char>(text[i + k]);
            if ((next & 0xC0) != 0x80) {
                return false;
            }
            code = (code << 6) | (next & 0x3F);
        }
        const std::uint32_t smallest[] = {0, 0, 0x80, 0x800, 0x10000};
        if (code < smallest[length] || code > 0x10FFFF || (code >= 0xD800 && code <= 0xDFFF)) {
            return false;
        }
        i += length;
    }
    return true;
}

// The five bytes Windows-1252 leaves undefined.
bool definedInCodePage(std::string_view text) {
    return text.find_first_of(std::string_view("\x81\x8D\x8F\x90\x9D", 5)) ==
           std::string_view::npos;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    const std::string decoded = romwise::windows1252ToUtf8(bytes);
    require(isValidUtf8(decoded));
    if (definedInCodePage(bytes)) {
        require(romwise::utf8ToWindows1252(decoded) == bytes);
    }
    require(isValidUtf8(romwise::windows1252ToUtf8(romwise::utf8ToWindows1252(bytes))));
    return 0;
}
