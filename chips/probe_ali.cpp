// ALi: the M5113 and M5119 answer on a single port (3F1h or 398h); newer
// parts open with 51h 23h at 3F0h or 370h and name their model in register 20h.
#include "chips/superio_probes.h"

namespace romwise {

namespace {

constexpr std::uint32_t kSinglePorts[] = {0x3F1, 0x398};
constexpr std::uint32_t kPairPorts[] = {0x3F0, 0x370};

struct SinglePortPart {
    std::uint8_t select;
    std::uint8_t answer;
    const char* name;
};

constexpr SinglePortPart kSinglePortParts[] = {
    {0x29, 0x93, "ALi M5113"},
    {0x19, 0x91, "ALi M5119"},
};

bool probeSinglePort(ConfigPorts& ports, FixedText<260>& line) {
    for (const std::uint32_t port : kSinglePorts) {
        for (const SinglePortPart& part : kSinglePortParts) {
            ports.writeEach(port, {0x51, part.select});
            if (ports.read(port) == part.answer) {
                WriteSuperIoLine(line, part.name, 0, port);
                return true;
            }
        }
    }
    return false;
}

bool probePair(ConfigPorts& ports, FixedText<260>& line) {
    for (const std::uint32_t port : kPairPorts) {
        ports.writeEach(port, {0x51, 0x23});
        const std::uint8_t model = ports.readRegister(port, 0x20);
        const std::uint8_t signature = ports.readRegister(port, 0x21);
        ports.write(port, 0xBB);
        if (signature == 0x51) {
            FixedText<32> name;
            name.format("ALi M51%x", model);
            WriteSuperIoLine(line, name.c_str(), 0, port);
            return true;
        }
    }
    return false;
}

}  // namespace

bool ProbeAli(ConfigPorts& ports, FixedText<260>& line) {
    return probeSinglePort(ports, line) || probePair(ports, line);
}

}  // namespace romwise
