// The chipset vendors and models that chipset identification names, as data.
#pragma once

#include <cstdint>

namespace romwise::chipset_tables {

struct Vendor {
    std::uint16_t vendorId;
    const char* pattern;  // printf format taking the device id as unsigned
    const char* word;     // the vendor's word; a model text replaces what follows it
};

inline constexpr Vendor kVendors[] = {
    {0x1004, "VLSI %X", "VLSI "},   {0x1022, "AMD %X", "AMD "},  {0x1039, "SiS %X", "SiS "},
    {0x1045, "OPTi 82%X", "OPTi "}, {0x10B9, "ALi M%X", "ALi "}, {0x1106, "VIA 82C%X", "VIA "},
    {0x8086, "Intel %X", "Intel "},
};

// A device id formatted as another one (SiS 0406h reads as SiS 501).
struct DeviceIdReplacement {
    std::uint16_t vendorId;
    std::uint16_t deviceId;
    std::uint16_t formattedAs;
};

inline constexpr DeviceIdReplacement kDeviceIdReplacements[] = {
    {0x1039, 0x0002, 0x6202},
    {0x1039, 0x0205, 0x6205},
    {0x1039, 0x0406, 0x0501},
    {0x1106, 0x1571, 0x0416},
};

// A model text that replaces everything after the vendor's word.
struct Model {
    std::uint16_t vendorId;
    std::uint16_t deviceId;
    const char* text;
};

inline constexpr Model kModels[] = {
    {0x1004, 0x0005, "VL82C591"},
    {0x1004, 0x0007, "VL82C594"},
    {0x1004, 0x000C, "VL82C541"},
    {0x1004, 0x000D, "VL82C543"},
    {0x1022, 0x7006, "751"},
    {0x8086, 0x04A3, "Neptune 430NX/LX"},
    {0x8086, 0x122D, "Triton 430FX"},
    {0x8086, 0x1235, "Triton 430MX"},
    {0x8086, 0x1237, "Natoma 440FX"},
    {0x8086, 0x1250, "Triton 430HX"},
    {0x8086, 0x1A21, "Carmel 82840"},
    {0x8086, 0x2500, "Camino 82820"},
    {0x8086, 0x7030, "Triton 430VX"},
    {0x8086, 0x7100, "Triton 430TX"},
    {0x8086, 0x7120, "Whitney 82810"},
    {0x8086, 0x7122, "Whitney 82810-DC100"},
    {0x8086, 0x7124, "Whitney 82810E"},
    {0x8086, 0x7180, "440EX/LX"},
    {0x8086, 0x7190, "440BX/ZX"},
    {0x8086, 0x7192, "440BX/ZX"},
    {0x8086, 0x71A0, "440GX"},
    {0x8086, 0x71A2, "440GX"},
    {0x8086, 0x84C4, "Orion 450GX/KX"},
    {0x8086, 0x84CA, "450NX"},
};

// A device whose whole name is not its vendor's (a VIA id that is an AMD part).
struct WholeName {
    std::uint16_t vendorId;
    std::uint16_t deviceId;
    const char* name;
};

inline constexpr WholeName kWholeNames[] = {
    {0x1106, 0x1595, "AMD 640"},
};

// Chipsets on which ports 2Eh and 4Eh must not be probed.
struct DeviceKey {
    std::uint16_t vendorId;
    std::uint16_t deviceId;
};

inline constexpr DeviceKey kSkipPorts2E4E[] = {
    {0x1004, 0x0005},
    {0x1106, 0x0576},
    {0x1106, 0x0585},
};

}  // namespace romwise::chipset_tables
