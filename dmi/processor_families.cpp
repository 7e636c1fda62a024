#include "dmi/processor_families.h"

#include <algorithm>
#include <iterator>

namespace romwise {

namespace {

struct ProcessorFamily {
    std::uint8_t code;
    const char* name;
};

constexpr ProcessorFamily kProcessorFamilies[] = {
    {0x02, "Unknown"},
    {0x03, "8086"},
    {0x04, "80286"},
    {0x05, "Intel386"},
    {0x06, "Intel486"},
    {0x07, "8087"},
    {0x08, "80287"},
    {0x09, "80387"},
    {0x0A, "80487"},
    {0x0B, "Pentium"},
    {0x0C, "Pentium Pro"},
    {0x0D, "Pentium II"},
    {0x0E, "Pentium MMX"},
    {0x0F, "Celeron"},
    {0x10, "Pentium II Xeon"},
    {0x11, "Pentium III"},
    {0x12, "M1"},
    {0x13, "M1"},
    {0x14, "M1"},
    {0x15, "M1"},
    {0x16, "M1"},
    {0x17, "M1"},
    {0x18, "AMD Duron"},
    {0x19, "AMD K5"},
    {0x1A, "AMD K6"},
    {0x1B, "AMD K6-2"},
    {0x1C, "AMD K6-3"},
    {0x1D, "AMD Athlon"},
    {0x1E, "AMD 29000"},
    {0x1F, "AMD"},
    {0x82, "Itanium"},
    {0x83, "AMD Athlon 64"},
    {0x84, "AMD Opteron"},
    {0xB0, "Pentium III Xeon"},
    {0xB1, "Pentium III"},
    {0xB2, "Pentium 4"},
    {0xB3, "Intel Xeon"},
    {0xB4, "AS400"},
    {0xB5, "Intel Xeon MP"},
    {0xB6, "AMD Athlon XP"},
    {0xB7, "AMD Athlon MP"},
    {0xB8, "Intel Itanium 2"},
};

}  // namespace

const char* ProcessorFamilyName(std::uint8_t code) {
    const auto found = std::find_if(std::begin(kProcessorFamilies), std::end(kProcessorFamilies),
                                    [code](const ProcessorFamily& f) { return f.code == code; });
    return found == std::end(kProcessorFamilies) ? nullptr : found->name;
}

}  // namespace romwise
