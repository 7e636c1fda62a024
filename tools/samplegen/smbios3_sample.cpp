#include "tools/samplegen/smbios3_sample.h"

#include "tools/samplegen/smbios_structures.h"

namespace romwise::samplegen {

namespace {

// Sizes that no longer fit the old fields say so and move to the extended
// ones: 7FFFh for a Memory Device of 32 GB and more, 80000000h KB for a
// memory array of 2 TB and more.
constexpr std::uint32_t kDeviceSizeInExtended = 0x7FFF;
constexpr std::uint32_t kArrayCapacityInExtended = 0x80000000u;

void AddBiosInformation(SmbiosTable& table, const SampleBoard& board) {
    StructureWriter s = BiosInformation(board);
    s.Byte(0x0C)  // UEFI, virtual machine not
        .Byte(2)  // BIOS release 2.14
        .Byte(14)
        .Byte(0xFF)  // no embedded controller
        .Byte(0xFF)
        .Word(0x0020);  // extended ROM size: 32 MB
    table.Add(s);
}

void AddSystemInformation(SmbiosTable& table, const SampleBoard& board) {
    StructureWriter s = SystemInformation(board);
    s.String("QS3K-SKU").String("QuokkaServer");
    table.Add(s);
}

void AddBaseBoard(SmbiosTable& table, const SampleBoard& board) {
    StructureWriter s = BaseBoard(board);
    s.String("")              // asset tag
        .Byte(0x09)           // a hosting board, replaceable
        .String("Baseboard")  // location in chassis
        .Word(kNoHandle)      // no chassis structure
        .Byte(0x0A)           // motherboard
        .Byte(0);             // no contained objects
    table.Add(s);
}

void AddProcessor(SmbiosTable& table, const SampleBoard& board) {
    StructureWriter s = Processor(board);
    s.Byte(20)                        // cores
        .Byte(20)                     // enabled cores
        .Byte(40)                     // threads
        .Word(0x00FC)                 // 64-bit, multi-core, hardware threads, execute protection
        .Word(board.processorFamily)  // family 2
        .Word(20)                     // core count 2
        .Word(20)
        .Word(40);
    table.Add(s);
}

std::uint16_t AddMemoryArray(SmbiosTable& table, const SampleBoard& board) {
    const bool extended = board.maxCapacityKb >= kArrayCapacityInExtended;
    StructureWriter s(16);
    s.Byte(0x03)     // on the system board
        .Byte(0x03)  // system memory
        .Byte(0x06)  // multi-bit ECC
        .Dword(extended ? kArrayCapacityInExtended
                        : static_cast<std::uint32_t>(board.maxCapacityKb))
        .Word(kNotProvided)
        .Word(static_cast<std::uint16_t>(board.memory.size()))
        .Qword(extended ? board.maxCapacityKb * 1024 : 0);
    return table.Add(s);
}

void AddMemoryDevices(SmbiosTable& table, const SampleBoard& board, std::uint16_t array) {
    for (const MemoryDevice& device : board.memory) {
        const bool present = device.sizeMb != 0;
        const bool extended = device.sizeMb >= kDeviceSizeInExtended;
        StructureWriter s(17);
        s.Word(array)
            .Word(kNotProvided)
            .Word(72)  // total width, with ECC
            .Word(64)  // data width
            .Word(static_cast<std::uint16_t>(extended ? kDeviceSizeInExtended : device.sizeMb))
            .Byte(0x09)  // DIMM
            .Byte(0x00)  // no device set
            .String(device.deviceLocator)
            .String(device.bankLocator)
            .Byte(present ? 0x1A : 0x02)      // DDR4 or unknown
            .Word(present ? 0x2080 : 0x0002)  // synchronous, registered
            .Word(present ? 2933 : 0)         // MT/s
            .String(present ? "Quokka Memory" : "")
            .String("")
            .String("")
            .String(present ? "QM4R32G2933" : "")
            .Byte(present ? 2 : 0)  // ranks
            .Dword(extended ? device.sizeMb : 0)
            .Word(present ? 2933 : 0)  // configured speed
            .Word(present ? 1200 : 0)  // minimum, maximum, configured voltage (mV)
            .Word(present ? 1200 : 0)
            .Word(present ? 1200 : 0);
        table.Add(s);
    }
}

}  // namespace

Bytes BuildSmbios3Dump(const SampleBoard& board) {
    SmbiosTable table;
    AddBiosInformation(table, board);
    AddSystemInformation(table, board);
    AddBaseBoard(table, board);
    AddProcessor(table, board);
    const std::uint16_t array = AddMemoryArray(table, board);
    AddMemoryDevices(table, board, array);
    table.Add(StructureWriter(127));
    return table.DumpBin3(kSample3SmbiosMajor, kSample3SmbiosMinor, 0);
}

}  // namespace romwise::samplegen
