#include "app/standard_detectors.h"

#include <new>

#include "bios/identify_bios.h"
#include "chips/chipset_detector.h"
#include "chips/superio_detector.h"
#include "cpu/cpu_info.h"
#include "dmi/read_dmi.h"
#include "hw/firmware_tables.h"
#include "hw/listed_pci_config.h"
#include "os/locale_info.h"
#include "report/upgrade_request.h"

namespace romwise {

std::unique_ptr<OsInfo> StandardDetectors::createOsInfo() {
    return std::unique_ptr<OsInfo>(new (std::nothrow) OsInfo(platform_.os()));
}

bool StandardDetectors::identifySuperIo(HardwareDriver& driver, bool skipPorts2E4E,
                                        FixedText<260>& line) {
    // The south-bridge probe reads PCI configuration space the platform's way.
    const auto pci = platform_.createPciConfigAccess(driver);
    if (!pci) {
        SuperIoDetector detector(driver, skipPorts2E4E);
        return detector.identify(line);
    }
    SuperIoDetector detector(driver, *pci, skipPorts2E4E);
    return detector.identify(line);
}

bool StandardDetectors::identifyChipset(HardwareDriver& driver, FixedText<260>& line,
                                        bool& skipPorts2E4E) {
    const auto pci = platform_.createPciConfigAccess(driver);
    if (!pci) {
        return false;
    }
    ChipsetDetector detector(*pci);
    return detector.identify(line, skipPorts2E4E);
}

bool StandardDetectors::identifyBios(HardwareDriver& driver, DetectionResults& results) {
    return IdentifyBios(driver, results.biosDateLine, results.biosTypeLine, results.biosIdLine,
                        results.oemSignOnLine);
}

void StandardDetectors::shortenAwardBiosId(const FixedText<80>& typeLine, FixedText<128>& idLine) {
    ShortenAwardBiosId(typeLine, idLine);
}

bool StandardDetectors::readDmi(DmiSummary& summary, MemorySlotSizes& slots) {
    DmiReader reader(platform_.createPhysicalMemoryWindow(), &platform_.firmwareTables());
    return ReadDmi(reader, summary, slots);
}

SystemOffer StandardDetectors::readSystemOffer() {
    SystemFirmware& system = platform_.systemFirmware();
    SystemOffer offer;
    offer.romWindow = system.readRomWindow();
    const auto tables = platform_.firmwareTables().readSmbiosTables();
    offer.smbiosTables = tables && !tables->table.empty();
    offer.pciDevices = system.listPciDevices();
    offer.identity = system.readIdentity();
    return offer;
}

bool StandardDetectors::identifyListedChipset(const std::vector<ListedPciDevice>& devices,
                                              FixedText<260>& line, bool& skipPorts2E4E) {
    ListedPciConfigAccess pci(devices);
    ChipsetDetector detector(pci);
    return detector.identify(line, skipPorts2E4E);
}

bool StandardDetectors::readDmiFromTables(DmiSummary& summary, MemorySlotSizes& slots) {
    // Never the physical-memory section: that is the driver route's.
    DmiReader reader(nullptr, &platform_.firmwareTables());
    return ReadDmi(reader, summary, slots);
}

ProcessorIdentity StandardDetectors::identifyProcessor() {
    CpuInfo cpu(platform_.processor());
    cpu.identifyProcessor();
    ProcessorIdentity identity;
    identity.name.assign(cpu.displayName());
    identity.measuredMhz = cpu.measuredMhz();
    return identity;
}

void StandardDetectors::readLocaleAndTimeZone(DetectionResults& results) {
    romwise::readLocaleAndTimeZone(platform_.os(), results);
}

void StandardDetectors::buildUpgradeUrls(DetectionResults& results, const char* biosVendorCode) {
    romwise::buildUpgradeUrls(results, biosVendorCode);
}

}  // namespace romwise
