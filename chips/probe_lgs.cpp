// LGS Prime at 398h/399h: opened with 33h 33h; told by register C0h, or by
// the contrast of register A0h before and after the lock key CCh.
#include "chips/superio_probes.h"

namespace romwise {

namespace {
constexpr std::uint32_t kPort = 0x398;
constexpr std::uint8_t kUnlock = 0x33;
}  // namespace

bool ProbeLgs(ConfigPorts& ports, FixedText<260>& line) {
    ports.writeEach(kPort, {kUnlock, kUnlock});
    const std::uint8_t id = ports.readRegister(kPort, 0xC0);
    const std::uint8_t revision = ports.readRegister(kPort, 0xC1);
    ports.write(kPort, 0x55);
    const std::uint8_t idWhenLocked = ports.readRegister(kPort, 0xC0);
    if (id == 0x3C && idWhenLocked == 0xFF) {
        WriteSuperIoLine(line, "LGS Prime 3C", revision, kPort);
        return true;
    }
    ports.writeEach(kPort, {kUnlock, kUnlock});
    const std::uint8_t unlocked = ports.readRegister(kPort, 0xA0);
    ports.write(kPort, 0xCC);
    const std::uint8_t locked = ports.readRegister(kPort, 0xA0);
    if (unlocked != 0xFF && locked == 0xFF) {
        WriteSuperIoLine(line, "LGS Prime 3B", 0, kPort);
        return true;
    }
    return false;
}

}  // namespace romwise
