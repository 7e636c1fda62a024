// Intel 82091AA: no entry sequence; register 00h reads A0h.
#include "chips/superio_probes.h"

namespace romwise {

namespace {
constexpr std::uint32_t kPorts[] = {0x22, 0x24, 0x26E, 0x398};
constexpr std::uint8_t kSignature = 0xA0;
}  // namespace

bool ProbeIntel82091(ConfigPorts& ports, FixedText<260>& line) {
    for (const std::uint32_t port : kPorts) {
        const std::uint8_t signature = ports.readRegister(port, 0x00);
        const std::uint8_t revision = ports.readRegister(port, 0x01);
        if (signature == kSignature) {
            WriteSuperIoLine(line, "Intel 82091AA", revision, port);
            return true;
        }
    }
    return false;
}

}  // namespace romwise
