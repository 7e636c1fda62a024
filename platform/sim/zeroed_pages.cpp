#include "platform/sim/zeroed_pages.h"

#include <utility>

#ifdef _WIN32
#include <windows.h>
#else
#include <sys/mman.h>
#endif

namespace romwise::sim {

namespace {

std::uint8_t* allocatePages(std::size_t length) {
#ifdef _WIN32
    return static_cast<std::uint8_t*>(
        VirtualAlloc(nullptr, length, MEM_RESERVE | MEM_COMMIT, PAGE_READWRITE));
#else
    void* pages = mmap(nullptr, length, PROT_READ | PROT_WRITE, MAP_PRIVATE | MAP_ANONYMOUS, -1, 0);
    return pages == MAP_FAILED ? nullptr : static_cast<std::uint8_t*>(pages);
#endif
}

void freePages(std::uint8_t* pages, [[maybe_unused]] std::size_t length) {
#ifdef _WIN32
    VirtualFree(pages, 0, MEM_RELEASE);
#else
    munmap(pages, length);
#endif
}

}  // namespace

ZeroedPages::ZeroedPages(std::size_t length)
    : data_(length == 0 ? nullptr : allocatePages(length)), length_(data_ ? length : 0) {}

ZeroedPages::~ZeroedPages() {
    release();
}

ZeroedPages::ZeroedPages(ZeroedPages&& other) noexcept
    : data_(std::exchange(other.data_, nullptr)), length_(std::exchange(other.length_, 0)) {}

ZeroedPages& ZeroedPages::operator=(ZeroedPages&& other) noexcept {
    if (this != &other) {
        release();
        data_ = std::exchange(other.data_, nullptr);
        length_ = std::exchange(other.length_, 0);
    }
    return *this;
}

void ZeroedPages::release() {
    if (data_ != nullptr) {
        freePages(data_, length_);
        data_ = nullptr;
        length_ = 0;
    }
}

}  // namespace romwise::sim
