// A kernel object handle that is closed when its owner goes.
#pragma once

#include <windows.h>

#include <utility>

namespace romwise {

class OwnedHandle {
  public:
    OwnedHandle() = default;
    // Takes `handle`; INVALID_HANDLE_VALUE and nullptr both mean none.
    explicit OwnedHandle(HANDLE handle)
        : handle_(handle == nullptr ? INVALID_HANDLE_VALUE : handle) {}
    ~OwnedHandle() { close(); }
    OwnedHandle(OwnedHandle&& other) noexcept
        : handle_(std::exchange(other.handle_, INVALID_HANDLE_VALUE)) {}
    OwnedHandle& operator=(OwnedHandle&& other) noexcept {
        if (this != &other) {
            close();
            handle_ = std::exchange(other.handle_, INVALID_HANDLE_VALUE);
        }
        return *this;
    }
    OwnedHandle(const OwnedHandle&) = delete;
    OwnedHandle& operator=(const OwnedHandle&) = delete;

    HANDLE get() const { return handle_; }
    bool valid() const { return handle_ != INVALID_HANDLE_VALUE; }
    // Closes the handle; false when there was none or the system reports an
    // error (for a file: data it could not write).
    bool close() {
        return valid() && CloseHandle(std::exchange(handle_, INVALID_HANDLE_VALUE)) != 0;
    }

  private:
    HANDLE handle_ = INVALID_HANDLE_VALUE;
};

}  // namespace romwise
