// romwise-pass: one detection pass on this computer, printed as the JSON
// document, for the window of an ordinary user, which starts it through
// polkit's pkexec. It runs as root, so it takes no file names and no other
// options than the window's two switches.
#include <cstdio>
#include <string>
#include <vector>

#include "app/command_line.h"
#include "cli/cli_output.h"
#include "cli/cli_program.h"
#include "platform/standard_descriptors.h"
#include "platform/standard_streams.h"

namespace {

constexpr int kExitUsage = 2;
constexpr char kProgram[] = "romwise-pass";
constexpr char kUsage[] =
    "Usage: romwise-pass [--skip-superio] [--skip-dmi]\n"
    "\n"
    "Runs one detection pass on this computer and prints it as a JSON document.\n"
    "The Romwise window starts it through pkexec when its user may not read the\n"
    "hardware; it is not meant to be run by hand.\n"
    "\n"
    "  --skip-superio  do not probe the Super I/O chip\n"
    "  --skip-dmi      do not read the SMBIOS/DMI tables\n"
    "  --help          show this help and exit\n"
    "  --version       show the version and exit\n";

}  // namespace

int main(int argc, char** argv) {
    if (!romwise::openClosedStandardDescriptors()) {
        return romwise::kExitOutputNotWritten;
    }
    romwise::reportBrokenPipesAsWriteErrors();
    romwise::useBinaryStandardStreams();
    romwise::StdioOutput out(stdout);
    romwise::StdioOutput errors(stderr);

    romwise::SharedOptions options;
    romwise::CommandLine commandLine;
    // Root reads no profile and no file a user names: only the switches.
    romwise::addSharedOptions(commandLine, options, {.machine = false, .detectionSwitches = true});
    const std::string refusal = commandLine.parse(std::vector<std::string>(argv + 1, argv + argc));
    if (!refusal.empty()) {
        errors << romwise::usageErrorText(kProgram, refusal);
        return kExitUsage;
    }
    if (options.help || options.version) {
        out << (options.help ? std::string(kUsage) : romwise::versionText());
        return 0;
    }
    std::vector<std::string> arguments = {"--format", "json"};
    if (options.skipSuperIo) {
        arguments.emplace_back("--skip-superio");
    }
    if (options.skipDmi) {
        arguments.emplace_back("--skip-dmi");
    }
    return romwise::runCli(arguments, out, errors);
}
