// A stand-in for the outside package's TVicHW32.dll, for the tests only (the
// program never ships the real one). It reads the driver record by the
// documented byte offsets, not through the program's own structure, and keeps
// what it saw for the tests to check.
#include <windows.h>

#include <cstdint>
#include <cstring>

namespace {

constexpr std::size_t kRecordSize = 0x330;
// A byte of the library's own area that the library writes and the program
// must leave alone.
constexpr std::size_t kLibraryByte = 0x100;
constexpr unsigned char kLibraryMark = 0x5A;

unsigned char physicalMemory[0x20000];

}  // namespace

extern "C" {

__declspec(dllexport) unsigned char lastRecord[kRecordSize];
__declspec(dllexport) void* lastRecordAddress = nullptr;
__declspec(dllexport) int activeAnswer = 1;
__declspec(dllexport) int mapCalls = 0;
__declspec(dllexport) int libraryAreaTouched = 0;

__declspec(dllexport) BOOL WINAPI GetActiveHW(unsigned char* record) {
    std::memcpy(lastRecord, record, kRecordSize);
    lastRecordAddress = record;
    record[kLibraryByte] = kLibraryMark;
    return activeAnswer;
}

__declspec(dllexport) void* WINAPI
    MapPhysToLinear(unsigned char* record, DWORD address, DWORD length) {
    ++mapCalls;
    std::memcpy(lastRecord, record, kRecordSize);
    if (lastRecordAddress != nullptr &&
        (record != lastRecordAddress || record[kLibraryByte] != kLibraryMark)) {
        libraryAreaTouched = 1;
    }
    lastRecordAddress = record;
    // The physical range E0000h-FFFFFh, each byte its address's low byte.
    if (address < 0xE0000 || address + length > 0x100000 || length == 0) {
        return nullptr;
    }
    for (DWORD i = 0; i < length; ++i) {
        physicalMemory[address - 0xE0000 + i] = static_cast<unsigned char>(address + i);
    }
    return physicalMemory + (address - 0xE0000);
}

}  // extern "C"
