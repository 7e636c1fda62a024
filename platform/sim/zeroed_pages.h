// Memory the system hands out zeroed, page by page as it is first touched:
// pages that are only read, or never, cost nothing. A 64 KiB view put
// together around a small table touches the pages the table fills and no
// others, where a zeroed heap block would touch all sixteen.
#pragma once

#include <cstddef>
#include <cstdint>

namespace romwise::sim {

class ZeroedPages {
  public:
    ZeroedPages() = default;
    // `data()` is null when the system refuses the memory.
    explicit ZeroedPages(std::size_t length);
    ~ZeroedPages();
    ZeroedPages(ZeroedPages&& other) noexcept;
    ZeroedPages& operator=(ZeroedPages&& other) noexcept;
    ZeroedPages(const ZeroedPages&) = delete;
    ZeroedPages& operator=(const ZeroedPages&) = delete;

    std::uint8_t* data() const { return data_; }

  private:
    void release();

    std::uint8_t* data_ = nullptr;
    std::size_t length_ = 0;
};

}  // namespace romwise::sim
