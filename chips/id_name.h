// Name tables keyed by a chip or device id.
#pragma once

#include <cstdint>
#include <span>

namespace romwise {

struct IdName {
    std::uint32_t id;
    const char* name;
};

// The name listed for `id`, or nullptr when the table has none.
constexpr const char* NameForId(std::span<const IdName> table, std::uint32_t id) {
    for (const IdName& entry : table) {
        if (entry.id == id) {
            return entry.name;
        }
    }
    return nullptr;
}

}  // namespace romwise
