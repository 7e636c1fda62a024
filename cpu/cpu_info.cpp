#include "cpu/cpu_info.h"

#include <array>
#include <cstring>

#include "cpu/clock_measurement.h"
#include "cpu/cpuid_bits.h"
#include "cpu/extended_leaf_gate.h"
#include "cpu/model_tables.h"

namespace romwise {

namespace {

constexpr std::uint32_t kExtendedRangeLeaf = 0x80000000u;
constexpr std::uint32_t kExtendedFeaturesLeaf = 0x80000001u;
constexpr std::array<std::uint32_t, 3> kBrandStringLeaves{0x80000002u, 0x80000003u, 0x80000004u};
constexpr std::uint32_t kSerialNumberLeaf = 3;

// Leaf 1, EDX.
constexpr int kFpuBit = 0;
constexpr int kTscBit = 4;
constexpr int kApicBit = 9;
constexpr int kMtrrBit = 12;
constexpr int kCmovBit = 15;
constexpr int kSerialNumberBit = 18;
constexpr int kAcpiBit = 22;
constexpr int kMmxBit = 23;
constexpr int kSseBit = 25;
constexpr int kSse2Bit = 26;
constexpr int kHyperThreadingBit = 28;
constexpr int kThermalMonitorBit = 29;
constexpr int kIa64Bit = 30;

// Leaf 80000001h, EDX.
constexpr int kMpCapableBit = 19;
constexpr int kAmdMmxExtBit = 22;
constexpr int kCyrixMmxExtBit = 24;
constexpr int k3dNowExtBit = 30;
constexpr int k3dNowBit = 31;

// Writes the four bytes of `value`, least significant first.
void storeRegister(std::uint32_t value, char* out) {
    for (int i = 0; i < 4; ++i) {
        out[i] = static_cast<char>(byteOf(value, i));
    }
}

}  // namespace

std::int32_t CpuInfo::measuredMhz() const {
    return clock ? static_cast<std::int32_t>(clock->mhz) : -1;
}

void CpuInfo::identifyProcessor() {
    if (!hasCpuid()) {
        return;
    }
    readVendorAndSignature();
    readStandardFeatures();
    if (!measureClock(*this)) {
        estimateClock(*this);
    }
    if (!readExtendedCaches()) {
        readCacheDescriptors();
    }
    readExtendedFeatures();
    if (!readBrandString()) {
        nameFromTables(*this);
    }
    readSerialNumber();
}

bool CpuInfo::hasCpuid() {
    CpuidRegisters leaf0;
    return processor_.hasCpuid() && processor_.cpuid(0, leaf0);
}

bool CpuInfo::readVendorAndSignature() {
    CpuidRegisters leaf0;
    CpuidRegisters leaf1;
    if (!processor_.cpuid(0, leaf0) || !processor_.cpuid(1, leaf1)) {
        return false;
    }
    char text[12];
    storeRegister(leaf0.ebx, text);
    storeRegister(leaf0.edx, text + 4);
    storeRegister(leaf0.ecx, text + 8);
    std::memcpy(vendorText.data(), text, sizeof text);
    vendorText.data()[sizeof text] = '\0';
    vendor = vendorFromText(std::string_view(text, sizeof text));

    stepping = static_cast<std::int32_t>(bitsOf(leaf1.eax, 0, 4));
    model = static_cast<std::int32_t>(bitsOf(leaf1.eax, 4, 4));
    family = static_cast<std::int32_t>(bitsOf(leaf1.eax, 8, 4));
    processorType = static_cast<std::int32_t>(bitsOf(leaf1.eax, 12, 4));
    extendedModel = static_cast<std::int32_t>(bitsOf(leaf1.eax, 16, 4));
    extendedFamily = static_cast<std::int32_t>(bitsOf(leaf1.eax, 20, 8));
    return true;
}

bool CpuInfo::readStandardFeatures() {
    CpuidRegisters leaf1;
    if (!processor_.cpuid(1, leaf1)) {
        return false;
    }
    const std::uint32_t edx = leaf1.edx;
    hasFpu = bitOf(edx, kFpuBit);
    hasTsc = bitOf(edx, kTscBit);
    hasMmx = bitOf(edx, kMmxBit);
    hasSse = bitOf(edx, kSseBit);
    hasSse2 = bitOf(edx, kSse2Bit);
    isIa64 = bitOf(edx, kIa64Bit);
    hasApic = bitOf(edx, kApicBit);
    hasCmov = bitOf(edx, kCmovBit);
    hasMtrr = bitOf(edx, kMtrrBit);
    hasAcpi = bitOf(edx, kAcpiBit);
    hasSerialNumber = bitOf(edx, kSerialNumberBit);
    hasThermalMonitor = bitOf(edx, kThermalMonitorBit);
    // The flag only says the processor has SSE; the operating system must
    // also save the SSE registers, or the instruction faults.
    sseUsable = hasSse && processor_.executeSseProbe();

    if (vendor == CpuVendor::Intel) {
        hasHyperThreading = bitOf(edx, kHyperThreadingBit);
        logicalProcessors = hasHyperThreading ? bitsOf(leaf1.ebx, 16, 8) : 1;
        if (hasHyperThreading && hasApic) {
            apicId = bitsOf(leaf1.ebx, 24, 8);
        }
    }
    return true;
}

bool CpuInfo::extendedLeafAvailable(std::uint32_t leaf) {
    const ExtendedLeafGate gate = extendedLeafGate(vendor, family, model);
    if (gate == ExtendedLeafGate::Closed) {
        return false;
    }
    CpuidRegisters range;
    if (!processor_.cpuid(kExtendedRangeLeaf, range)) {
        return false;
    }
    if (gate == ExtendedLeafGate::OpenWhenAnswered && !bitOf(range.eax, 31)) {
        // An older processor answers leaves it lacks with basic-leaf data.
        return false;
    }
    return static_cast<std::int32_t>(leaf & 0x7FFFFFFFu) <=
           static_cast<std::int32_t>(range.eax & 0x7FFFFFFFu);
}

bool CpuInfo::readExtendedFeatures() {
    if (vendor == CpuVendor::Intel || !extendedLeafAvailable(kExtendedFeaturesLeaf)) {
        return false;
    }
    CpuidRegisters features;
    if (!processor_.cpuid(kExtendedFeaturesLeaf, features)) {
        return false;
    }
    const std::uint32_t edx = features.edx;
    has3dNow = bitOf(edx, k3dNowBit);
    has3dNowExt = bitOf(edx, k3dNowExtBit);
    hasAmdMmxExt = bitOf(edx, kAmdMmxExtBit);
    isMpCapable = bitOf(edx, kMpCapableBit);
    if (vendor == CpuVendor::Amd) {
        hasVendorMmxExt = bitOf(edx, kAmdMmxExtBit);
    } else if (vendor == CpuVendor::Cyrix) {
        hasVendorMmxExt = bitOf(edx, kCyrixMmxExtBit);
    }
    return true;
}

bool CpuInfo::readBrandString() {
    for (std::uint32_t leaf : kBrandStringLeaves) {
        if (!extendedLeafAvailable(leaf)) {
            return false;
        }
    }
    // The 48 characters and their terminator.
    char brand[kBrandStringLength + 1];
    char* out = brand;
    for (std::uint32_t leaf : kBrandStringLeaves) {
        CpuidRegisters part;
        if (!processor_.cpuid(leaf, part)) {
            return false;
        }
        for (std::uint32_t value : {part.eax, part.ebx, part.ecx, part.edx}) {
            storeRegister(value, out);
            out += 4;
        }
    }
    brand[kBrandStringLength] = '\0';

    if (vendor == CpuVendor::Intel) {
        // Intel pads its brand strings at the front; start at the first
        // visible character.
        std::size_t first = 0;
        while (first < sizeof brand && (brand[first] == '\0' || brand[first] == ' ')) {
            ++first;
        }
        if (first > 0 && first < sizeof brand) {
            std::memmove(brand, brand + first, sizeof brand - first);
        }
    }
    static_assert(sizeof brand <= decltype(name)::capacity);
    std::memcpy(name.data(), brand, sizeof brand);
    return true;
}

bool CpuInfo::readSerialNumber() {
    if (!hasSerialNumber) {
        return false;
    }
    CpuidRegisters serial;
    if (!processor_.cpuid(kSerialNumberLeaf, serial)) {
        return false;
    }
    serialNumber.format("%.2x%.2x-%.2x%.2x-%.2x%.2x-%.2x%.2x-%.2x%.2x-%.2x%.2x",
                        byteOf(serial.ebx, 3), byteOf(serial.ebx, 2), byteOf(serial.ebx, 1),
                        byteOf(serial.ebx, 0), byteOf(serial.ecx, 3), byteOf(serial.ecx, 2),
                        byteOf(serial.ecx, 1), byteOf(serial.ecx, 0), byteOf(serial.edx, 3),
                        byteOf(serial.edx, 2), byteOf(serial.edx, 1), byteOf(serial.edx, 0));
    return true;
}

}  // namespace romwise
