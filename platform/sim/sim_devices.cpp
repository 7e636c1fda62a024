#include "platform/sim/sim_devices.h"

#include <cstring>

#include "platform/encoding/text_encoding.h"

#include <algorithm>
#include <cmath>
#include <limits>

namespace romwise::sim {

namespace {

constexpr std::uint32_t kMaxPort = 0xFFFF;
constexpr std::uint64_t kDefaultCounterFrequency = 10'000'000;
// The time-stamp counter's margin over `clockMhz`, in Hz (see SimProcessor).
constexpr std::uint64_t kTimeStampMarginHz = 250'000;
constexpr std::uint32_t kFeatureTimeStampCounter = 1u << 4;  // leaf 1, EDX

}  // namespace

// --- physical memory -------------------------------------------------------

std::vector<std::uint8_t> SimPhysicalMemory::read(std::uint64_t address,
                                                  std::uint64_t length) const {
    std::vector<std::uint8_t> bytes(length, 0);
    const std::uint64_t end = address + length;
    for (const MemoryRegion& region : regions_) {
        const std::uint64_t regionEnd = region.address + region.bytes.size();
        const std::uint64_t from = std::max(address, region.address);
        const std::uint64_t to = std::min(end, regionEnd);
        if (from >= to) {
            continue;
        }
        std::copy(region.bytes.begin() + static_cast<std::ptrdiff_t>(from - region.address),
                  region.bytes.begin() + static_cast<std::ptrdiff_t>(to - region.address),
                  bytes.begin() + static_cast<std::ptrdiff_t>(from - address));
    }
    return bytes;
}

// Put together on pages the system zeroes as they are first touched, so
// that only the pages the regions fill are written.
const std::uint8_t* SimPhysicalMemory::view(std::uint64_t address, std::uint64_t length) const {
    auto found = views_.find({address, length});
    if (found != views_.end()) {
        return found->second.data();
    }
    // When the last region touching the range covers all of it, nothing
    // overlays it there: its own bytes are the range, with no copy.
    const std::uint64_t end = address + length;
    for (auto region = regions_.rbegin(); region != regions_.rend(); ++region) {
        const std::uint64_t regionEnd = region->address + region->bytes.size();
        if (region->address >= end || regionEnd <= address) {
            continue;
        }
        if (region->address <= address && regionEnd >= end) {
            return region->bytes.data() + (address - region->address);
        }
        break;
    }
    ZeroedPages bytes(length);
    if (bytes.data() == nullptr) {
        return nullptr;
    }
    for (const MemoryRegion& region : regions_) {
        const std::uint64_t from = std::max(address, region.address);
        const std::uint64_t to = std::min(end, region.address + region.bytes.size());
        if (from < to) {
            std::memcpy(bytes.data() + (from - address),
                        region.bytes.data() + (from - region.address), to - from);
        }
    }
    return views_.emplace(std::make_pair(address, length), std::move(bytes)).first->second.data();
}

// --- hardware driver -------------------------------------------------------

bool SimHardwareDriver::tryReadPortByte(std::uint32_t port, std::uint8_t& value) {
    if (port > kMaxPort) {
        return false;
    }
    value = ports_.readByte(static_cast<std::uint16_t>(port));
    return true;
}

bool SimHardwareDriver::tryReadPortDword(std::uint32_t port, std::uint32_t& value) {
    if (port > kMaxPort) {
        return false;
    }
    value = ports_.readDword(static_cast<std::uint16_t>(port));
    return true;
}

bool SimHardwareDriver::tryWritePortByte(std::uint32_t port, std::uint8_t value) {
    if (port > kMaxPort) {
        return false;
    }
    ports_.writeByte(static_cast<std::uint16_t>(port), value);
    return true;
}

bool SimHardwareDriver::tryWritePortDword(std::uint32_t port, std::uint32_t value) {
    if (port > kMaxPort) {
        return false;
    }
    ports_.writeDword(static_cast<std::uint16_t>(port), value);
    return true;
}

const std::uint8_t* SimHardwareDriver::mapPhysToLinear(std::uint32_t physicalAddress,
                                                       std::uint32_t length) {
    if (!romMappable_ || length == 0 ||
        std::uint64_t{physicalAddress} + length > SimPhysicalMemory::kAddressSpaceEnd) {
        return nullptr;
    }
    return memory_.view(physicalAddress, length);
}

// --- physical memory window ------------------------------------------------

bool SimPhysicalMemoryWindow::Open() {
    open_ = available_;
    return open_;
}

bool SimPhysicalMemoryWindow::MapRange(std::uint64_t physicalAddress, std::uint32_t length,
                                       MemoryView& view) {
    if (!open_ || length == 0 || physicalAddress >= SimPhysicalMemory::kAddressSpaceEnd) {
        return false;
    }
    const std::uint64_t start = physicalAddress & ~(kGranularity - 1);
    const std::uint64_t end = (physicalAddress + length + kGranularity - 1) & ~(kGranularity - 1);
    if (end > SimPhysicalMemory::kAddressSpaceEnd ||
        end - start > std::numeric_limits<std::uint32_t>::max()) {
        return false;
    }
    const std::uint8_t* shared = memory_.view(start, end - start);
    if (shared == nullptr) {
        return false;
    }
    std::unique_ptr<std::vector<std::uint8_t>> own;
    if (views_.count(shared) != 0) {
        own = std::make_unique<std::vector<std::uint8_t>>(shared, shared + (end - start));
    }
    view.data = own ? own->data() : shared;
    view.physicalAddress = start;
    view.length = static_cast<std::uint32_t>(end - start);
    views_.emplace(view.data, std::move(own));
    return true;
}

bool SimPhysicalMemoryWindow::UnmapRange(const MemoryView& view) {
    auto found = views_.find(view.data);
    if (found == views_.end()) {
        return false;
    }
    views_.erase(found);
    return true;
}

// --- processor -------------------------------------------------------------

SimProcessor::SimProcessor(const std::optional<ProfileCpu>& cpu)
    : cpu_(cpu),
      frequency_(cpu && cpu->counterFrequency > 0 ? cpu->counterFrequency
                                                  : kDefaultCounterFrequency) {}

bool SimProcessor::cpuid(std::uint32_t leaf, CpuidRegisters& out) {
    if (!cpu_) {
        return false;  // the instruction faults
    }
    out = CpuidRegisters{};
    auto found = cpu_->leaves.find(leaf);
    if (found != cpu_->leaves.end()) {
        out.eax = found->second.eax;
        out.ebx = found->second.ebx;
        out.ecx = found->second.ecx;
        out.edx = found->second.edx;
    }
    return true;
}

bool SimProcessor::hasTimeStampCounter() const {
    if (!cpu_ || cpu_->clockMhz == 0) {
        return false;
    }
    auto leaf1 = cpu_->leaves.find(1);
    return leaf1 != cpu_->leaves.end() && (leaf1->second.edx & kFeatureTimeStampCounter) != 0;
}

bool SimProcessor::readTimeStampCounter(std::uint64_t& out) {
    if (!hasTimeStampCounter()) {
        return false;
    }
    // cycles = ticks * rate / frequency, without overflowing the product.
    const std::uint64_t rate = std::uint64_t{cpu_->clockMhz} * 1'000'000 + kTimeStampMarginHz;
    const std::uint64_t whole = ticks_ / frequency_;
    const std::uint64_t part = ticks_ % frequency_;
    std::uint64_t partCycles = 0;
    if (part <= std::numeric_limits<std::uint64_t>::max() / rate) {
        partCycles = part * rate / frequency_;
    } else {
        partCycles = static_cast<std::uint64_t>(static_cast<long double>(part) * rate / frequency_);
    }
    out = whole * rate + partCycles;
    return true;
}

bool SimProcessor::runBitScanLoop() {
    const double seconds = cpu_ ? cpu_->bsfLoopSeconds : 0.0;
    // Rounded to the nearest tick; the product is never negative (the loader
    // bounds both), so adding one half and truncating does it without the
    // maths library, which this program then need not load at all.
    ticks_ += static_cast<std::uint64_t>(seconds * static_cast<double>(frequency_) + 0.5);
    return true;
}

bool SimProcessor::queryPerformanceCounter(std::int64_t& out) {
    ++ticks_;
    out = static_cast<std::int64_t>(ticks_);
    return true;
}

bool SimProcessor::queryPerformanceFrequency(std::int64_t& out) {
    out = static_cast<std::int64_t>(frequency_);
    return true;
}

// --- operating system ------------------------------------------------------

// Profiles are UTF-8; the record holds the system's 8-bit texts.
std::string SimOsServices::programPath() {
    return utf8ToWindows1252(profile_.programPath);
}

std::optional<CountryInfo> SimOsServices::country() {
    if (!profile_.country) {
        return std::nullopt;
    }
    return CountryInfo{utf8ToWindows1252(profile_.country->code),
                       utf8ToWindows1252(profile_.country->name)};
}

bool SimOsServices::queryWindowsVersion(bool extended, WindowsVersionRecord& out) {
    const ProfileOs& os = profile_.os;
    if (os.family != OsFamily::Windows || (extended && !os.extendedRecord)) {
        return false;
    }
    out.majorVersion = os.majorVersion;
    out.minorVersion = os.minorVersion;
    out.buildNumber = os.buildNumber;
    out.platformId = os.platformId;
    out.servicePackText = utf8ToWindows1252(os.servicePack);
    out.productType = extended ? os.productType : 0;
    return true;
}

std::optional<std::string> SimOsServices::wow64SystemDirectory() {
    if (profile_.os.family != OsFamily::Windows) {
        return std::nullopt;
    }
    return profile_.os.wow64Directory;
}

std::optional<std::uint16_t> SimOsServices::nativeProcessorArchitecture() {
    if (profile_.os.family != OsFamily::Windows) {
        return std::nullopt;
    }
    return profile_.os.nativeArchitecture;
}

LinuxRelease SimOsServices::linuxRelease() {
    const ProfileOs& os = profile_.os;
    if (os.family != OsFamily::Linux) {
        return {};
    }
    return LinuxRelease{utf8ToWindows1252(os.prettyName), utf8ToWindows1252(os.name),
                        utf8ToWindows1252(os.id), utf8ToWindows1252(os.versionId),
                        os.kernelRelease};
}

// --- shell -----------------------------------------------------------------

bool SimShell::openAddress(const std::string& address) {
    launches_.push_back({"open", address, browser_.open});
    return browser_.open;
}

bool SimShell::startBrowser(const std::string& parameters) {
    launches_.push_back({"direct", parameters, browser_.direct});
    return browser_.direct;
}

}  // namespace romwise::sim
