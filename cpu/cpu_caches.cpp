// The cache steps of the identification: the extended cache leaves, and the
// leaf-2 descriptors when those are missing.
#include "cpu/cache_descriptors.h"
#include "cpu/cpu_info.h"
#include "cpu/cpuid_bits.h"

namespace romwise {

namespace {

constexpr std::uint32_t kLevel1CacheLeaf = 0x80000005u;
constexpr std::uint32_t kLevel2CacheLeaf = 0x80000006u;
constexpr std::uint32_t kDescriptorLeaf = 2;

}  // namespace

bool CpuInfo::readExtendedCaches() {
    CpuidRegisters caches;
    if (extendedLeafAvailable(kLevel1CacheLeaf)) {
        if (!processor().cpuid(kLevel1CacheLeaf, caches)) {
            return false;
        }
        l1CacheKb = static_cast<std::int32_t>(byteOf(caches.edx, 3) + byteOf(caches.ecx, 3));
    } else {
        l1CacheKb = -1;
    }
    if (extendedLeafAvailable(kLevel2CacheLeaf)) {
        if (!processor().cpuid(kLevel2CacheLeaf, caches)) {
            return false;
        }
        l2CacheKb = static_cast<std::int32_t>(bitsOf(caches.ecx, 16, 16));
    } else {
        l2CacheKb = -1;
    }
    l3CacheKb = -1;
    return l1CacheKb != -1 || l2CacheKb != -1;
}

bool CpuInfo::readCacheDescriptors() {
    CacheTallies tallies;
    std::uint32_t executions = 0;
    CpuidRegisters leaf;
    do {
        if (!processor().cpuid(kDescriptorLeaf, leaf)) {
            return false;
        }
        ++executions;
        // EAX byte 0 is the number of times to execute the leaf, not a
        // descriptor. Registers with bit 31 set are read like the others.
        for (int i = 1; i < 4; ++i) {
            if (!tallies.apply(static_cast<std::uint8_t>(byteOf(leaf.eax, i)))) {
                return false;
            }
        }
        for (std::uint32_t value : {leaf.ebx, leaf.ecx, leaf.edx}) {
            for (int i = 0; i < 4; ++i) {
                if (!tallies.apply(static_cast<std::uint8_t>(byteOf(value, i)))) {
                    return false;
                }
            }
        }
    } while (executions < byteOf(leaf.eax, 0));

    l1CacheKb = tallies.level1();
    l2CacheKb = tallies.size(CacheKind::Level2);
    l3CacheKb = tallies.size(CacheKind::Level3);
    return true;
}

}  // namespace romwise
