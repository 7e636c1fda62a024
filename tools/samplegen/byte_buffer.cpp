#include "tools/samplegen/byte_buffer.h"

#include <stdexcept>

#include "dmi/little_endian.h"

namespace romwise::samplegen {

void AppendByte(Bytes& out, std::uint8_t value) {
    out.push_back(value);
}

namespace {

void Append(Bytes& out, std::uint64_t value, std::size_t width) {
    out.resize(out.size() + width);
    StoreLittleEndian(out, out.size() - width, value, width);
}

void Put(Bytes& out, std::size_t offset, std::uint64_t value, std::size_t width) {
    if (offset + width > out.size()) {
        throw std::out_of_range("number past the end of the buffer");
    }
    StoreLittleEndian(out, offset, value, width);
}

}  // namespace

void AppendWord(Bytes& out, std::uint16_t value) {
    Append(out, value, 2);
}

void AppendDword(Bytes& out, std::uint32_t value) {
    Append(out, value, 4);
}

void AppendQword(Bytes& out, std::uint64_t value) {
    Append(out, value, 8);
}

void AppendText(Bytes& out, std::string_view text) {
    for (char c : text) {
        out.push_back(static_cast<std::uint8_t>(c));
    }
}

void PutWord(Bytes& out, std::size_t offset, std::uint16_t value) {
    Put(out, offset, value, 2);
}

void PutDword(Bytes& out, std::size_t offset, std::uint32_t value) {
    Put(out, offset, value, 4);
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
