// Fake seams and detectors that return chosen results, for tests of the
// run's own rules.
#pragma once

#include <memory>
#include <sstream>
#include <string>
#include <vector>

#include "app/detection_session.h"
#include "app/detectors.h"
#include "cli/cli_view.h"
#include "report/shell.h"

namespace romwise::testing {

class FakeOsServices final : public OsServices {
  public:
    OsFamily family() const override { return osFamily; }
    bool queryWindowsVersion(bool extended, WindowsVersionRecord& out) override {
        if (extended && !extendedRecord) {
            return false;
        }
        out = version;
        return true;
    }
    std::optional<std::string> wow64SystemDirectory() override { return wow64Directory; }
    std::optional<std::uint16_t> nativeProcessorArchitecture() override { return architecture; }
    LinuxRelease linuxRelease() override { return release; }
    bool hasAdministratorRights() override { return administrator; }
    std::string programPath() override { return path; }
    std::uint64_t totalPhysicalMemoryBytes() override { return memoryBytes; }
    std::int32_t timeZoneMinutesWest() override { return minutesWest; }
    std::optional<CountryInfo> country() override { return countryInfo; }

    OsFamily osFamily = OsFamily::Windows;
    WindowsVersionRecord version{5, 1, 2600, 2, "Service Pack 2", 1};
    bool extendedRecord = true;
    std::optional<std::string> wow64Directory;
    std::optional<std::uint16_t> architecture;
    LinuxRelease release;
    bool administrator = true;
    std::string path = "C:\\Program Files\\Romwise\\romwise.exe";
    std::uint64_t memoryBytes = 384ull << 20;
    std::int32_t minutesWest = 300;
    std::optional<CountryInfo> countryInfo = CountryInfo{"1", "United States"};
};

class FakeDriver final : public HardwareDriver {
  public:
    explicit FakeDriver(bool active) : active_(active) {}
    bool isActive() override {
        ++activityChecks;
        return active_;
    }
    bool tryReadPortByte(std::uint32_t, std::uint8_t& value) override {
        value = 0xFF;
        return true;
    }
    bool tryReadPortDword(std::uint32_t, std::uint32_t& value) override {
        value = 0xFFFFFFFF;
        return true;
    }
    bool tryWritePortByte(std::uint32_t, std::uint8_t) override { return true; }
    bool tryWritePortDword(std::uint32_t, std::uint32_t) override { return true; }
    const std::uint8_t* mapPhysToLinear(std::uint32_t, std::uint32_t) override { return nullptr; }

    int activityChecks = 0;

  private:
    bool active_;
};

class FakeDriverHost final : public DriverHost {
  public:
    std::unique_ptr<HardwareDriver> openHardwareDriver(std::string_view programDirectory, bool,
                                                       bool) override {
        ++opens;
        lastProgramDirectory = std::string(programDirectory);
        if (!opens_) {
            return nullptr;
        }
        return std::make_unique<FakeDriver>(active_);
    }
    std::string lastFailureReason() const override { return opens_ ? "" : "no driver here"; }

    void setOutcome(bool opens, bool active) {
        opens_ = opens;
        active_ = active;
    }

    int opens = 0;
    std::string lastProgramDirectory;

  private:
    bool opens_ = true;
    bool active_ = true;
};

// Detectors that answer what a test chooses and count their calls.
class FakeDetectors final : public Detectors {
  public:
    explicit FakeDetectors(OsServices& os) : os_(os) {}

