// The hardware-access driver record as the outside package's DLL
// (TVicHW32.dll) reads it: 330h bytes, little-endian, the program's fields at
// fixed offsets and everything else the library's own. The program zeroes the
// library's areas once and never touches them again; the record stays at one
// address for as long as the library may use it.
#pragma once

#include <cstddef>
#include <cstdint>

#include "hw/driver_opening.h"

namespace romwise {

struct TvicDriverRecord {
    std::int32_t deviceHandle = -1;                // 00h: -1 when not open
    std::uint8_t libraryArea0[0x24] = {};          // 04h
    std::uint32_t isWin9x = 0;                     // 28h: 0 or 1
    std::uint8_t libraryArea1[0x20] = {};          // 2Ch
    std::uint32_t openedDirectly = 0;              // 4Ch
    std::uint8_t libraryArea2[0x04] = {};          // 50h
    std::uint32_t serviceManager = 0;              // 54h
    char serviceName[12] = {};                     // 58h: at most 11 characters and a NUL
    std::uint8_t libraryArea3[0x330 - 0x64] = {};  // 64h
};

static_assert(sizeof(TvicDriverRecord) == 0x330);
static_assert(offsetof(TvicDriverRecord, deviceHandle) == 0x00);
static_assert(offsetof(TvicDriverRecord, isWin9x) == 0x28);
static_assert(offsetof(TvicDriverRecord, openedDirectly) == 0x4C);
static_assert(offsetof(TvicDriverRecord, serviceManager) == 0x54);
static_assert(offsetof(TvicDriverRecord, serviceName) == 0x58);

// The record for a device the opening steps opened. Handles go in as their
// low 32 bits: the record is the 32-bit program's layout, and Windows keeps
// kernel handles (the device's) within 32 bits also for 64-bit processes.
// The service manager is open only inside the service route, so by the time
// the library sees the record it is 0. A service name longer than 11
// characters is cut there.
TvicDriverRecord makeTvicDriverRecord(const DriverRecord& record);

}  // namespace romwise
