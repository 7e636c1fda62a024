// Where romwise-cli writes: standard output and error, the port trace file.
// Plain C stdio underneath: the program does without C++ streams, whose
// set-up (every facet of the classic locale) costs more at start-up than a
// whole pass on a machine profile.
#pragma once

#include <cstdio>
#include <string>
#include <string_view>

namespace romwise {

class CliOutput {
  public:
    virtual ~CliOutput() = default;
    virtual void write(std::string_view text) = 0;
    // Pushes out what is buffered. False when any write so far failed;
    // `cause` is then that failure's error number where known, else 0.
    virtual bool flush(int& cause) = 0;
};

inline CliOutput& operator<<(CliOutput& out, std::string_view text) {
    out.write(text);
    return out;
}

inline CliOutput& operator<<(CliOutput& out, const char* text) {
    return out << std::string_view(text);
}

inline CliOutput& operator<<(CliOutput& out, const std::string& text) {
    return out << std::string_view(text);
}

inline CliOutput& operator<<(CliOutput& out, char c) {
    out.write(std::string_view(&c, 1));
    return out;
}

// Numbers are written as text by the caller: without these, one would be
// taken for a character.
CliOutput& operator<<(CliOutput&, bool) = delete;
CliOutput& operator<<(CliOutput&, int) = delete;
CliOutput& operator<<(CliOutput&, unsigned) = delete;
CliOutput& operator<<(CliOutput&, long) = delete;
CliOutput& operator<<(CliOutput&, unsigned long) = delete;
CliOutput& operator<<(CliOutput&, long long) = delete;
CliOutput& operator<<(CliOutput&, unsigned long long) = delete;

// A C stream: one the caller keeps (standard output), or a file opened for
// writing and closed by this object.
class StdioOutput final : public CliOutput {
  public:
    explicit StdioOutput(std::FILE* stream) : stream_(stream) {}
    // Binary (one LF per line on every system); `isOpen()` tells whether
    // opening succeeded.
    static StdioOutput create(const char* path);
    ~StdioOutput() override;
    StdioOutput(StdioOutput&& other) noexcept;
    StdioOutput(const StdioOutput&) = delete;
    StdioOutput& operator=(const StdioOutput&) = delete;
    StdioOutput& operator=(StdioOutput&&) = delete;

    bool isOpen() const { return stream_ != nullptr; }
    void write(std::string_view text) override;
    bool flush(int& cause) override;

  private:
    std::FILE* stream_;
    bool owned_ = false;
    int cause_ = 0;
    bool failed_ = false;
};

}  // namespace romwise
