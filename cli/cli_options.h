// The command line of romwise-cli.
#pragma once

#include <optional>
#include <string>
#include <vector>

namespace romwise {

enum class OutputFormat { Report, Json, Url, ShortUrl };

struct CliOptions {
    std::optional<std::string> machine;
    bool skipSuperIo = false;
    bool skipDmi = false;
    int passes = 1;
    OutputFormat format = OutputFormat::Report;
    std::optional<std::string> output;
    bool submit = false;
    std::optional<std::string> tracePorts;
    std::optional<std::string> capture;
    bool help = false;
    bool version = false;
};

struct CliParseResult {
    CliOptions options;
    std::string error;  // empty when the command line is good
};

CliParseResult parseCliOptions(const std::vector<std::string>& arguments);

extern const char kCliUsage[];

}  // namespace romwise
