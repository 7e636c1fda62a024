// The physical-memory side of one SMBIOS reading: the window and its two
// views, the entry window (the ROM window, searched for the entry point) and the structure table's
// window.
#pragma once

#include <cstdint>
#include <memory>
#include <optional>

#include "hw/firmware_tables.h"
#include "hw/physical_memory_window.h"

namespace romwise {

// The `length` bytes at physical `address` inside `view`, or nullptr when
// they do not lie wholly inside what the view mapped.
const std::uint8_t* BytesInView(const MemoryView& view, std::uint64_t address,
                                std::uint32_t length);

// The number of bytes `view` holds from physical `address` on (0 when the
// address lies outside it).
std::uint32_t BytesAvailable(const MemoryView& view, std::uint64_t address);

// Owns the window for one reading. release() unmaps every view it mapped and
// closes the window; the reading calls it at its end, whatever happened, and
// the destructor calls it again for a reading that never got there. Where
// the platform offers its own copy of the tables, the reader keeps what it
// read of it for the reading as well.
class DmiReader {
  public:
    explicit DmiReader(std::unique_ptr<PhysicalMemoryWindow> window,
                       FirmwareTables* firmwareTables = nullptr);
    ~DmiReader();
    DmiReader(const DmiReader&) = delete;
    DmiReader& operator=(const DmiReader&) = delete;

    // Whether the platform offers the window and it opens.
    bool open();
    bool mapEntryWindow();
    bool mapTableWindow(std::uint64_t address, std::uint32_t length);
    // The platform's copy of the tables, read once per reading; nullptr
    // when the platform offers none.
    const SmbiosTables* firmwareTables();
    void release();

    const MemoryView& entryWindow() const { return entryWindow_; }
    const MemoryView& tableWindow() const { return tableWindow_; }
    PhysicalMemoryWindow* window() { return window_.get(); }

  private:
    bool map(std::uint64_t address, std::uint32_t length, MemoryView& view);
    void unmap(MemoryView& view);

    std::unique_ptr<PhysicalMemoryWindow> window_;
    FirmwareTables* firmwareTables_;
    std::optional<SmbiosTables> firmwareCopy_;
    bool firmwareRead_ = false;
    bool open_ = false;
    MemoryView entryWindow_;
    MemoryView tableWindow_;
};

}  // namespace romwise
