// A fixed-capacity, NUL-terminated 8-bit text that can never overflow.
//
// Every write (assign, append, printf-style format) keeps at most Capacity - 1
// bytes and always leaves a terminating NUL. The bytes are kept as they are:
// texts from firmware are raw 8-bit data, not UTF-8.
#pragma once

#include <cstdarg>
#include <cstddef>
#include <cstdio>
#include <cstring>
#include <string>
#include <string_view>

namespace romwise {

// Writes printf-style output into a buffer of `capacity` bytes, cutting at
// capacity - 1. Returns the number of bytes kept.
std::size_t formatInto(char* buffer, std::size_t capacity, const char* format, std::va_list args)
    __attribute__((format(printf, 3, 0)));

template <std::size_t Capacity>
class FixedText {
    static_assert(Capacity >= 1, "a fixed text needs room for its terminator");

  public:
    static constexpr std::size_t capacity = Capacity;

    FixedText() { bytes_[0] = '\0'; }
    explicit FixedText(std::string_view text) { assign(text); }

    const char* c_str() const { return bytes_; }
    // Direct access for detectors that fill a caller's buffer; the writer must
    // stay within `capacity` bytes including the terminator.
    char* data() { return bytes_; }
    std::size_t size() const { return std::strlen(bytes_); }
    bool empty() const { return bytes_[0] == '\0'; }
    std::string_view view() const { return std::string_view(bytes_, size()); }
    std::string str() const { return std::string(view()); }

    // The text from `offset` onward; empty when the text is shorter.
    const char* from(std::size_t offset) const {
        const std::size_t length = size();
        return offset <= length ? bytes_ + offset : bytes_ + length;
    }

    void clear() { bytes_[0] = '\0'; }

    void assign(std::string_view text) {
        const std::size_t kept = text.size() < Capacity - 1 ? text.size() : Capacity - 1;
        if (kept != 0) {  // an empty view may carry no data pointer at all
            std::memmove(bytes_, text.data(), kept);
        }
        bytes_[kept] = '\0';
    }
    FixedText& operator=(std::string_view text) {
        assign(text);
        return *this;
    }

    void append(std::string_view text) {
        const std::size_t length = size();
        const std::size_t room = Capacity - 1 - length;
        const std::size_t kept = text.size() < room ? text.size() : room;
        if (kept != 0) {
            std::memmove(bytes_ + length, text.data(), kept);
        }
        bytes_[length + kept] = '\0';
    }

    // Keeps the first `offset` bytes (the label) and replaces the rest.
    void assignFrom(std::size_t offset, std::string_view text) {
        if (offset > size()) {
            offset = size();
        }
        bytes_[offset] = '\0';
        append(text);
    }

    void format(const char* fmt, ...) __attribute__((format(printf, 2, 3))) {
        std::va_list args;
        va_start(args, fmt);
        formatInto(bytes_, Capacity, fmt, args);
        va_end(args);
    }

    void appendFormat(const char* fmt, ...) __attribute__((format(printf, 2, 3))) {
        const std::size_t length = size();
        std::va_list args;
        va_start(args, fmt);
        formatInto(bytes_ + length, Capacity - length, fmt, args);
        va_end(args);
    }

    // Overwrites one byte inside the current text (used for the "first
    // character becomes 0" reset); writing at the terminator extends by one.
    void setByte(std::size_t index, char value) {
        const std::size_t length = size();
        if (index < length) {
            bytes_[index] = value;
        } else if (index == length && index + 1 < Capacity) {
            bytes_[index] = value;
            bytes_[index + 1] = '\0';
        }
    }

    bool operator==(std::string_view other) const { return view() == other; }

  private:
    char bytes_[Capacity];
};

}  // namespace romwise
