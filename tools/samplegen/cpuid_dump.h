// CPUID register dumps in the text form "CPUID 00000001: EAX-EBX-ECX-EDX".
#pragma once

#include <cstdint>
#include <span>
#include <string>

namespace romwise::samplegen {

struct CpuidLeafValues {
    std::uint32_t leaf;
    std::uint32_t eax, ebx, ecx, edx;
};

// Intel Pentium III "Katmai", family 6 model 7 stepping 3, with the
// processor serial number enabled (so the highest standard leaf is 3).
inline constexpr CpuidLeafValues kPentium3Leaves[] = {
    // Highest standard leaf, then "GenuineIntel" in EBX, EDX, ECX.
    {0x00000000, 0x00000003, 0x756E6547, 0x6C65746E, 0x49656E69},
    // Signature 673h; FPU..APIC, SEP, MTRR, PGE, MCA, CMOV, PAT, PSE-36,
    // PSN, MMX, FXSR, SSE.
    {0x00000001, 0x00000673, 0x00000000, 0x00000000, 0x0387FBFF},
    // One round of descriptors: 01h 02h 03h TLBs, 43h 512 KB L2, 08h 16 KB
    // L1 instruction, 04h TLB, 0Ch 16 KB L1 data.
    {0x00000002, 0x03020101, 0x00000000, 0x00000000, 0x0C040843},
    // Low 64 bits of the processor serial number.
    {0x00000003, 0x00000000, 0x00000000, 0x51C0A7E2, 0x00006B3D},
    // No extended leaves: a family 6 part answers with its highest standard
    // leaf, so the extended range reads as empty.
    {0x80000000, 0x00000000, 0x00000000, 0x51C0A7E2, 0x00006B3D},
};

// One line per leaf, upper-case hexadecimal, "\n" line ends.
std::string FormatCpuidDump(std::span<const CpuidLeafValues> leaves);

}  // namespace romwise::samplegen
