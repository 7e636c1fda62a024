#include "platform/linux/linux_hardware.h"

#include <fcntl.h>
#include <sys/mman.h>
#include <unistd.h>
#if defined(__i386__) || defined(__x86_64__)
#include <sys/io.h>
#define ROMWISE_HAVE_PORT_INSTRUCTIONS 1
#endif

#include <cerrno>
#include <cstring>

namespace romwise {

namespace {

std::string systemError(int error) {
    return std::strerror(error);
}

// Read-only views of physical memory through /dev/mem, released with the driver.
class PhysicalMappings {
  public:
    ~PhysicalMappings() {
        for (const Mapping& mapping : mappings_) {
            munmap(mapping.base, mapping.length);
        }
    }

    const std::uint8_t* map(std::uint32_t physicalAddress, std::uint32_t length) {
        const int fd = open("/dev/mem", O_RDONLY | O_CLOEXEC);
        if (fd < 0) {
            return nullptr;
        }
        const long page = sysconf(_SC_PAGESIZE);
        const std::uint32_t pageMask = static_cast<std::uint32_t>(page > 0 ? page : 4096) - 1;
        const std::uint32_t start = physicalAddress & ~pageMask;
        const std::size_t span = (physicalAddress - start) + length;
        void* base = mmap(nullptr, span, PROT_READ, MAP_SHARED, fd, static_cast<off_t>(start));
        close(fd);
        if (base == MAP_FAILED) {
            return nullptr;
        }
        mappings_.push_back({base, span});
        return static_cast<const std::uint8_t*>(base) + (physicalAddress - start);
    }

  private:
    struct Mapping {
        void* base;
        std::size_t length;
    };
    std::vector<Mapping> mappings_;
};

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
    bool readPortByte(std::uint32_t port, std::uint8_t& value) override {
        if (!permits(port)) {
            return false;
        }
        value = inb(static_cast<unsigned short>(port));
        return true;
    }
    bool readPortDword(std::uint32_t port, std::uint32_t& value) override {
        if (!permits(port + 3)) {
            return false;
        }
        value = inl(static_cast<unsigned short>(port));
        return true;
    }
    bool writePortByte(std::uint32_t port, std::uint8_t value) override {
        if (!permits(port)) {
            return false;
        }
        outb(value, static_cast<unsigned short>(port));
        return true;
    }
    bool writePortDword(std::uint32_t port, std::uint32_t value) override {
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
class DevPortDriver final : public HardwareDriver {
  public:
    explicit DevPortDriver(int fd) : fd_(fd) {}
    ~DevPortDriver() override { close(fd_); }
    DevPortDriver(const DevPortDriver&) = delete;
    DevPortDriver& operator=(const DevPortDriver&) = delete;

    bool isActive() override { return true; }
    bool readPortByte(std::uint32_t port, std::uint8_t& value) override {
        return pread(fd_, &value, 1, port) == 1;
    }
    bool readPortDword(std::uint32_t port, std::uint32_t& value) override {
        return pread(fd_, &value, 4, port) == 4;
    }
    bool writePortByte(std::uint32_t port, std::uint8_t value) override {
        return pwrite(fd_, &value, 1, port) == 1;
    }
    bool writePortDword(std::uint32_t port, std::uint32_t value) override {
        return pwrite(fd_, &value, 4, port) == 4;
    }
    const std::uint8_t* mapPhysToLinear(std::uint32_t address, std::uint32_t length) override {
        return memory_.map(address, length);
    }

  private:
    int fd_;
    PhysicalMappings memory_;
};

}  // namespace

std::unique_ptr<HardwareDriver> LinuxDriverHost::openHardwareDriver(std::string_view, bool, bool) {
    std::string tried;
#ifdef ROMWISE_HAVE_PORT_INSTRUCTIONS
    if (ioperm(0, kLegacyPortEnd, 1) == 0) {
        failureReason_.clear();
        return std::make_unique<PortInstructionDriver>(kLegacyPortEnd);
    }
    if (iopl(3) == 0) {
        failureReason_.clear();
        return std::make_unique<PortInstructionDriver>(kPortSpaceEnd);
    }
    tried = "port instructions (ioperm, iopl): " + systemError(errno);
#else
    tried = "port instructions: not available on this processor";
#endif
    const int fd = open("/dev/port", O_RDWR | O_CLOEXEC);
    if (fd >= 0) {
        failureReason_.clear();
        return std::make_unique<DevPortDriver>(fd);
    }
    tried += "; /dev/port: " + systemError(errno);
    failureReason_ = "no I/O port access (" + tried +
                     "). Run as root on a kernel that allows I/O port access, or use --machine.";
    return nullptr;
}

}  // namespace romwise
