#include "tools/samplegen/byte_buffer.h"

#include <stdexcept>

namespace romwise::samplegen {

void AppendByte(Bytes& out, std::uint8_t value) {
    out.push_back(value);
}

void AppendWord(Bytes& out, std::uint16_t value) {
    out.push_back(static_cast<std::uint8_t>(value & 0xFF));
    out.push_back(static_cast<std::uint8_t>(value >> 8));
}

void AppendDword(Bytes& out, std::uint32_t value) {
    AppendWord(out, static_cast<std::uint16_t>(value & 0xFFFF));
    AppendWord(out, static_cast<std::uint16_t>(value >> 16));
}

void AppendQword(Bytes& out, std::uint64_t value) {
    AppendDword(out, static_cast<std::uint32_t>(value & 0xFFFFFFFF));
    AppendDword(out, static_cast<std::uint32_t>(value >> 32));
}

void AppendText(Bytes& out, std::string_view text) {
    for (char c : text) {
        out.push_back(static_cast<std::uint8_t>(c));
    }
}

void PutWord(Bytes& out, std::size_t offset, std::uint16_t value) {
    if (offset + 2 > out.size()) {
        throw std::out_of_range("word past the end of the buffer");
    }
    out[offset] = static_cast<std::uint8_t>(value & 0xFF);
    out[offset + 1] = static_cast<std::uint8_t>(value >> 8);
}

void PutDword(Bytes& out, std::size_t offset, std::uint32_t value) {
    PutWord(out, offset, static_cast<std::uint16_t>(value & 0xFFFF));
    PutWord(out, offset + 2, static_cast<std::uint16_t>(value >> 16));
}

void PutText(Bytes& out, std::size_t offset, std::string_view text) {
    if (offset + text.size() > out.size()) {
        throw std::out_of_range("text past the end of the buffer");
    }
    for (std::size_t i = 0; i < text.size(); ++i) {
        out[offset + i] = static_cast<std::uint8_t>(text[i]);
    }
}

}  // namespace romwise::samplegen
