// National Semiconductor parts: no entry sequence; named by register 08h, or
// by register 20h by nibble or whole.
#include "chips/id_name.h"
#include "chips/superio_probes.h"

namespace romwise {

namespace {

constexpr std::uint32_t kPorts[] = {0x2E, 0x4E, 0x15C, 0x26E, 0x398};

// By the upper nibble of register 08h; the revision is its low nibble.
constexpr IdName kRegister08Chips[] = {
    {0x1, "NSC 332"}, {0x2, "NSC 323"}, {0x3, "NSC 303"}, {0x5, "NSC 334"},
    {0x7, "NSC 306"}, {0x9, "NSC 336"}, {0xB, "NSC 338"},
};

// By the upper nibble of register 20h; the revision is its low nibble.
constexpr IdName kRegister20Families[] = {
    {0xA, "NSC 308"},
    {0xC, "NSC 307"},
    {0xD, "NSC 317"},
};

// By the whole of register 20h; the revision is register 27h.
constexpr IdName kRegister20Chips[] = {
    {0xCF, "NSC 97307"}, {0xE0, "NSC 309"}, {0xE1, "NSC 360"}, {0xE2, "NSC 351"},
    {0xE4, "NSC 364"},   {0xE8, "NSC 363"}, {0xE9, "NSC 366"},
};

}  // namespace

bool ProbeNsc(ConfigPorts& ports, FixedText<260>& line) {
    for (const std::uint32_t port : kPorts) {
        if (!ports.mayProbe(port)) {
            continue;
        }
        const std::uint8_t v = ports.readRegister(port, 0x08);
        if (const char* name = NameForId(kRegister08Chips, v >> 4)) {
            WriteSuperIoLine(line, name, v & 0x0F, port);
            return true;
        }
        const std::uint8_t w = ports.readRegister(port, 0x20);
        // An id listed whole (CFh, the 97307) is not taken for its family by
        // nibble (Ch, the 307): the whole-id entry would never be reached.
        const bool listedWhole = NameForId(kRegister20Chips, w) != nullptr;
        const char* family = listedWhole ? nullptr : NameForId(kRegister20Families, w >> 4);
        if (family != nullptr) {
            WriteSuperIoLine(line, family, w & 0x0F, port);
            return true;
        }
        const std::uint8_t x = ports.readRegister(port, 0x27);
        if (const char* name = NameForId(kRegister20Chips, w)) {
            WriteSuperIoLine(line, name, x, port);
            return true;
        }
    }
    return false;
}

}  // namespace romwise
