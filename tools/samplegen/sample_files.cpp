#include "tools/samplegen/sample_files.h"

#include <array>

#include "tools/samplegen/award_440bx_rom.h"
#include "tools/samplegen/cpuid_dump.h"
#include "tools/samplegen/sample_boards.h"
#include "tools/samplegen/smbios3_sample.h"
#include "tools/samplegen/smbios_sample.h"

namespace romwise::samplegen {

namespace {

Bytes Qb440bxDump() {
    return BuildSmbiosDump(kQb440bx);
}
Bytes QbRiserDump() {
    return BuildSmbiosDump(kQbRiser);
}
Bytes Qs3000Dump() {
    return BuildSmbios3Dump(kQs3000);
}

Bytes Pentium3Dump() {
    const std::string text = FormatCpuidDump(kPentium3Leaves);
    return Bytes(text.begin(), text.end());
}

constexpr std::array<SampleFile, 5> kSampleFiles = {{
    {"award-440bx-rom.bin", &award440bx::BuildRom},
    {"award-440bx.dmi", &Qb440bxDump},
    {"many-slots.dmi", &QbRiserDump},
    {"qs3000-smbios3.dmi", &Qs3000Dump},
    {"pentium3.cpuid", &Pentium3Dump},
}};

}  // namespace

std::span<const SampleFile> SampleFiles() {
    return kSampleFiles;
}

}  // namespace romwise::samplegen
