#include "platform/linux/linux_driver_services.h"

#include <fcntl.h>
#include <sys/mman.h>
#include <unistd.h>
#if defined(__i386__) || defined(__x86_64__)
#include <sys/io.h>
#define ROMWISE_HAVE_PORT_INSTRUCTIONS 1
#endif

#include <cerrno>
#include <cstring>
#include <string>
#include <utility>

#include "hw/driver_opening.h"
#include "platform/linux/linux_rom_mappings.h"

namespace romwise {

namespace {

std::string systemError(int error) {
    return std::strerror(error);
}

// The ROM window and other physical ranges come from a read-only mapping of
// /dev/mem, released with the driver.
using PhysicalMappings = LinuxRomMappings;

#ifdef ROMWISE_HAVE_PORT_INSTRUCTIONS
// Ports 0-3FFh, where every Super I/O configuration port lies, are opened with
// ioperm(); the rest of the port space needs iopl(3).
constexpr std::uint32_t kLegacyPortEnd = 0x400;
constexpr std::uint32_t kPortSpaceEnd = 0x10000;

// Ports through the in/out instructions, for the ports the kernel has opened
// to this process. An instruction on any other port would fault, so such a
// request first tries iopl(3) once and otherwise fails.
class PortInstructionDriver final : public HardwareDriver {
  public:
    explicit PortInstructionDriver(std::uint32_t permittedEnd) : permittedEnd_(permittedEnd) {}

    bool isActive() override { return true; }
    bool tryReadPortByte(std::uint32_t port, std::uint8_t& value) override {
        if (!permits(port)) {
            return false;
        }
        value = inb(static_cast<unsigned short>(port));
        return true;
    }
    bool tryReadPortDword(std::uint32_t port, std::uint32_t& value) override {
        if (!permits(port + 3)) {
            return false;
        }
        value = inl(static_cast<unsigned short>(port));
        return true;
    }
    bool tryWritePortByte(std::uint32_t port, std::uint8_t value) override {
        if (!permits(port)) {
            return false;
        }
        outb(value, static_cast<unsigned short>(port));
        return true;
    }
    bool tryWritePortDword(std::uint32_t port, std::uint32_t value) override {
        if (!permits(port + 3)) {
            return false;
        }
        outl(value, static_cast<unsigned short>(port));
        return true;
    }
    const std::uint8_t* mapPhysToLinear(std::uint32_t address, std::uint32_t length) override {
        return memory_.map(address, length);
    }

  private:
    // Whether the instructions may touch every port up to `lastPort`.
    bool permits(std::uint32_t lastPort) {
        if (lastPort < permittedEnd_) {
            return true;
        }
        if (lastPort >= kPortSpaceEnd || raiseTried_) {
            return false;
        }
        raiseTried_ = true;
        if (iopl(3) != 0) {
            return false;
        }
        permittedEnd_ = kPortSpaceEnd;
        return true;
    }

    std::uint32_t permittedEnd_;
    bool raiseTried_ = false;
    PhysicalMappings memory_;
};
#endif

// Ports through the kernel's /dev/port device: the file offset is the port.
// The descriptor belongs to the opened device, which outlives this object.
class DevPortDriver final : public HardwareDriver {
  public:
    explicit DevPortDriver(int fd) : fd_(fd) {}

    bool isActive() override { return true; }
    bool tryReadPortByte(std::uint32_t port, std::uint8_t& value) override {
        return pread(fd_, &value, 1, port) == 1;
    }
    // The kernel turns a 4-byte access of /dev/port into four byte accesses
    // at consecutive ports, which is not a dword cycle: a PCI address
    // written that way to CF8h is never latched. Dword requests are refused
    // (they read as all ones) rather than answered wrongly.
    bool tryReadPortDword(std::uint32_t, std::uint32_t&) override { return false; }
    bool tryWritePortByte(std::uint32_t port, std::uint8_t value) override {
        return pwrite(fd_, &value, 1, port) == 1;
    }
    bool tryWritePortDword(std::uint32_t, std::uint32_t) override { return false; }
    const std::uint8_t* mapPhysToLinear(std::uint32_t address, std::uint32_t length) override {
        return memory_.map(address, length);
    }