    std::unique_ptr<OsInfo> createOsInfo() override {
        return osAllocationFails ? nullptr : std::make_unique<OsInfo>(os_);
    }
    bool identifySuperIo(HardwareDriver&, bool, FixedText<260>& line) override {
        ++superIoCalls;
        if (superIoLine.empty())
            return false;
        line.assign(superIoLine);
        return true;
    }
    bool identifyChipset(HardwareDriver&, FixedText<260>& line, bool&) override {
        ++chipsetCalls;
        if (chipsetLine.empty())
            return false;
        line.assign(chipsetLine);
        return true;
    }
    bool identifyBios(HardwareDriver&, DetectionResults& results) override {
        ++biosCalls;
        if (!romMappable)
            return false;
        results.biosDateLine.format("BIOS Date: %s", biosDate.c_str());
        results.biosTypeLine.format("BIOS Type: %s", biosType.c_str());
        results.biosIdLine.format("BIOS ID:   %s", biosId.c_str());
        if (!signOn.empty() && signOn != " ") {
            results.oemSignOnLine.format("OEM Sign-On: %s", signOn.c_str());
        }
        return true;
    }
    void shortenAwardBiosId(const FixedText<80>&, FixedText<128>& idLine) override {
        if (!shortenedId.empty())
            idLine.format("BIOS ID:   %s", shortenedId.c_str());
    }
    bool readDmi(DmiSummary& summary, MemorySlotSizes& slots) override {
        ++dmiCalls;
        if (!dmiFound)
            return false;
        summary.majorVersion = dmi.majorVersion;
        summary.minorVersion = dmi.minorVersion;
        summary.romSizeBytes = dmi.romSizeBytes;
        summary.biosCharacteristics = dmi.biosCharacteristics;
        if (!dmi.manufacturer.empty())
            summary.manufacturer.assign(dmi.manufacturer.view());
        if (!dmi.model.empty())
            summary.model.assign(dmi.model.view());
        if (!dmi.biosVersion.empty())
            summary.biosVersion.assign(dmi.biosVersion.view());
        if (!dmi.processorName.empty())
            summary.processorName.assign(dmi.processorName.view());
        summary.biosVendor.assign(dmi.biosVendor.view());
        summary.biosReleaseDate.assign(dmi.biosReleaseDate.view());
        summary.maxMemoryMb = dmi.maxMemoryMb;
        summary.installedMemoryMb = dmi.installedMemoryMb;
        summary.currentSpeedMhz = dmi.currentSpeedMhz;
        summary.maxSpeedMhz = dmi.maxSpeedMhz;
        for (const std::uint32_t size : slotSizes) {
            slots.append(size);
        }
        return true;
    }
    SystemOffer readSystemOffer() override { return offer; }
    bool identifyListedChipset(const std::vector<ListedPciDevice>& devices, FixedText<260>& line,
                               bool&) override {
        ++chipsetCalls;
        if (devices.empty() || chipsetLine.empty())
            return false;
        line.assign(chipsetLine);
        return true;
    }
    bool readDmiFromTables(DmiSummary& summary, MemorySlotSizes& slots) override {
        ++tableDmiCalls;
        return readDmi(summary, slots);
    }
    ProcessorIdentity identifyProcessor() override {
        ++processorCalls;
        return processor;
    }
    void readLocaleAndTimeZone(DetectionResults& results) override {
        results.timeZoneHours = timeZoneHours;
        results.countryCode.assign("1");
        results.countryName.assign("United States");
    }
    void buildUpgradeUrls(DetectionResults& results, const char* vendorCode) override {
        lastVendorCode = vendorCode;
        results.upgradeUrl.format("http://example.test/full?uBType=%s", vendorCode);
        results.upgradeUrlShort.format("http://example.test/short?uBType=%s", vendorCode);
    }

    bool osAllocationFails = false;
    std::string superIoLine;
    std::string chipsetLine;
    bool romMappable = true;
    std::string biosDate = "11/03/99";
    std::string biosType = "Award Modular BIOS v6.00PG";
    std::string biosId = "10/29/99-i440BX-W977-2A69KA1IC-00";
    std::string signOn = "  Quokka QB-440BX  ";
    std::string shortenedId;
    bool dmiFound = true;
    DmiSummary dmi;
    std::vector<std::uint32_t> slotSizes;
    ProcessorIdentity processor;
    std::int32_t timeZoneHours = 5;
    std::string lastVendorCode;
    SystemOffer offer;  // nothing: the system offers no route without the driver
    int superIoCalls = 0, chipsetCalls = 0, biosCalls = 0, dmiCalls = 0, processorCalls = 0;
    int tableDmiCalls = 0;

  private:
    OsServices& os_;
};

// A session over the fakes with a fresh record.
struct FakeMachine {
    FakeMachine()
        : detectors(os), view(errors), session(results, options, view, detectors, os, host) {
        detectors.dmi.majorVersion = 2;
        detectors.dmi.minorVersion = 3;
        detectors.dmi.romSizeBytes = 256 * 1024;
        detectors.dmi.biosCharacteristics = 0x20000 | 0x80;
        detectors.dmi.manufacturer.assign("  Quokka Boards Inc.");
        detectors.dmi.model.assign("QB-440BX");
        detectors.dmi.biosVersion.assign("1014 beta");
        detectors.dmi.processorName.assign("  Pentium III  ");
        detectors.dmi.maxMemoryMb = 768;
        detectors.dmi.installedMemoryMb = 384;
        detectors.dmi.currentSpeedMhz = 500;
        detectors.dmi.maxSpeedMhz = 600;
        detectors.slotSizes = {128, 256, 0};
        detectors.processor.name.assign("Pentium III");
        detectors.processor.measuredMhz = 500;
    }

    DetectionResults results;
    DetectionOptions options;
    FakeOsServices os;
    FakeDriverHost host;
    FakeDetectors detectors;
    std::ostringstream errors;
    CliView view;
    DetectionSession session;
};

class FakeShell final : public Shell {
  public:
    bool openAddress(const std::string& address) override {
        opened.push_back(address);
        return openWorks;
    }
    bool startBrowser(const std::string& parameters) override {
        direct.push_back(parameters);
        return directWorks;
    }
    bool openWorks = true;
    bool directWorks = true;
    std::vector<std::string> opened;
    std::vector<std::string> direct;
};

}  // namespace romwise::testing
