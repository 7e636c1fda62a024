// The program's own detectors over a platform's seams.
#pragma once

#include "app/detectors.h"
#include "model/platform.h"

namespace romwise {

class StandardDetectors final : public Detectors {
  public:
    explicit StandardDetectors(Platform& platform) : platform_(platform) {}

    std::unique_ptr<OsInfo> createOsInfo() override;
    bool identifySuperIo(HardwareDriver& driver, bool skipPorts2E4E, FixedText<260>& line) override;
    bool identifyChipset(HardwareDriver& driver, FixedText<260>& line,
                         bool& skipPorts2E4E) override;
    bool identifyBios(HardwareDriver& driver, DetectionResults& results) override;
    void shortenAwardBiosId(const FixedText<80>& typeLine, FixedText<128>& idLine) override;
    bool readDmi(DmiSummary& summary, MemorySlotSizes& slots) override;
    SystemOffer readSystemOffer() override;
    bool identifyListedChipset(const std::vector<ListedPciDevice>& devices, FixedText<260>& line,
                               bool& skipPorts2E4E) override;
    bool readDmiFromTables(DmiSummary& summary, MemorySlotSizes& slots) override;
    ProcessorIdentity identifyProcessor() override;
    void readLocaleAndTimeZone(DetectionResults& results) override;
    void buildUpgradeUrls(DetectionResults& results, const char* biosVendorCode) override;

  private:
    Platform& platform_;
};

}  // namespace romwise
