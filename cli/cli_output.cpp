#include "cli/cli_output.h"

#include <cerrno>
#include <utility>

namespace romwise {

StdioOutput StdioOutput::create(const char* path) {
    StdioOutput output(std::fopen(path, "wb"));
    output.owned_ = true;
    return output;
}

StdioOutput::~StdioOutput() {
    if (owned_ && stream_ != nullptr) {
        std::fclose(stream_);
    }
}

StdioOutput::StdioOutput(StdioOutput&& other) noexcept
    : stream_(std::exchange(other.stream_, nullptr)),
      owned_(other.owned_),
      cause_(other.cause_),
      failed_(other.failed_) {}

void StdioOutput::write(std::string_view text) {
    if (stream_ == nullptr || text.empty()) {
        return;
    }
    errno = 0;
    if (std::fwrite(text.data(), 1, text.size(), stream_) != text.size() && !failed_) {
        failed_ = true;
        cause_ = errno;
    }
}

bool StdioOutput::flush(int& cause) {
    if (stream_ == nullptr) {
        cause = 0;
        return false;
    }
    errno = 0;
    if (std::fflush(stream_) != 0 && !failed_) {
        failed_ = true;
        cause_ = errno;
    }
    failed_ = failed_ || std::ferror(stream_) != 0;
    cause = cause_;
    return !failed_;
}

}  // namespace romwise
