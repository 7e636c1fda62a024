// HMC 83755: key port 250h, index 251h, data 252h; told by the contrast of
// register 00h before and after the lock key.
#include "chips/superio_probes.h"

namespace romwise {

namespace {
constexpr std::uint32_t kKeyPort = 0x250;
constexpr std::uint32_t kIndexPort = 0x251;
constexpr std::uint32_t kDataPort = 0x252;
}  // namespace

bool ProbeHmc(ConfigPorts& ports, FixedText<260>& line) {
    ports.writeEach(kKeyPort, {0xEA, 0xEA});
    ports.write(kIndexPort, 0x00);
    const std::uint8_t unlocked = ports.read(kDataPort);
    ports.write(kKeyPort, 0xAD);
    ports.write(kIndexPort, 0x00);
    const std::uint8_t locked = ports.read(kDataPort);
    if (unlocked != 0xFF && locked == 0xFF) {
        WriteSuperIoLine(line, "HMC 83755", 0, kKeyPort);
        return true;
    }
    return false;
}

}  // namespace romwise
