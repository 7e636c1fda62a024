// The processor as its identification instruction describes it: maker,
// signature, feature flags, cache sizes, a display name and the clock.
#pragma once

#include <cstdint>
#include <memory>

#include "cpu/cpu_vendor.h"
#include "cpu/processor_access.h"
#include "model/fixed_text.h"

namespace romwise {

// The brand string has 48 characters; the longest model-table name has 58.
inline constexpr std::size_t kCpuNameCapacity = 64;
inline constexpr std::size_t kBrandStringLength = 48;

struct ClockMeasurement {
    std::uint32_t mhz = 0;  // the measured clock in whole MHz
};

// One identification of the processor. The record starts empty (texts empty,
// flags false, numbers 0, cache sizes -1, no clock, an unknown maker) and
// `identifyProcessor` fills what the processor answers; a processor without
// the identification instruction leaves it so.
class CpuInfo {
  public:
    explicit CpuInfo(ProcessorAccess& processor) : processor_(processor) {}

    // Runs every step in its fixed order; each fault ends only its own step.
    void identifyProcessor();
    const char* displayName() const { return name.c_str(); }
    // The measured clock in MHz, or -1 when no clock was measured.
    std::int32_t measuredMhz() const;

    // The steps of `identifyProcessor`, each reporting whether it succeeded.
    bool hasCpuid();
    bool readVendorAndSignature();
    bool readStandardFeatures();
    bool extendedLeafAvailable(std::uint32_t leaf);
    bool readExtendedCaches();
    bool readCacheDescriptors();
    bool readExtendedFeatures();
    bool readBrandString();
    bool readSerialNumber();

    ProcessorAccess& processor() { return processor_; }

    CpuVendor vendor = CpuVendor::UnknownVendor;
    bool hasFpu = false;
    bool hasTsc = false;
    bool hasMmx = false;
    bool hasSse = false;
    bool sseUsable = false;
    bool hasSse2 = false;
    bool isIa64 = false;
    bool hasApic = false;
    bool hasCmov = false;
    bool hasMtrr = false;
    bool hasAcpi = false;
    bool hasSerialNumber = false;
    bool hasThermalMonitor = false;
    std::uint32_t estimatedMhz = 0;
    std::int32_t l1CacheKb = -1;
    std::int32_t l2CacheKb = -1;
    std::int32_t l3CacheKb = -1;
    bool has3dNow = false;
    bool has3dNowExt = false;
    bool isMpCapable = false;
    bool hasVendorMmxExt = false;
    bool hasAmdMmxExt = false;
    bool hasHyperThreading = false;
    std::uint32_t logicalProcessors = 0;
    std::uint32_t apicId = 0;
    std::unique_ptr<ClockMeasurement> clock;
    std::int32_t processorType = 0;
    std::int32_t family = 0;
    std::int32_t model = 0;
    std::int32_t stepping = 0;
    std::int32_t extendedFamily = 0;
    std::int32_t extendedModel = 0;
    FixedText<kCpuNameCapacity> name;
    FixedText<13> vendorText;
    FixedText<30> serialNumber;

  private:
    ProcessorAccess& processor_;
};

}  // namespace romwise
