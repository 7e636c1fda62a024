// Detectors that pass every step to others and keep the processor clock a
// pass measured, which a capture must replay exactly.
#pragma once

#include <optional>

#include "app/detectors.h"

namespace romwise {

class ClockKeepingDetectors final : public Detectors {
  public:
    explicit ClockKeepingDetectors(Detectors& inner) : inner_(inner) {}

    // The clock of the last processor identification; nothing before one.
    std::optional<std::int32_t> measuredMhz() const { return measuredMhz_; }

    std::unique_ptr<OsInfo> createOsInfo() override { return inner_.createOsInfo(); }
    bool identifySuperIo(HardwareDriver& driver, bool skipPorts2E4E,
                         FixedText<260>& line) override {
        return inner_.identifySuperIo(driver, skipPorts2E4E, line);
    }
    bool identifyChipset(HardwareDriver& driver, FixedText<260>& line,
                         bool& skipPorts2E4E) override {
        return inner_.identifyChipset(driver, line, skipPorts2E4E);
    }
    bool identifyBios(HardwareDriver& driver, DetectionResults& results) override {
        return inner_.identifyBios(driver, results);
    }
    void shortenAwardBiosId(const FixedText<80>& typeLine, FixedText<128>& idLine) override {
        inner_.shortenAwardBiosId(typeLine, idLine);
    }
    bool readDmi(DmiSummary& summary, MemorySlotSizes& slots) override {
        return inner_.readDmi(summary, slots);
    }
    ProcessorIdentity identifyProcessor() override {
        ProcessorIdentity identity = inner_.identifyProcessor();
        measuredMhz_ = identity.measuredMhz;
        return identity;
    }
    void readLocaleAndTimeZone(DetectionResults& results) override {
        inner_.readLocaleAndTimeZone(results);
    }
    void buildUpgradeUrls(DetectionResults& results, const char* biosVendorCode) override {
        inner_.buildUpgradeUrls(results, biosVendorCode);
    }

  private:
    Detectors& inner_;
    std::optional<std::int32_t> measuredMhz_;
};

}  // namespace romwise
