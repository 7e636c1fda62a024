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
    "                        On this computer it needs what a pass needs (root)\n"
    "  --help                show this help and exit\n"
    "  --version             show the program's version and exit\n"
    "\n"
    "Message boxes and status texts go to standard error as \"romwise: TEXT\".\n"
    "\n"
    "Exit status:\n"
    "  0  the last pass completed\n"
    "  2  bad usage, or a machine profile that was refused\n"
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
    for (std::size_t i = 0; i < arguments.size(); ++i) {
        std::string name = arguments[i];
        std::optional<std::string> inlineValue;
        if (const auto equals = name.find('='); name.rfind("--", 0) == 0 && equals != name.npos) {
            inlineValue = name.substr(equals + 1);
            name = name.substr(0, equals);
        }
        // Options that take a value accept "--name VALUE" and "--name=VALUE".
        auto value = [&](std::string& out) {
            if (inlineValue) {
                out = *inlineValue;
                return true;
            }
            if (i + 1 >= arguments.size()) {
                result.error = "option " + name + " needs a value";
                return false;
            }
            out = arguments[++i];
            return true;
        };
        std::string text;
        if (name == "--help" || name == "-h") {
            options.help = true;
        } else if (name == "--version") {
            options.version = true;
        } else if (name == "--skip-superio") {
            options.skipSuperIo = true;
        } else if (name == "--skip-dmi") {
            options.skipDmi = true;
        } else if (name == "--submit") {
            options.submit = true;
        } else if (name == "--machine") {
            if (!value(text))
                return result;
            options.machine = text;
        } else if (name == "--output") {
            if (!value(text))
                return result;
            options.output = text;
        } else if (name == "--trace-ports") {
            if (!value(text))
                return result;
            options.tracePorts = text;
        } else if (name == "--capture") {
            if (!value(text))
                return result;
            options.capture = text;
        } else if (name == "--passes") {
            if (!value(text))
                return result;
            const auto passes = parsePasses(text);
            if (!passes) {
                result.error = "--passes needs a whole number from 1 to " +
                               std::to_string(kMaxPasses) + ", got \"" + text + "\"";
                return result;
            }
            options.passes = *passes;
        } else if (name == "--format") {
            if (!value(text))
                return result;
            const auto format = formatByName(text);
            if (!format) {
                result.error =
                    "--format must be report, json, url or short-url, got \"" + text + "\"";
                return result;
            }
            options.format = *format;
        } else {
            result.error = "unknown option \"" + arguments[i] + "\"";
            return result;
        }
        if (inlineValue && (name == "--help" || name == "--version" || name == "--skip-superio" ||
                            name == "--skip-dmi" || name == "--submit" || name == "-h")) {
            result.error = "option " + name + " takes no value";
            return result;
        }
    }
    return result;
}

}  // namespace romwise
