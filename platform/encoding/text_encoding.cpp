#include "app/text_encoding.h"

#include <iconv.h>

#include <cerrno>
#include <vector>

namespace romwise {

namespace {

constexpr char kReplacement[] = "\xEF\xBF\xBD";

class Converter {
  public:
    Converter() : handle_(iconv_open("UTF-8", "WINDOWS-1252")) {}
    ~Converter() {
        if (valid()) {
            iconv_close(handle_);
        }
    }
    Converter(const Converter&) = delete;
    Converter& operator=(const Converter&) = delete;

    bool valid() const { return handle_ != reinterpret_cast<iconv_t>(-1); }

    std::string convert(std::string_view text) {
        std::string out;
        std::vector<char> buffer(text.size() * 4 + 4);
        char* in = const_cast<char*>(text.data());
        std::size_t inLeft = text.size();
        while (inLeft > 0) {
            char* outPtr = buffer.data();
            std::size_t outLeft = buffer.size();
            const std::size_t result = iconv(handle_, &in, &inLeft, &outPtr, &outLeft);
            out.append(buffer.data(), buffer.size() - outLeft);
            if (result == static_cast<std::size_t>(-1)) {
                if (errno == E2BIG) {
                    continue;
                }
                // An undefined byte: replace it and go on with the next one.
                out.append(kReplacement);
                ++in;
                --inLeft;
                iconv(handle_, nullptr, nullptr, nullptr, nullptr);
            }
        }
        return out;
    }

  private:
    iconv_t handle_;
};

// Without the converter, ASCII passes and every other byte is replaced.
std::string asciiOnly(std::string_view text) {
    std::string out;
    for (const char c : text) {
        if (static_cast<unsigned char>(c) < 0x80) {
            out.push_back(c);
        } else {
            out.append(kReplacement);
        }
    }
    return out;
}

}  // namespace

std::string windows1252ToUtf8(std::string_view text) {
    static Converter converter;
    if (!converter.valid()) {
        return asciiOnly(text);
    }
    return converter.convert(text);
}

}  // namespace romwise
