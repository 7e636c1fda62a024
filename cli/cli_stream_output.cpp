#include "cli/cli_stream_output.h"

#include <cerrno>
#include <memory>

#include "cli/cli_program.h"
#include "cli/cli_view.h"

namespace romwise {

void StreamOutput::write(std::string_view text) {
    errno = 0;
    if (!stream_.write(text.data(), static_cast<std::streamsize>(text.size())) && cause_ == 0) {
        cause_ = errno;
    }
}

bool StreamOutput::flush(int& cause) {
    errno = 0;
    const bool flushed = static_cast<bool>(stream_.flush());
    if (!flushed && cause_ == 0) {
        cause_ = errno;
    }
    cause = flushed ? 0 : cause_;
    return flushed;
}

int runCli(const std::vector<std::string>& arguments, std::ostream& out, std::ostream& errors) {
    StreamOutput outOutput(out);
    StreamOutput errorsOutput(errors);
    return runCli(arguments, static_cast<CliOutput&>(outOutput),
                  static_cast<CliOutput&>(errorsOutput));
}

CliView::CliView(std::ostream& errors)
    : ownedErrors_(std::make_unique<StreamOutput>(errors)), errors_(*ownedErrors_) {}

}  // namespace romwise
