// The command line of romwise-cli.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "app/command_line.h"

namespace romwise {

enum class OutputFormat { Report, Json, Url, ShortUrl };

// The shared options (profile, the two switches, help, version) and the
// command line's own.
struct CliOptions : SharedOptions {
    int passes = 1;
    OutputFormat format = OutputFormat::Report;
    std::optional<std::string> output;
    bool submit = false;
    std::optional<std::string> tracePorts;
    std::optional<std::string> capture;
};

struct CliParseResult {
    CliOptions options;
    std::string error;  // empty when the command line is good
};

CliParseResult parseCliOptions(const std::vector<std::string>& arguments);

extern const char kCliUsage[];

}  // namespace romwise
