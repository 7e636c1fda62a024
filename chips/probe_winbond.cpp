// Winbond: older parts opened with one of four keys at 250h or 3F0h and named
// by register 09h; newer parts opened with 87h 87h and named by device id.
#include "chips/id_name.h"
#include "chips/superio_probes.h"

namespace romwise {

namespace {

constexpr std::uint8_t kLeave = 0xAA;

struct OldPartAttempt {
    std::uint8_t key;
    std::uint32_t port;
    bool twice;  // the key is written twice at 3F0h, once at 250h
};

constexpr OldPartAttempt kOldPartAttempts[] = {
    {0x89, 0x250, false},
    {0x88, 0x250, false},
    {0x87, 0x3F0, true},
    {0x86, 0x3F0, true},
};

// By the low nibble of register 09h.
constexpr IdName kOldParts[] = {
    {0x7, "777"},   {0x8, "787"},   {0x9, "787IF"},  {0xA, "877F"},
    {0xB, "877AF"}, {0xC, "877TF"}, {0xD, "877ATF"},
};

constexpr std::uint32_t kNewPartPorts[] = {0x2E, 0x4E, 0x370, 0x3F0};

// By the upper 12 bits of the device id; the revision is its low nibble.
constexpr IdName kNewPartFamilies[] = {
    {0x521, "Winbond 627F/HF"},
    {0x527, "Winbond 977CTF"},
    {0x52F, "Winbond 977EF"},
    {0x601, "Winbond 697HF"},
};

// By the whole device id; revision 0.
constexpr IdName kNewParts[] = {
    {0x9671, "Winbond 967F/AF"},
    {0x9771, "Winbond 977F/AF"},
    {0x9773, "Winbond 977TF"},
    {0x9774, "Winbond 977ATF"},
};

std::uint8_t readOldPart(ConfigPorts& ports, const OldPartAttempt& attempt) {
    if (!attempt.twice) {
        ports.write(attempt.port, attempt.key);
        ports.write(attempt.port + 1, 0x09);
        const std::uint8_t value = ports.read(attempt.port + 2);
        ports.write(attempt.port, kLeave);
        return value;
    }
    ports.writeEach(attempt.port, {attempt.key, attempt.key});
    const std::uint8_t value = ports.readRegister(attempt.port, 0x09);
    ports.write(attempt.port, kLeave);
    return value;
}

bool probeOldParts(ConfigPorts& ports, FixedText<260>& line) {
    for (const OldPartAttempt& attempt : kOldPartAttempts) {
        const std::uint8_t value = readOldPart(ports, attempt);
        if (const char* model = NameForId(kOldParts, value & 0x0F)) {
            FixedText<32> name;
            name.format("Winbond %s (use 8%dh)", model, attempt.key - 0x80);
            WriteSuperIoLine(line, name.c_str(), 0, attempt.port);
            return true;
        }
    }
    return false;
}

bool probeNewParts(ConfigPorts& ports, FixedText<260>& line) {
    for (const std::uint32_t port : kNewPartPorts) {
        if (!ports.mayProbe(port)) {
            continue;
        }
        ports.writeEach(port, {0x87, 0x87});
        const std::uint8_t high = ports.readRegister(port, 0x20);
        const std::uint8_t low = ports.readRegister(port, 0x21);
        ports.write(port, kLeave);
        const std::uint32_t id = static_cast<std::uint32_t>(high) << 8 | low;
        if (const char* name = NameForId(kNewPartFamilies, id >> 4)) {
            WriteSuperIoLine(line, name, low & 0x0F, port);
            return true;
        }
        if (const char* name = NameForId(kNewParts, id)) {
            WriteSuperIoLine(line, name, 0, port);
            return true;
        }
    }
    return false;
}

}  // namespace

bool ProbeWinbond(ConfigPorts& ports, FixedText<260>& line) {
    return probeOldParts(ports, line) || probeNewParts(ports, line);
}

}  // namespace romwise
