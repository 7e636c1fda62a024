#include "chips/chipset_detector.h"

#include <algorithm>
#include <iterator>

#include "chips/chipset_tables.h"
#include "model/report_labels.h"

namespace romwise {

namespace {

using namespace chipset_tables;

constexpr std::uint32_t kDevices = 32;

// The entry of a (vendor, device) table for this device, or nullptr.
template <typename Range>
auto findDevice(const Range& table, std::uint16_t vendorId, std::uint16_t deviceId) {
    const auto found = std::find_if(std::begin(table), std::end(table), [&](const auto& entry) {
        return entry.vendorId == vendorId && entry.deviceId == deviceId;
    });
    return found != std::end(table) ? &*found : nullptr;
}

const Vendor* findVendor(std::uint16_t vendorId) {
    const auto found = std::find_if(std::begin(kVendors), std::end(kVendors),
                                    [&](const Vendor& v) { return v.vendorId == vendorId; });
    return found != std::end(kVendors) ? &*found : nullptr;
}

void nameDevice(const Vendor& vendor, std::uint16_t deviceId, FixedText<32>& name) {
    if (const WholeName* whole = findDevice(kWholeNames, vendor.vendorId, deviceId)) {
        name.assign(whole->name);
        return;
    }
    if (const Model* model = findDevice(kModels, vendor.vendorId, deviceId)) {
        name.assign(vendor.word);
        name.append(model->text);
        return;
    }
    unsigned formatted = deviceId;
    if (const auto* replacement = findDevice(kDeviceIdReplacements, vendor.vendorId, deviceId)) {
        formatted = replacement->formattedAs;
    }
    name.format(vendor.pattern, formatted);
}

}  // namespace

bool ChipsetDetector::identify(FixedText<260>& line, bool& skipPorts2E4E) {
    for (std::uint32_t device = 0; device < kDevices; ++device) {
        const std::uint32_t revision =
            pci_.ReadConfigDword(0, device, 0, kPciRevisionRegister) & 0xFF;
        const std::uint32_t id = pci_.ReadConfigDword(0, device, 0, kPciIdRegister);
        const auto vendorId = static_cast<std::uint16_t>(id & 0xFFFF);
        const auto deviceId = static_cast<std::uint16_t>(id >> 16);
        const Vendor* vendor = findVendor(vendorId);
        if (vendor == nullptr) {
            continue;
        }
        FixedText<32> name;
        nameDevice(*vendor, deviceId, name);
        if (findDevice(kSkipPorts2E4E, vendorId, deviceId) != nullptr) {
            skipPorts2E4E = true;
        }
        line.format("%s%s rev %d", kChipsetLabel, name.c_str(), static_cast<int>(revision));
        return true;
    }
    return false;
}

}  // namespace romwise
