#include "cpu/cache_descriptors.h"

namespace romwise {

std::optional<CacheDescriptor> findCacheDescriptor(std::uint8_t code) {
    for (const CacheDescriptor& entry : kCacheDescriptors) {
        if (entry.code == code) {
            return entry;
        }
    }
    return std::nullopt;
}

bool CacheTallies::apply(std::uint8_t code) {
    const std::optional<CacheDescriptor> found = findCacheDescriptor(code);
    if (!found) {
        return false;
    }
    std::int32_t& kb = kb_[static_cast<std::size_t>(found->kind)];
    switch (found->effect) {
        case DescriptorEffect::None:
            break;
        case DescriptorEffect::AtLeast:
            if (kb < found->kb) {
                kb = found->kb;
            }
            break;
        case DescriptorEffect::NoLevel2:
            if (kb == -1) {
                kb = 0;
            }
            break;
    }
    return true;
}

std::int32_t CacheTallies::level1() const {
    const std::int32_t instruction = size(CacheKind::Instruction);
    const std::int32_t data = size(CacheKind::Data);
    if (instruction != -1 && data != -1) {
        return instruction + data;
    }
    if (instruction != -1) {
        return instruction;
    }
    if (data != -1) {
        return data;
    }
    return size(CacheKind::Trace);
}

}  // namespace romwise
