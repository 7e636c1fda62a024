// Little-endian byte assembly for the binary sample inputs.
#pragma once

#include <cstddef>
#include <cstdint>
#include <span>
#include <string_view>
#include <vector>

namespace romwise::samplegen {

using Bytes = std::vector<std::uint8_t>;

void AppendByte(Bytes& out, std::uint8_t value);
void AppendWord(Bytes& out, std::uint16_t value);
void AppendDword(Bytes& out, std::uint32_t value);
void AppendQword(Bytes& out, std::uint64_t value);
// The characters of `text`, without a terminating NUL.
void AppendText(Bytes& out, std::string_view text);

void PutWord(Bytes& out, std::size_t offset, std::uint16_t value);
void PutDword(Bytes& out, std::size_t offset, std::uint32_t value);
void PutText(Bytes& out, std::size_t offset, std::string_view text);

}  // namespace romwise::samplegen
