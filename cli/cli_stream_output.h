// romwise-cli's outputs over C++ streams, for callers that have them (the
// tests): the program itself writes through stdio.
#pragma once

#include <ostream>
#include <string>
#include <vector>

#include "cli/cli_output.h"
#include "cli/cli_program.h"

namespace romwise {

class StreamOutput final : public CliOutput {
  public:
    explicit StreamOutput(std::ostream& stream) : stream_(stream) {}
    void write(std::string_view text) override;
    bool flush(int& cause) override;

  private:
    std::ostream& stream_;
    int cause_ = 0;  // of the first write that failed
};

// runCli writing to streams.
int runCli(const std::vector<std::string>& arguments, std::ostream& out, std::ostream& errors);

}  // namespace romwise
