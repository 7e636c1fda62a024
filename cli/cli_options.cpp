#include "cli/cli_options.h"

#include <charconv>
#include <string_view>

namespace romwise {

const char kCliUsage[] =
    "Usage: romwise-cli [OPTIONS]\n"
    "\n"
    "Identifies this computer's BIOS, SMBIOS/DMI data, processor, chipset and Super I/O\n"
    "chip the way the Get BIOS Info button of the Romwise window does, and prints the\n"
    "result. Without --machine it reads this computer's hardware, which needs root (or\n"
    "CAP_SYS_RAWIO) and a kernel that allows access to /dev/mem and the I/O ports.\n"
    "\n"
    "Options:\n"
    "  --machine FILE        run on a machine profile (a JSON file describing a recorded\n"
    "                        or simulated machine) instead of this computer; see\n"
    "                        samples/ and docs/machine-profiles.md\n"
    "  --skip-superio        do not probe the Super I/O chip (as the options dialog's\n"
    "                        Super I/O switch)\n"
    "  --skip-dmi            do not read the SMBIOS/DMI tables; the processor is then\n"
    "                        identified directly and memory comes from the system\n"
    "  --passes N            run N detection passes in one process (default 1), as\n"
    "                        clicking Get BIOS Info N times; the output shows the last\n"
    "  --format FORMAT       what to print on standard output:\n"
    "                          report     the text report, as the save command writes\n"
    "                                     it (default)\n"
    "                          json       every field of the results record, the window's\n"
    "                                     field texts, message boxes, browser launches and\n"
    "                                     the state of its buttons\n"
    "                          url        the full upgrade-request address\n"
    "                          short-url  the short upgrade-request address\n"
    "  --output FILE         save the text report to FILE, as the save command does:\n"
    "                        an existing file is replaced whole, keeping its owner,\n"
    "                        permissions and links; a device, FIFO or terminal is\n"
    "                        written to; a read-only file is refused\n"
    "  --submit              after the passes, hand the upgrade request to the browser,\n"
    "                        as the Submit button does\n"
    "  --trace-ports FILE    write one line per I/O port access to FILE\n"
    "                        (\"W 2E 87\", \"R 2F 52\", \"W32 CF8 80000000\", \"R32 CFC "
    "71908086\")\n"
    "  --capture FILE        after the passes, write a machine profile of the machine\n"
    "                        they ran on to FILE (JSON), with its ROM window\n"
    "                        (STEM-rom.bin) and SMBIOS tables (STEM.dmi) beside it;\n"
    "                        --machine FILE replays it with the same report and JSON.\n"
    "                        The three files are written as --output writes, all or\n"
    "                        none; a FILE that names a folder or one of the files\n"
    "                        beside it (STEM.dmi) is refused before any pass.\n"
    "                        On this computer it needs what a pass needs (root)\n"
    "  --help                show this help and exit\n"
    "  --version             show the program's version and exit\n"
    "\n"
    "Message boxes and status texts go to standard error as \"romwise: TEXT\".\n"
    "\n"
    "Exit status:\n"
    "  0  the last pass completed\n"
    "  2  bad usage (a --capture FILE that cannot be a profile too), or a machine\n"
    "     profile that was refused\n"
    "  3  the last pass stopped early (no administrator rights, no hardware driver,\n"
    "     BIOS ROM not readable)\n"
    "  4  the last pass failed (unsupported platform, out of memory)\n"
    "  5  an output could not be written: the report to the --output file, the\n"
    "     machine profile to the --capture file, or standard output or the\n"
    "     --trace-ports file in full (a full disk, a closed pipe); a message says\n"
    "     which. It takes the place of 0, 3 and 4.\n";

namespace {

constexpr int kMaxPasses = 1000;

struct FormatName {
    std::string_view name;
    OutputFormat format;
};
constexpr FormatName kFormats[] = {
    {"report", OutputFormat::Report},
    {"json", OutputFormat::Json},
    {"url", OutputFormat::Url},
    {"short-url", OutputFormat::ShortUrl},
};

std::optional<OutputFormat> formatByName(std::string_view name) {
    for (const FormatName& entry : kFormats) {
        if (entry.name == name) {
            return entry.format;
        }
    }
    return std::nullopt;
}

std::optional<int> parsePasses(std::string_view text) {
    int value = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (error != std::errc() || end != text.data() + text.size() || value < 1 ||
        value > kMaxPasses) {
        return std::nullopt;
    }
    return value;
}

}  // namespace

CliParseResult parseCliOptions(const std::vector<std::string>& arguments) {
    CliParseResult result;
    CliOptions& options = result.options;
    CommandLine commandLine;
    addSharedOptions(commandLine, options, {.machine = true, .detectionSwitches = true});
    const auto keep = [](std::optional<std::string>& target) {
        return [&target](const std::string& value) {
            target = value;
            return std::string();
        };
    };
    commandLine.flag("--submit", options.submit)
        .option("--output", keep(options.output))
        .option("--trace-ports", keep(options.tracePorts))
        .option("--capture", keep(options.capture))
        .option("--passes",
                [&options](const std::string& text) {
                    const auto passes = parsePasses(text);
                    if (!passes) {
                        return "--passes needs a whole number from 1 to " +
                               std::to_string(kMaxPasses) + ", got \"" + text + "\"";
                    }
                    options.passes = *passes;
                    return std::string();
                })
        .option("--format", [&options](const std::string& text) {
            const auto format = formatByName(text);
            if (!format) {
                return "--format must be report, json, url or short-url, got \"" + text + "\"";
            }
            options.format = *format;
            return std::string();
        });
    result.error = commandLine.parse(arguments);
    return result;
}

}  // namespace romwise