  private:
    int fd_;
    PhysicalMappings memory_;
};

}  // namespace

// --- the driver's devices on Linux -------------------------------------------

LinuxDriverServices::~LinuxDriverServices() {
    while (!devices_.empty()) {
        closeDevice(devices_.begin()->first);
    }
}

DeviceHandle LinuxDriverServices::failOpen(int error, std::string text) {
    lastError_ = static_cast<std::uint32_t>(error);
    notes_.push_back(std::move(text));
    return kNoDevice;
}

DeviceHandle LinuxDriverServices::openPortInstructions() {
#ifdef ROMWISE_HAVE_PORT_INSTRUCTIONS
    std::uint32_t portsOpened = 0;
    if (ioperm(0, kLegacyPortEnd, 1) == 0) {
        portsOpened = kLegacyPortEnd;
    } else {
        const int permissionError = errno;
        if (iopl(3) != 0) {
            const int levelError = errno;
            return failOpen(levelError,
                            std::string(kDriverDeviceNames[0]) +
                                ", port instructions: ioperm: " + systemError(permissionError) +
                                ", iopl: " + systemError(levelError));
        }
        portsOpened = kPortSpaceEnd;
    }
    const DeviceHandle device = nextHandle_++;
    devices_[device] = OpenedDevice{DeviceKind::PortInstructions, -1, portsOpened};
    return device;
#else
    return failOpen(ENOSYS, std::string(kDriverDeviceNames[0]) +
                                ", port instructions: not available on this processor");
#endif
}

DeviceHandle LinuxDriverServices::openPortFile() {
    const int fd = open(portDevicePath_.c_str(), O_RDWR | O_CLOEXEC);
    if (fd < 0) {
        const int error = errno;
        return failOpen(error, std::string(kDriverDeviceNames[1]) + ", " + portDevicePath_ + ": " +
                                   systemError(error));
    }
    const DeviceHandle device = nextHandle_++;
    devices_[device] = OpenedDevice{DeviceKind::PortFile, fd, 0};
    return device;
}

DeviceHandle LinuxDriverServices::openDevice(std::string_view path, const DeviceOpenParameters&) {
    const std::string_view prefix = kDevicePathPrefix;
    const std::string_view name =
        path.substr(0, prefix.size()) == prefix ? path.substr(prefix.size()) : std::string_view();
    if (name == kDriverDeviceNames[0]) {
        return openPortInstructions();
    }
    if (name == kDriverDeviceNames[1]) {
        return openPortFile();
    }
    return failOpen(ENOENT, std::string(path) + ": no such device on Linux");
}

void LinuxDriverServices::closeDevice(DeviceHandle device) {
    const auto found = devices_.find(device);
    if (found == devices_.end()) {
        return;
    }
    const OpenedDevice opened = found->second;
    devices_.erase(found);
    if (opened.kind == DeviceKind::PortFile) {
        close(opened.fd);
        return;
    }
#ifdef ROMWISE_HAVE_PORT_INSTRUCTIONS
    // Give the port rights back once no device needs them any more.
    for (const auto& [handle, other] : devices_) {
        if (other.kind == DeviceKind::PortInstructions) {
            return;
        }
    }
    ioperm(0, kLegacyPortEnd, 0);
    iopl(0);
#endif
}

std::unique_ptr<HardwareDriver> LinuxDriverServices::deviceDriver(const DriverRecord& record) {
    const auto found = devices_.find(record.deviceHandle);
    if (found == devices_.end()) {
        return nullptr;
    }
    if (found->second.kind == DeviceKind::PortFile) {
        return std::make_unique<DevPortDriver>(found->second.fd);
    }
#ifdef ROMWISE_HAVE_PORT_INSTRUCTIONS
    return std::make_unique<PortInstructionDriver>(found->second.portsOpened);
#else
    return nullptr;
#endif
}

FileSearchHandle LinuxDriverServices::findFirstFile(std::string_view) {
    lastError_ = ENOENT;
    return kNoFileSearch;
}

bool LinuxDriverServices::copyFile(std::string_view, std::string_view, bool) {
    lastError_ = ENOSYS;
    return false;
}

ServiceHandle LinuxDriverServices::openServiceManager(std::uint32_t) {
    lastError_ = ENOSYS;
    serviceManagerAsked_ = true;
    return kNoServiceHandle;
}

ServiceHandle LinuxDriverServices::openService(ServiceHandle, std::string_view, std::uint32_t) {
    lastError_ = ENOSYS;
    return kNoServiceHandle;
}

bool LinuxDriverServices::startService(ServiceHandle) {
    lastError_ = ENOSYS;
    return false;
}

ServiceHandle LinuxDriverServices::createService(ServiceHandle, const ServiceDefinition&) {
    lastError_ = ENOSYS;
    return kNoServiceHandle;
}

std::string LinuxDriverServices::failureNotes() const {
    if (notes_.empty()) {
        return {};
    }
    std::string tried;
    for (const std::string& text : notes_) {
        if (tried.find(text) != std::string::npos) {
            continue;  // the same answer from a second round
        }
        tried += tried.empty() ? "" : "; ";
        tried += text;
    }
    if (serviceManagerAsked_) {
        tried += "; no service manager to load a driver";
    }
    if (const std::optional<std::string> mode = kernelLockdownMode(lockdownPath_)) {
        // Nothing the user can do as root helps here; say so and what works.
        return "no I/O port access (" + tried + "): the kernel is locked down (" + *mode +
               "), which refuses I/O ports and /dev/mem even to root: only what the system "
               "offers without them (the kernel's firmware tables, the PCI device list) can be "
               "read here. Machine profiles (--machine FILE) still work.";
    }
    return "no I/O port access (" + tried +
           "). Run as root (or with CAP_SYS_RAWIO) on a kernel that allows I/O port access, or "
           "use --machine FILE.";
}

}  // namespace romwise
