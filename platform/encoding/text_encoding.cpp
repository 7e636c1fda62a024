#include "platform/encoding/text_encoding.h"

#include <iconv.h>

#include <cerrno>
#include <vector>

#include "platform/encoding/ascii_text.h"

namespace romwise {

namespace {

constexpr char kUtf8Replacement[] = "\xEF\xBF\xBD";

class Converter {
  public:
    // `multiByteSource`: the source is UTF-8, whose bad sequences are
    // skipped whole; in a single-byte source every byte stands alone.
    Converter(const char* to, const char* from, std::string_view replacement, bool multiByteSource)
        : handle_(iconv_open(to, from)),
          replacement_(replacement),
          multiByteSource_(multiByteSource) {}
    ~Converter() {
        if (valid()) {
            iconv_close(handle_);
        }
    }
    Converter(const Converter&) = delete;
    Converter& operator=(const Converter&) = delete;

    bool valid() const { return handle_ != reinterpret_cast<iconv_t>(-1); }

    std::string convert(std::string_view text) {
        iconv(handle_, nullptr, nullptr, nullptr, nullptr);
        std::string out;
        std::vector<char> buffer(text.size() * 4 + 16);
        char* in = const_cast<char*>(text.data());
        std::size_t inLeft = text.size();
        while (inLeft > 0) {
            char* outPtr = buffer.data();
            std::size_t outLeft = buffer.size();
            const std::size_t result = iconv(handle_, &in, &inLeft, &outPtr, &outLeft);
            out.append(buffer.data(), buffer.size() - outLeft);
            if (result != static_cast<std::size_t>(-1) || errno == E2BIG) {
                continue;
            }
            // A byte the source encoding does not define, or a character the
            // target cannot hold: replace it and go on with the next byte.
            out.append(replacement_);
            ++in;
            --inLeft;
            if (multiByteSource_ && (errno == EILSEQ || errno == EINVAL)) {
                // Skip the rest of a multi-byte UTF-8 sequence.
                while (inLeft > 0 && (static_cast<unsigned char>(*in) & 0xC0) == 0x80) {
                    ++in;
                    --inLeft;
                }
            }
            iconv(handle_, nullptr, nullptr, nullptr, nullptr);
        }
        return out;
    }

  private:
    iconv_t handle_;
    std::string replacement_;
    bool multiByteSource_;
};

}  // namespace

// ASCII is the same in both encodings: it passes without opening a
// converter, which loads a conversion module on first use.
std::string windows1252ToUtf8(std::string_view text) {
    if (isAscii(text)) {
        return std::string(text);
    }
    static Converter converter("UTF-8", "WINDOWS-1252", kUtf8Replacement, false);
    return converter.valid() ? converter.convert(text) : asciiOnly(text, kUtf8Replacement);
}

std::string utf8ToWindows1252(std::string_view text) {
    if (isAscii(text)) {
        return std::string(text);
    }
    static Converter converter("WINDOWS-1252//TRANSLIT", "UTF-8", "?", true);
    return converter.valid() ? converter.convert(text) : asciiOnly(text, "?");
}

}  // namespace romwise
