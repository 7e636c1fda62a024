// SMC at the standard configuration ports, named by register 0Dh or 20h; at
// 3F0h a chip that neither names is tested for a C&T 82C735.
#include "chips/id_name.h"
#include "chips/superio_probes.h"

namespace romwise {

namespace {

constexpr std::uint32_t kPorts[] = {0x2E, 0x4E, 0x370, 0x3F0};
constexpr std::uint32_t kChipsAndTechnologiesPort = 0x3F0;
constexpr std::uint8_t kEnter = 0x55;
constexpr std::uint8_t kLeave = 0xAA;

// By register 0Dh; the revision is register 0Eh.
constexpr IdName kRegister0DChips[] = {
    {0x03, "SMC 669"}, {0x04, "SMC 669FR"}, {0x22, "SMC 92x"}, {0x28, "SMC 769"}, {0x29, "SMC 869"},
};

// By register 20h; the revision is register 21h.
constexpr IdName kRegister20Chips[] = {
    {0x01, "SMC 667"},       {0x02, "SMC 93x"},        {0x03, "SMC 93xFR"},
    {0x07, "SMC 957FR"},     {0x09, "SMC 958FR"},      {0x30, "SMC 93xAPM"},
    {0x40, "SMC 67x"},       {0x42, "SMC 70x or 80x"}, {0x43, "SMC 77x"},
    {0x44, "SMC 78x"},       {0x46, "SMC 602"},        {0x47, "SMC 60x"},
    {0x4C, "SMC 72x"},       {0x51, "SMC LPC47B27x"},  {0x52, "SMC LPC47B37x"},
    {0x54, "SMC LPC47U33x"}, {0x56, "SMC LPC47B34x"},  {0x57, "SMC LPC47S42x"},
    {0x58, "SMC LPC47U32x"}, {0x59, "SMC LPC47M10x"},
};

struct Identified {
    FixedText<40> name;
    unsigned revision = 0;
};

bool nameByRegister0D(ConfigPorts& ports, std::uint32_t port, Identified& chip) {
    const std::uint8_t id = ports.readRegister(port, 0x0D);
    const std::uint8_t revision = ports.readRegister(port, 0x0E);
    if (const char* name = NameForId(kRegister0DChips, id)) {
        chip.name.assign(name);
        chip.revision = revision;
        return true;
    }
    if (id == 0x65 || id == 0x66) {
        // Bit 7 of the revision tells the IR part from the GT part.
        chip.name.format("SMC 6%x%s", id, (revision & 0x80) != 0 ? "IR" : "GT");
        chip.revision = revision & 0x7F;
        return true;
    }
    return false;
}

bool nameByRegister20(ConfigPorts& ports, std::uint32_t port, Identified& chip) {
    const std::uint8_t id = ports.readRegister(port, 0x20);
    const std::uint8_t revision = ports.readRegister(port, 0x21);
    if (const char* name = NameForId(kRegister20Chips, id)) {
        chip.name.assign(name);
        chip.revision = revision;
        return true;
    }
    return false;
}

// Register 03h of a C&T 82C735 has its low three bits clear while the chip is
// open and reads FFh once AAh has closed it.
bool isChipsAndTechnologies(ConfigPorts& ports, Identified& chip) {
    const std::uint8_t open = ports.readRegister(kChipsAndTechnologiesPort, 0x03);
    ports.write(kChipsAndTechnologiesPort, kLeave);
    const std::uint8_t closed = ports.readRegister(kChipsAndTechnologiesPort, 0x03);
    if ((open & 0x07) == 0 && closed == 0xFF) {
        chip.name.assign("C&T 82C735 or SMC 661/663/664");
        chip.revision = 0;
        return true;
    }
    return false;
}

}  // namespace

bool ProbeSmc(ConfigPorts& ports, FixedText<260>& line) {
    for (const std::uint32_t port : kPorts) {
        if (!ports.mayProbe(port)) {
            continue;
        }
        ports.writeEach(port, {kEnter, kEnter});
        Identified chip;
        const bool named =
            nameByRegister0D(ports, port, chip) || nameByRegister20(ports, port, chip) ||
            (port == kChipsAndTechnologiesPort && isChipsAndTechnologies(ports, chip));
        ports.write(port, kLeave);
        if (named) {
            WriteSuperIoLine(line, chip.name.c_str(), chip.revision, port);
            return true;
        }
    }
    return false;
}

}  // namespace romwise
