#include "tools/samplegen/cpuid_dump.h"

#include <cstdio>

namespace romwise::samplegen {

std::string FormatCpuidDump(std::span<const CpuidLeafValues> leaves) {
    std::string text;
    for (const CpuidLeafValues& l : leaves) {
        char line[64];
        std::snprintf(line, sizeof line, "CPUID %08X: %08X-%08X-%08X-%08X\n",
                      static_cast<unsigned>(l.leaf), static_cast<unsigned>(l.eax),
                      static_cast<unsigned>(l.ebx), static_cast<unsigned>(l.ecx),
                      static_cast<unsigned>(l.edx));
        text += line;
    }
    return text;
}

}  // namespace romwise::samplegen
