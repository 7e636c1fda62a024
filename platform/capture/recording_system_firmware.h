// Passes the system's offers to the pass and keeps what they answered, so
// that a capture offers the same again.
#pragma once

#include <optional>
#include <vector>

#include "hw/system_firmware.h"

namespace romwise {

struct SystemOfferRecord {
    std::optional<std::vector<std::uint8_t>> romWindow;
    std::optional<std::vector<ListedPciDevice>> pciDevices;
    std::optional<FirmwareIdentity> identity;
};

class RecordingSystemFirmware final : public SystemFirmware {
  public:
    RecordingSystemFirmware(SystemFirmware& inner, SystemOfferRecord& record)
        : inner_(inner), record_(record) {}

    std::optional<std::vector<std::uint8_t>> readRomWindow() override {
        return keep(record_.romWindow, inner_.readRomWindow());
    }
    std::optional<std::vector<ListedPciDevice>> listPciDevices() override {
        return keep(record_.pciDevices, inner_.listPciDevices());
    }
    std::optional<FirmwareIdentity> readIdentity() override {
        return keep(record_.identity, inner_.readIdentity());
    }

  private:
    template <typename T>
    static std::optional<T> keep(std::optional<T>& kept, std::optional<T> answer) {
        if (answer) {
            kept = answer;
        }
        return answer;
    }

    SystemFirmware& inner_;
    SystemOfferRecord& record_;
};

}  // namespace romwise
