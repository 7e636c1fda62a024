// Feeds arbitrary arguments to the command-line parser, one per line of the
// input. A command line is taken with values inside their ranges or refused
// with a reason; an accepted one means the same when written back out.
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "cli/cli_options.h"
#include "tests/fuzz/fuzz_check.h"

namespace {

using namespace romwise;
using romwise::fuzz::require;

constexpr const char* kFormatNames[] = {"report", "json", "url", "short-url"};

// The options as a command line of their own.
std::vector<std::string> writtenOut(const CliOptions& options) {
    std::vector<std::string> arguments = {"--passes=" + std::to_string(options.passes), "--format",
                                          kFormatNames[static_cast<int>(options.format)]};
    const std::pair<const std::optional<std::string>*, const char*> values[] = {
        {&options.machine, "--machine"},
        {&options.output, "--output"},
        {&options.tracePorts, "--trace-ports"}};
    for (const auto& [value, name] : values) {
        if (*value) {
            arguments.insert(arguments.end(), {name, **value});
        }
    }
    const std::pair<bool, const char*> switches[] = {{options.skipSuperIo, "--skip-superio"},
                                                     {options.skipDmi, "--skip-dmi"},
                                                     {options.submit, "--submit"},
                                                     {options.help, "--help"},
                                                     {options.version, "--version"}};
    for (const auto& [on, name] : switches) {
        if (on) {
            arguments.push_back(name);
        }
    }
    return arguments;
}

bool same(const CliOptions& a, const CliOptions& b) {
    return a.machine == b.machine && a.skipSuperIo == b.skipSuperIo && a.skipDmi == b.skipDmi &&
           a.passes == b.passes && a.format == b.format && a.output == b.output &&
           a.submit == b.submit && a.tracePorts == b.tracePorts && a.help == b.help &&
           a.version == b.version;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    std::vector<std::string> arguments(1);
    for (std::size_t i = 0; i < size; ++i) {
        if (data[i] == '\n') {
            arguments.emplace_back();
        } else {
            arguments.back().push_back(static_cast<char>(data[i]));
        }
    }
    const CliParseResult parsed = parseCliOptions(arguments);
    if (!parsed.error.empty()) {
        return 0;
    }
    require(parsed.options.passes >= 1 && parsed.options.passes <= 1000);
    const CliParseResult again = parseCliOptions(writtenOut(parsed.options));
    require(again.error.empty() && same(again.options, parsed.options));
    return 0;
}
