#include "tests/dmi/crafted_smbios.h"

#include <algorithm>
#include <memory>
#include <numeric>

#include "dmi/little_endian.h"
#include "dmi/read_dmi.h"
#include "platform/sim/sim_physical_memory.h"

namespace romwise::dmi_test {

namespace {

// Writes a field that the crafted bytes already hold.
void Put(Bytes& bytes, std::size_t offset, std::uint64_t value, std::size_t width) {
    (void)bytes.at(offset + width - 1);  // throws for a field beyond them
    StoreLittleEndian(bytes, offset, value, width);
}

void PutDmiPart(Bytes& bytes, std::size_t at, const EntryPointFields& fields) {
    std::copy_n("_DMI_", 5, bytes.begin() + static_cast<std::ptrdiff_t>(at));
    Put(bytes, at + 0x06, fields.tableLength, 2);
    Put(bytes, at + 0x08, fields.tableAddress, 4);
    Put(bytes, at + 0x0C, fields.structureCount, 2);
    bytes[at + 0x0E] = static_cast<std::uint8_t>(fields.major << 4 | fields.minor);
    SetChecksum(bytes, at, 15, at + 0x05);
}

}  // namespace

CraftedStructure MakeStructure(std::uint8_t type, std::uint8_t length,
                               std::initializer_list<std::pair<std::size_t, std::uint8_t>> fields,
                               std::vector<std::string> strings) {
    CraftedStructure structure;
    structure.type = type;
    structure.formatted.assign(length, 0);
    for (const auto& [offset, value] : fields) {
        structure.formatted.at(offset) = value;
    }
    structure.strings = std::move(strings);
    return structure;
}

void PutWord(CraftedStructure& structure, std::size_t offset, std::uint16_t value) {
    Put(structure.formatted, offset, value, 2);
}

void PutDword(CraftedStructure& structure, std::size_t offset, std::uint32_t value) {
    Put(structure.formatted, offset, value, 4);
}

Bytes StructureBytes(const CraftedStructure& structure) {
    Bytes bytes = structure.formatted;
    bytes.resize(std::max<std::size_t>(bytes.size(), 4), 0);
    bytes[0] = structure.type;
    bytes[1] = structure.lengthByte >= 0 ? static_cast<std::uint8_t>(structure.lengthByte)
                                         : static_cast<std::uint8_t>(structure.formatted.size());
    for (const std::string& text : structure.strings) {
        bytes.insert(bytes.end(), text.begin(), text.end());
        bytes.push_back(0);
    }
    if (structure.strings.empty()) {
        bytes.push_back(0);
    }
    bytes.push_back(0);
    return bytes;
}

Table BuildTable(const std::vector<CraftedStructure>& structures) {
    Table table;
    for (const CraftedStructure& structure : structures) {
        const Bytes bytes = StructureBytes(structure);
        table.bytes.insert(table.bytes.end(), bytes.begin(), bytes.end());
        table.maxStructureSize = std::max<std::uint16_t>(table.maxStructureSize,
                                                         static_cast<std::uint16_t>(bytes.size()));
        ++table.count;
    }
    return table;
}

Bytes SmbiosEntryPoint(const EntryPointFields& fields) {
    Bytes bytes(0x1F, 0);
    std::copy_n("_SM_", 4, bytes.begin());
    bytes[0x05] = fields.entryLength;
    bytes[0x06] = fields.major;
    bytes[0x07] = fields.minor;
    Put(bytes, 0x08, fields.maxStructureSize, 2);
    PutDmiPart(bytes, 0x10, fields);
    SetChecksum(bytes, 0, std::min<std::size_t>(fields.entryLength, bytes.size()), 0x04);
    return bytes;
}

Bytes LegacyEntryPoint(const EntryPointFields& fields) {
    Bytes bytes(15, 0);
    PutDmiPart(bytes, 0, fields);
    return bytes;
}

Bytes Smbios3EntryPoint(std::uint8_t major, std::uint8_t minor, std::uint32_t maxSize,
                        std::uint64_t tableAddress) {
    Bytes bytes(0x18, 0);
    std::copy_n("_SM3_", 5, bytes.begin());
    bytes[0x06] = 0x18;
    bytes[0x07] = major;
    bytes[0x08] = minor;
    bytes[0x0A] = 1;  // entry point revision
    Put(bytes, 0x0C, maxSize, 4);
    Put(bytes, 0x10, tableAddress, 8);
    SetChecksum(bytes, 0, bytes.size(), 0x05);
    return bytes;
}

std::vector<sim::MemoryRegion> MachineWithTable(const Table& table, std::uint32_t tableAddress,
                                                std::uint32_t entryOffset) {
    EntryPointFields fields;
    fields.maxStructureSize = table.maxStructureSize;
    fields.tableLength = static_cast<std::uint16_t>(table.bytes.size());
    fields.tableAddress = tableAddress;
    fields.structureCount = table.count;
    return {sim::MemoryRegion{tableAddress, table.bytes},
            sim::MemoryRegion{0xF0000u + entryOffset, SmbiosEntryPoint(fields)}};
}

DmiReading ReadDmiFrom(const std::vector<sim::MemoryRegion>& memory, bool available,
                       FirmwareTables* firmwareTables) {
    const sim::SimPhysicalMemory physical(memory);
    auto window = std::make_unique<sim::SimPhysicalMemoryWindow>(physical, available);
    const sim::SimPhysicalMemoryWindow& seen = *window;

    DmiReading reading;
    reading.summary.manufacturer.assign(kKept);
    reading.summary.model.assign(kKept);
    reading.summary.biosVersion.assign(kKept);
    reading.summary.processorName.assign(kKept);
    reading.slots.capacity = kMemorySlotCapacity;

    DmiReader reader(std::move(window), firmwareTables);
    reading.found = ReadDmi(reader, reading.summary, reading.slots);
    reading.viewsLeft = seen.mappedViewCount();
    reading.windowLeftOpen = seen.isOpen();
    return reading;
}

DmiReading ReadDmiFrom(const std::vector<CraftedStructure>& structures) {
    return ReadDmiFrom(MachineWithTable(BuildTable(structures)));
}

}  // namespace romwise::dmi_test
