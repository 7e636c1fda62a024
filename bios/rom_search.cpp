#include "bios/rom_search.h"

#include <algorithm>
#include <cstring>

namespace romwise {

namespace {

constexpr std::uint32_t kLastCandidate = kRomLength - 2;  // FFFEh

bool isAscii(std::string_view text) {
    return std::all_of(text.begin(), text.end(),
                       [](char c) { return static_cast<unsigned char>(c) < 0x80; });
}

std::string_view window(const BiosIdentity& bios) {
    return std::string_view(reinterpret_cast<const char*>(bios.romView), kRomLength);
}

}  // namespace

std::uint32_t FindInRom(const BiosIdentity& bios, std::uint32_t start, std::string_view text) {
    if (start > kLastCandidate || !isAscii(text)) {
        return 0;
    }
    // A find over the whole window keeps every occurrence inside it; only a
    // one-byte text can turn up at FFFFh, which is no candidate.
    const std::size_t found = window(bios).find(text, start);
    if (found == std::string_view::npos || found > kLastCandidate) {
        return 0;
    }
    return static_cast<std::uint32_t>(found) + 1;
}

bool MatchAt(const BiosIdentity& bios, std::uint32_t offset, std::string_view text) {
    if (offset >= kRomLength || text.size() > kRomLength - offset || !isAscii(text)) {
        return false;
    }
    return window(bios).substr(offset, text.size()) == text;
}

std::span<const std::uint8_t> RomBytes(const BiosIdentity& bios, std::uint32_t offset,
                                       std::size_t length) {
    if (offset >= kRomLength) {
        return {};
    }
    return std::span<const std::uint8_t>(bios.romView + offset,
                                         std::min<std::size_t>(length, kRomLength - offset));
}

std::string_view RomText(const BiosIdentity& bios, std::uint32_t offset, std::size_t length) {
    const std::span<const std::uint8_t> bytes = RomBytes(bios, offset, length);
    const char* start = reinterpret_cast<const char*>(bytes.data());
    const void* nul = bytes.empty() ? nullptr : std::memchr(start, '\0', bytes.size());
    const std::size_t size = nul != nullptr
                                 ? static_cast<std::size_t>(static_cast<const char*>(nul) - start)
                                 : bytes.size();
    return std::string_view(start, size);
}

}  // namespace romwise
