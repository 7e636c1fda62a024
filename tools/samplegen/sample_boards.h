// The boards behind the sample SMBIOS dumps: every text and number the
// structures carry, kept as data so that tests can check a decode against
// the same values.
#pragma once

#include <array>
#include <cstdint>
#include <span>
#include <string_view>

namespace romwise::samplegen {

struct MemoryDevice {
    std::string_view deviceLocator;
    std::string_view bankLocator;
    std::uint32_t sizeMb;  // 0: empty socket
};

struct SampleBoard {
    // BIOS Information (type 0)
    std::string_view biosVendor;
    std::string_view biosVersion;
    std::string_view biosReleaseDate;
    std::uint16_t biosStartSegment;
    std::uint8_t romSizeCode;  // ROM size in 64 KiB units, minus 1
    std::uint64_t biosCharacteristics;
    std::uint8_t biosCharacteristicsExtension;
    // System Information (type 1)
    std::string_view systemManufacturer;
    std::string_view systemProduct;
    std::string_view systemVersion;
    std::string_view systemSerial;
    std::array<std::uint8_t, 16> systemUuid;
    // Base Board Information (type 2)
    std::string_view boardManufacturer;
    std::string_view boardProduct;
    std::string_view boardVersion;
    std::string_view boardSerial;
    // Processor Information (type 4)
    std::string_view socketDesignation;
    std::uint8_t processorFamily;
    std::string_view processorManufacturer;
    std::uint32_t processorSignature;  // CPUID leaf 1 EAX
    std::uint32_t processorFeatures;   // CPUID leaf 1 EDX
    std::string_view processorVersion;
    std::uint8_t processorVoltage;  // bit 7 set: the rest is volts x 10
    std::uint16_t externalClockMhz;
    std::uint16_t maxSpeedMhz;
    std::uint16_t currentSpeedMhz;
    std::uint8_t processorUpgrade;
    // Memory Controller Information (type 5) and Physical Memory Array (type 16)
    std::uint8_t maxModuleSizeCode;  // 2^n MB per module
    std::uint64_t maxCapacityKb;
    // Memory Device (type 17), one per socket, in table order
    std::span<const MemoryDevice> memory;
};

// BIOS characteristics bits of the standard.
namespace bios_bits {
inline constexpr std::uint64_t kIsa = 1ull << 4;
inline constexpr std::uint64_t kPci = 1ull << 7;
inline constexpr std::uint64_t kPlugAndPlay = 1ull << 9;
inline constexpr std::uint64_t kApm = 1ull << 10;
inline constexpr std::uint64_t kFlashUpgradeable = 1ull << 11;
inline constexpr std::uint64_t kShadowing = 1ull << 12;
inline constexpr std::uint64_t kBootFromCd = 1ull << 15;
inline constexpr std::uint64_t kSelectableBoot = 1ull << 16;
inline constexpr std::uint64_t kSocketedRom = 1ull << 17;
inline constexpr std::uint64_t kEdd = 1ull << 19;
inline constexpr std::uint64_t kFloppy720 = 1ull << 24;
inline constexpr std::uint64_t kPrintScreen = 1ull << 26;
inline constexpr std::uint64_t kKeyboard8042 = 1ull << 27;
inline constexpr std::uint64_t kSerial = 1ull << 28;
inline constexpr std::uint64_t kPrinter = 1ull << 29;
inline constexpr std::uint64_t kCga = 1ull << 30;
}  // namespace bios_bits

inline constexpr std::uint64_t kAwardPgCharacteristics =
    bios_bits::kIsa | bios_bits::kPci | bios_bits::kPlugAndPlay | bios_bits::kApm |
    bios_bits::kFlashUpgradeable | bios_bits::kShadowing | bios_bits::kBootFromCd |
    bios_bits::kSelectableBoot | bios_bits::kSocketedRom | bios_bits::kEdd | bios_bits::kFloppy720 |
    bios_bits::kPrintScreen | bios_bits::kKeyboard8042 | bios_bits::kSerial | bios_bits::kPrinter |
    bios_bits::kCga;

inline constexpr std::uint8_t kFamilyPentiumIII = 0x11;
inline constexpr std::uint8_t kUpgradeSlot1 = 0x08;

inline constexpr MemoryDevice kQb440bxMemory[] = {
    {"DIMM0", "BANK0", 128},
    {"DIMM1", "BANK1", 256},
    {"DIMM2", "BANK2", 0},
};

inline constexpr SampleBoard kQb440bx = {
    .biosVendor = "Award Software International, Inc.",
    .biosVersion = "QB-440BX ACPI BIOS Revision 1014",
    .biosReleaseDate = "11/03/99",
    .biosStartSegment = 0xE000,
    .romSizeCode = 0x03,  // 256 KiB flash
    .biosCharacteristics = kAwardPgCharacteristics,
    .biosCharacteristicsExtension = 0x03,  // ACPI, USB legacy
    .systemManufacturer = "  System Manufacturer",
    .systemProduct = "System Name",
    .systemVersion = "System Version",
    .systemSerial = "SYS-1234567890",
    .systemUuid = {0x5A, 0x11, 0x0C, 0x4B, 0x2E, 0x93, 0x4D, 0x10, 0x8F, 0x62, 0x44, 0x0B, 0x7A,
                   0x19, 0x99, 0x03},
    .boardManufacturer = "Quokka Boards Inc.",
    .boardProduct = "QB-440BX",
    .boardVersion = "REV 1.04",
    .boardSerial = "QB9911-004217",
    .socketDesignation = "SLOT 1",
    .processorFamily = kFamilyPentiumIII,
    .processorManufacturer = "Intel",
    .processorSignature = 0x00000673,
    .processorFeatures = 0x0387FBFF,
    .processorVersion = "Intel(R) Pentium(R) III processor",
    .processorVoltage = 0x80 | 20,  // 2.0 V
    .externalClockMhz = 100,
    .maxSpeedMhz = 600,
    .currentSpeedMhz = 500,
    .processorUpgrade = kUpgradeSlot1,
    .maxModuleSizeCode = 8,       // 256 MB modules
    .maxCapacityKb = 0x000C0000,  // 3 x 256 MB
    .memory = kQb440bxMemory,
};

// A memory-riser server board with one socket more than the slot table of
// the results record holds.
inline constexpr MemoryDevice kQbRiserMemory[] = {
    {"DIMM_A1", "RISER_A", 256}, {"DIMM_A2", "RISER_A", 256}, {"DIMM_A3", "RISER_A", 256},
    {"DIMM_A4", "RISER_A", 256}, {"DIMM_A5", "RISER_A", 0},   {"DIMM_A6", "RISER_A", 256},
    {"DIMM_A7", "RISER_A", 256}, {"DIMM_A8", "RISER_A", 256}, {"DIMM_B1", "RISER_B", 256},
    {"DIMM_B2", "RISER_B", 256}, {"DIMM_B3", "RISER_B", 256}, {"DIMM_B4", "RISER_B", 0},
    {"DIMM_B5", "RISER_B", 256}, {"DIMM_B6", "RISER_B", 256}, {"DIMM_B7", "RISER_B", 256},
    {"DIMM_B8", "RISER_B", 256}, {"DIMM_C1", "RISER_C", 512},
};

inline constexpr SampleBoard kQbRiser = {
    .biosVendor = "Award Software International, Inc.",
    .biosVersion = "QB-440GX-R17 ACPI BIOS Revision 1003",
    .biosReleaseDate = "11/03/99",
    .biosStartSegment = 0xE000,
    .romSizeCode = 0x03,
    .biosCharacteristics = kAwardPgCharacteristics,
    .biosCharacteristicsExtension = 0x03,
    .systemManufacturer = "Quokka Boards Inc.",
    .systemProduct = "QuokkaServer 17",
    .systemVersion = "1.0",
    .systemSerial = "QS17-000311",
    .systemUuid = {0x5A, 0x11, 0x0C, 0x4B, 0x2E, 0x93, 0x4D, 0x10, 0x8F, 0x62, 0x44, 0x0B, 0x7A,
                   0x19, 0x99, 0x17},
    .boardManufacturer = "Quokka Boards Inc.",
    .boardProduct = "QB-440GX-R17",
    .boardVersion = "REV 1.00",
    .boardSerial = "QB9911-017003",
    .socketDesignation = "SLOT 1",
    .processorFamily = kFamilyPentiumIII,
    .processorManufacturer = "Intel",
    .processorSignature = 0x00000673,
    .processorFeatures = 0x0387FBFF,
    .processorVersion = "Intel(R) Pentium(R) III processor",
    .processorVoltage = 0x80 | 20,
    .externalClockMhz = 100,
    .maxSpeedMhz = 600,
    .currentSpeedMhz = 500,
    .processorUpgrade = kUpgradeSlot1,
    .maxModuleSizeCode = 9,       // 512 MB modules
    .maxCapacityKb = 0x00880000,  // 17 x 512 MB
    .memory = kQbRiserMemory,
};

// A server of today: SMBIOS 3.3 behind a 64-bit "_SM3_" entry point only,
// memory devices of 32 GB and 64 GB (sizes in Extended Size), and a memory
// array that takes 3 TB (in Extended Maximum Capacity).
inline constexpr std::uint8_t kFamilyXeon = 0xB3;
inline constexpr std::uint8_t kUpgradeSocketLga3647 = 0x36;

inline constexpr MemoryDevice kQs3000Memory[] = {
    {"DIMM_A1", "NODE 0", 32768},
    {"DIMM_B1", "NODE 0", 65536},
    {"DIMM_C1", "NODE 0", 32768},
    {"DIMM_D1", "NODE 0", 0},
};

inline constexpr SampleBoard kQs3000 = {
    .biosVendor = "Quokka Systems",
    .biosVersion = "QS3000.2.14",
    .biosReleaseDate = "06/12/2023",
    .biosStartSegment = 0xF000,
    .romSizeCode = 0xFF,  // 16 MiB and more: the 3.1 Extended BIOS ROM Size holds it
    .biosCharacteristics = bios_bits::kPci | bios_bits::kPlugAndPlay |
                           bios_bits::kFlashUpgradeable | bios_bits::kShadowing |
                           bios_bits::kBootFromCd | bios_bits::kSelectableBoot | bios_bits::kEdd,
    .biosCharacteristicsExtension = 0x03,
    .systemManufacturer = "Quokka Systems",
    .systemProduct = "QuokkaServer 3000",
    .systemVersion = "2.0",
    .systemSerial = "QS3K-220918",
    .systemUuid = {0x5A, 0x11, 0x0C, 0x4B, 0x2E, 0x93, 0x4D, 0x10, 0x8F, 0x62, 0x44, 0x0B, 0x7A,
                   0x19, 0x30, 0x00},
    .boardManufacturer = "Quokka Systems",
    .boardProduct = "QS-3000-MB",
    .boardVersion = "REV 2.00",
    .boardSerial = "QS3K-MB-004711",
    .socketDesignation = "CPU0",
    .processorFamily = kFamilyXeon,
    .processorManufacturer = "Intel(R) Corporation",
    .processorSignature = 0x00050657,
    .processorFeatures = 0xBFEBFBFF,
    .processorVersion = "Intel(R) Xeon(R) Gold 6230 CPU @ 2.10GHz",
    .processorVoltage = 0x80 | 16,  // 1.6 V
    .externalClockMhz = 100,
    .maxSpeedMhz = 4000,
    .currentSpeedMhz = 2100,
    .processorUpgrade = kUpgradeSocketLga3647,
    .maxModuleSizeCode = 0,
    .maxCapacityKb = 3ull << 30,  // 3 TB
    .memory = kQs3000Memory,
};

}  // namespace romwise::samplegen
