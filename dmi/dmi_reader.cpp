#include "dmi/dmi_reader.h"

#include <utility>

#include "hw/rom_window.h"

namespace romwise {

std::uint32_t BytesAvailable(const MemoryView& view, std::uint64_t address) {
    if (view.data == nullptr || address < view.physicalAddress) {
        return 0;
    }
    const std::uint64_t offset = address - view.physicalAddress;
    return offset < view.length ? static_cast<std::uint32_t>(view.length - offset) : 0;
}

const std::uint8_t* BytesInView(const MemoryView& view, std::uint64_t address,
                                std::uint32_t length) {
    if (view.data == nullptr || address < view.physicalAddress) {
        return nullptr;
    }
    const std::uint64_t offset = address - view.physicalAddress;
    if (offset > view.length || length > view.length - offset) {
        return nullptr;
    }
    return view.data + offset;
}

DmiReader::DmiReader(std::unique_ptr<PhysicalMemoryWindow> window, FirmwareTables* firmwareTables)
    : window_(std::move(window)), firmwareTables_(firmwareTables) {}

DmiReader::~DmiReader() {
    release();
}

bool DmiReader::open() {
    if (window_ == nullptr || !window_->ResolveNativeServices()) {
        return false;
    }
    open_ = window_->Open();
    return open_;
}

bool DmiReader::map(std::uint64_t address, std::uint32_t length, MemoryView& view) {
    unmap(view);
    if (!open_) {
        return false;
    }
    MemoryView mapped;
    if (!window_->MapRange(address, length, mapped)) {
        return false;
    }
    view = mapped;
    return true;
}

void DmiReader::unmap(MemoryView& view) {
    if (view.data != nullptr) {
        window_->UnmapRange(view);
        view = MemoryView{};
    }
}

bool DmiReader::mapEntryWindow() {
    return map(kRomBase, kRomLength, entryWindow_);
}

bool DmiReader::mapTableWindow(std::uint64_t address, std::uint32_t length) {
    return map(address, length, tableWindow_);
}

const SmbiosTables* DmiReader::firmwareTables() {
    if (!firmwareRead_ && firmwareTables_ != nullptr) {
        firmwareCopy_ = firmwareTables_->readSmbiosTables();
    }
    firmwareRead_ = true;
    return firmwareCopy_ ? &*firmwareCopy_ : nullptr;
}

void DmiReader::release() {
    firmwareCopy_.reset();
    if (window_ == nullptr) {
        return;
    }
    unmap(entryWindow_);
    unmap(tableWindow_);
    if (open_) {
        window_->Close();
        open_ = false;
    }
}

}  // namespace romwise
