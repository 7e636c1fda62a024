#include "tools/samplegen/smbios_sample.h"

#include <stdexcept>

#include "tools/samplegen/smbios_structures.h"

namespace romwise::samplegen {

namespace {

constexpr std::uint16_t kDimmSdram = 0x0500;  // DIMM | SDRAM
constexpr std::uint16_t kUnknownType = 0x0002;
constexpr std::uint8_t kModuleNotInstalled = 0x7F;

// Memory Module Information keeps sizes as powers of two.
std::uint8_t ModuleSizeCode(std::uint32_t sizeMb) {
    if (sizeMb == 0) {
        return kModuleNotInstalled;
    }
    std::uint8_t code = 0;
    while ((1u << code) < sizeMb) {
        ++code;
    }
    if ((1u << code) != sizeMb) {
        throw std::invalid_argument("a memory module size must be a power of two");
    }
    return code;
}

// The memory controller lists the module structures that follow it.
void AddMemoryControllerAndModules(SmbiosTable& table, const SampleBoard& board) {
    StructureWriter controller(5);
    controller
        .Byte(0x03)  // error detection: none
        .Byte(0x04)  // error correction: none
        .Byte(0x03)  // one-way interleave supported
        .Byte(0x03)  // and in use
        .Byte(board.maxModuleSizeCode)
        .Word(0x0001)  // speeds: other
        .Word(kDimmSdram)
        .Byte(0x02)  // 3.3 V modules
        .Byte(static_cast<std::uint8_t>(board.memory.size()));
    const std::uint16_t firstModule = static_cast<std::uint16_t>(table.NextHandle() + 1);
    for (std::size_t i = 0; i < board.memory.size(); ++i) {
        controller.Word(static_cast<std::uint16_t>(firstModule + i));
    }
    controller.Byte(0x04);  // enabled error correction: none
    table.Add(controller);

    for (std::size_t i = 0; i < board.memory.size(); ++i) {
        const MemoryDevice& device = board.memory[i];
        const std::uint8_t rows = static_cast<std::uint8_t>((2 * i) & 0x0F);
        StructureWriter module(6);
        module.String(device.deviceLocator)
            .Byte(static_cast<std::uint8_t>((rows << 4) | (rows + 1)))
            .Byte(device.sizeMb != 0 ? 10 : 0)  // 10 ns
            .Word(device.sizeMb != 0 ? kDimmSdram : kUnknownType)
            .Byte(ModuleSizeCode(device.sizeMb))
            .Byte(ModuleSizeCode(device.sizeMb))
            .Byte(0x00);  // no errors
        table.Add(module);
    }
}

std::uint16_t AddMemoryArray(SmbiosTable& table, const SampleBoard& board) {
    StructureWriter s(16);
    s.Byte(0x03)     // on the system board
        .Byte(0x03)  // system memory
        .Byte(0x03)  // no error correction
        .Dword(static_cast<std::uint32_t>(board.maxCapacityKb))
        .Word(kNotProvided)
        .Word(static_cast<std::uint16_t>(board.memory.size()));
    return table.Add(s);
}

void AddMemoryDevices(SmbiosTable& table, const SampleBoard& board, std::uint16_t array) {
    for (const MemoryDevice& device : board.memory) {
        const bool present = device.sizeMb != 0;
        StructureWriter s(17);
        s.Word(array)
            .Word(kNotProvided)
            .Word(64)  // total width
            .Word(64)  // data width
            .Word(static_cast<std::uint16_t>(device.sizeMb))
            .Byte(0x09)  // DIMM
            .Byte(0x00)  // no device set
            .String(device.deviceLocator)
            .String(device.bankLocator)
            .Byte(present ? 0x0F : 0x02)      // SDRAM or unknown
            .Word(present ? 0x0080 : 0x0002)  // synchronous or unknown
            .Word(present ? 100 : 0)          // MHz
            .String("")                       // manufacturer, serial number, asset tag, part number
            .String("")
            .String("")
            .String("");
        table.Add(s);
    }
}

}  // namespace

Bytes BuildSmbiosDump(const SampleBoard& board) {
    SmbiosTable table;
    table.Add(BiosInformation(board));
    table.Add(SystemInformation(board));
    table.Add(BaseBoard(board));
    table.Add(Processor(board));
    AddMemoryControllerAndModules(table, board);
    const std::uint16_t array = AddMemoryArray(table, board);
    AddMemoryDevices(table, board, array);
    table.Add(StructureWriter(127));
    return table.DumpBin(kSampleSmbiosMajor, kSampleSmbiosMinor);
}

}  // namespace romwise::samplegen
