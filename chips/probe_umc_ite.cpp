// UMC at 108h/109h; ITE through the ISA Plug and Play address port 279h with
// its configuration at 3F0h/3F1h; ITE at 2Eh/2Fh.
#include "chips/id_name.h"
#include "chips/superio_probes.h"

namespace romwise {

namespace {

constexpr std::uint32_t kUmcIndex = 0x108;
constexpr std::uint32_t kUmcData = 0x109;
constexpr std::uint8_t kUmcUnlock = 0xAA;
constexpr std::uint8_t kUmcLock = 0x55;
// A UMC 8663A's register C0h moves; an 8669's never does. This many samples
// (about 200,000 requests) tell them apart.
constexpr std::uint32_t kUmcSamples = 65535;

constexpr std::uint32_t kPnpAddressPort = 0x279;
constexpr std::uint32_t kIteViaPnpIndex = 0x3F0;
constexpr std::uint32_t kIteIndex = 0x2E;

// The initiation key that every ISA Plug and Play card listens for: 32 bytes
// written in turn to the address port.
constexpr std::uint8_t kIsaPnpInitiationKey[32] = {
    0x6A, 0xB5, 0xDA, 0xED, 0xF6, 0xFB, 0x7D, 0xBE, 0xDF, 0x6F, 0x37, 0x1B, 0x0D, 0x86, 0xC3, 0x61,
    0xB0, 0x58, 0x2C, 0x16, 0x8B, 0x45, 0xA2, 0xD1, 0xE8, 0x74, 0x3A, 0x9D, 0xCE, 0xE7, 0x73, 0x39,
};

constexpr std::uint8_t kIteViaPnpKeys[] = {0x61, 0x80};
constexpr std::uint8_t kIteKeys[] = {0x01, 0x61};

constexpr IdName kIteViaPnpChips[] = {
    {0x8661, "ITE 8661/SiS 6801"}, {0x8673, "ITE 8673"}, {0x8680, "ITE 8679 or 8680"},
    {0x8681, "ITE 8671"},          {0x8693, "ITE 8693"},
};

constexpr IdName kIteChips[] = {
    {0x8702, "ITE 8702F"},
    {0x8705, "ITE 8705/SiS 950"},
    {0x8712, "ITE 8712F"},
    {0x8761, "ITE 8761E"},
};

// Writes a key byte, then selects `reg`, then reads the data port.
std::uint8_t readUmc(ConfigPorts& ports, std::uint8_t key, std::uint8_t reg) {
    ports.write(kUmcIndex, key);
    ports.write(kUmcIndex, reg);
    return ports.read(kUmcData);
}

bool probeUmc(ConfigPorts& ports, FixedText<260>& line) {
    const std::uint8_t unlocked = readUmc(ports, kUmcUnlock, 0xC2);
    const std::uint8_t locked = readUmc(ports, kUmcLock, 0xC2);
    if (unlocked == 0xFF || locked != 0xFF) {
        return false;
    }
    if (readUmc(ports, kUmcUnlock, 0xC4) != 0xFF) {
        WriteSuperIoLine(line, "UMC 8663B", 0, kUmcIndex);
        return true;
    }
    const std::uint8_t reference = readUmc(ports, kUmcUnlock, 0xC0);
    for (std::uint32_t sample = 1; sample < kUmcSamples; ++sample) {
        if (readUmc(ports, kUmcUnlock, 0xC0) != reference) {
            WriteSuperIoLine(line, "UMC 8663A", 0, kUmcIndex);
            return true;
        }
    }
    WriteSuperIoLine(line, "UMC/ITE 8669", 0, kUmcIndex);
    return true;
}

struct IteAnswer {
    std::uint32_t id;
    std::uint8_t revision;
};

// Reads the id and revision, then leaves configuration mode (02h into
// configuration control register 02h) whether or not a chip answered.
IteAnswer readIteAndLeave(ConfigPorts& ports, std::uint32_t indexPort) {
    const std::uint8_t high = ports.readRegister(indexPort, 0x20);
    const std::uint8_t low = ports.readRegister(indexPort, 0x21);
    const std::uint8_t revision = ports.readRegister(indexPort, 0x22);
    ports.write(indexPort, 0x02);
    ports.write(indexPort + 1, 0x02);
    return {static_cast<std::uint32_t>(high) << 8 | low, revision};
}

bool probeIteViaPnpPort(ConfigPorts& ports, FixedText<260>& line) {
    for (const std::uint8_t key : kIteViaPnpKeys) {
        ports.writeEach(kPnpAddressPort, {0x86, key, 0x55, 0x55});
        for (const std::uint8_t byte : kIsaPnpInitiationKey) {
            ports.write(kIteViaPnpIndex, byte);
        }
        const IteAnswer answer = readIteAndLeave(ports, kIteViaPnpIndex);
        if (const char* name = NameForId(kIteViaPnpChips, answer.id)) {
            WriteSuperIoLine(line, name, answer.revision, kPnpAddressPort);
            return true;
        }
    }
    return false;
}

bool probeIteAt2E(ConfigPorts& ports, FixedText<260>& line) {
    if (!ports.mayProbe(kIteIndex)) {
        return false;
    }
    for (const std::uint8_t key : kIteKeys) {
        ports.writeEach(kIteIndex, {0x87, key, 0x55, 0x55});
        const IteAnswer answer = readIteAndLeave(ports, kIteIndex);
        if (const char* name = NameForId(kIteChips, answer.id)) {
            WriteSuperIoLine(line, name, answer.revision, kIteIndex);
            return true;
        }
    }
    return false;
}

}  // namespace

bool ProbeUmcIte(ConfigPorts& ports, FixedText<260>& line) {
    return probeUmc(ports, line) || probeIteViaPnpPort(ports, line) || probeIteAt2E(ports, line);
}

}  // namespace romwise
