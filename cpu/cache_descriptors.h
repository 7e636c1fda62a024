// The one-byte cache and translation-buffer descriptors of leaf 2, and what
// each says about the cache sizes.
#pragma once

#include <array>
#include <cstdint>
#include <optional>

namespace romwise {

enum class CacheKind : std::uint8_t { Instruction, Data, Trace, Level2, Level3 };

enum class DescriptorEffect : std::uint8_t {
    None,      // no cache, or an address-translation buffer
    AtLeast,   // raises the cache's size to `kb` when it is smaller
    NoLevel2,  // no level-2 cache: level 2 becomes 0 when still unknown
};

struct CacheDescriptor {
    std::uint8_t code;
    DescriptorEffect effect;
    CacheKind kind;
    std::int32_t kb;
};

namespace descriptor {
constexpr CacheDescriptor none(std::uint8_t code) {
    return {code, DescriptorEffect::None, CacheKind::Level2, 0};
}
constexpr CacheDescriptor atLeast(std::uint8_t code, CacheKind kind, std::int32_t kb) {
    return {code, DescriptorEffect::AtLeast, kind, kb};
}
}  // namespace descriptor

// Every descriptor this program knows; any other byte makes the leaf's
// report untrustworthy as a whole.
inline constexpr auto kCacheDescriptors = [] {
    using descriptor::atLeast;
    using descriptor::none;
    using enum CacheKind;
    // One row of descriptors per kind, laid out by hand.
    // clang-format off
    return std::array{
        none(0x00),
        // address-translation buffers
        none(0x01), none(0x02), none(0x03), none(0x04), none(0x50), none(0x51), none(0x52),
        none(0x5B), none(0x5C), none(0x5D), none(0x90), none(0x96), none(0x9B),
        atLeast(0x06, Instruction, 8), atLeast(0x08, Instruction, 16),
        atLeast(0x15, Instruction, 16), atLeast(0x77, Instruction, 16),
        atLeast(0x0A, Data, 8), atLeast(0x66, Data, 8),
        atLeast(0x0C, Data, 16), atLeast(0x10, Data, 16), atLeast(0x67, Data, 16),
        atLeast(0x68, Data, 32),
        atLeast(0x70, Trace, 12), atLeast(0x71, Trace, 16), atLeast(0x72, Trace, 32),
        atLeast(0x1A, Level2, 96),
        atLeast(0x39, Level2, 128), atLeast(0x41, Level2, 128), atLeast(0x79, Level2, 128),
        atLeast(0x81, Level2, 128),
        atLeast(0x3C, Level2, 256), atLeast(0x42, Level2, 256), atLeast(0x7A, Level2, 256),
        atLeast(0x7E, Level2, 256), atLeast(0x82, Level2, 256),
        atLeast(0x43, Level2, 512), atLeast(0x7B, Level2, 512), atLeast(0x83, Level2, 512),
        atLeast(0x44, Level2, 1024), atLeast(0x7C, Level2, 1024), atLeast(0x84, Level2, 1024),
        atLeast(0x45, Level2, 2048), atLeast(0x85, Level2, 2048),
        CacheDescriptor{0x40, DescriptorEffect::NoLevel2, Level2, 0},
        atLeast(0x22, Level3, 512), atLeast(0x23, Level3, 1024),
        atLeast(0x25, Level3, 2048), atLeast(0x88, Level3, 2048),
        atLeast(0x29, Level3, 4096), atLeast(0x89, Level3, 4096),
        atLeast(0x8A, Level3, 8192), atLeast(0x8D, Level3, 3072),
    };
    // clang-format on
}();

std::optional<CacheDescriptor> findCacheDescriptor(std::uint8_t code);

// The sizes in KB a run of descriptors adds up to; -1 where unknown.
class CacheTallies {
  public:
    // False for a byte no descriptor has.
    bool apply(std::uint8_t code);

    std::int32_t size(CacheKind kind) const { return kb_[static_cast<std::size_t>(kind)]; }
    // Instruction plus data cache, or whichever of them (or else the trace
    // cache) is known.
    std::int32_t level1() const;

  private:
    std::array<std::int32_t, 5> kb_{-1, -1, -1, -1, -1};
};

}  // namespace romwise
