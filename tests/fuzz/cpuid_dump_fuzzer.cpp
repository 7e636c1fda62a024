// Feeds arbitrary text to the CPUID dump parser. Whatever it takes, written
// back as canonical dump lines, must parse to the same leaves.
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <string>
#include <string_view>

#include "platform/sim/cpuid_dump_parser.h"
#include "tests/fuzz/fuzz_check.h"

namespace {

using romwise::fuzz::require;
using namespace romwise::sim;

std::string canonicalDump(const std::map<std::uint32_t, CpuidLeaf>& leaves) {
    std::string text;
    for (const auto& [leaf, r] : leaves) {
        char line[64];
        std::snprintf(line, sizeof line, "CPUID %08X: %08X-%08X-%08X-%08X\n", leaf, r.eax, r.ebx,
                      r.ecx, r.edx);
        text += line;
    }
    return text;
}

bool sameLeaves(const std::map<std::uint32_t, CpuidLeaf>& a,
                const std::map<std::uint32_t, CpuidLeaf>& b) {
    if (a.size() != b.size()) {
        return false;
    }
    for (auto i = a.begin(), j = b.begin(); i != a.end(); ++i, ++j) {
        if (i->first != j->first || i->second.eax != j->second.eax ||
            i->second.ebx != j->second.ebx || i->second.ecx != j->second.ecx ||
            i->second.edx != j->second.edx) {
            return false;
        }
    }
    return true;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    const auto leaves = parseCpuidDump(text);
    require(sameLeaves(parseCpuidDump(canonicalDump(leaves)), leaves));
    return 0;
}
