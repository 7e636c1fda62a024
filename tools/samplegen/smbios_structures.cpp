#include "tools/samplegen/smbios_structures.h"

namespace romwise::samplegen {

StructureWriter BiosInformation(const SampleBoard& board) {
    StructureWriter s(0);
    s.String(board.biosVendor)
        .String(board.biosVersion)
        .Word(board.biosStartSegment)
        .String(board.biosReleaseDate)
        .Byte(board.romSizeCode)
        .Qword(board.biosCharacteristics)
        .Byte(board.biosCharacteristicsExtension);
    return s;
}

StructureWriter SystemInformation(const SampleBoard& board) {
    StructureWriter s(1);
    s.String(board.systemManufacturer)
        .String(board.systemProduct)
        .String(board.systemVersion)
        .String(board.systemSerial);
    for (std::uint8_t b : board.systemUuid) {
        s.Byte(b);
    }
    s.Byte(0x06);  // woken by the power switch
    return s;
}

StructureWriter BaseBoard(const SampleBoard& board) {
    StructureWriter s(2);
    s.String(board.boardManufacturer)
        .String(board.boardProduct)
        .String(board.boardVersion)
        .String(board.boardSerial);
    return s;
}

StructureWriter Processor(const SampleBoard& board) {
    StructureWriter s(4);
    s.String(board.socketDesignation)
        .Byte(0x03)  // central processor
        .Byte(board.processorFamily)
        .String(board.processorManufacturer)
        .Dword(board.processorSignature)
        .Dword(board.processorFeatures)
        .String(board.processorVersion)
        .Byte(board.processorVoltage)
        .Word(board.externalClockMhz)
        .Word(board.maxSpeedMhz)
        .Word(board.currentSpeedMhz)
        .Byte(0x41)  // socket populated, processor enabled
        .Byte(board.processorUpgrade)
        .Word(kNoHandle)  // no cache structures
        .Word(kNoHandle)
        .Word(kNoHandle)
        .String("")  // serial number, asset tag, part number
        .String("")
        .String("");
    return s;
}

}  // namespace romwise::samplegen
