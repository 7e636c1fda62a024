// romwise-pass: one detection pass on this computer, printed as the JSON
// document, for the window of an ordinary user, which starts it through
// polkit's pkexec. It runs as root, so it takes no file names and no other
// options than the window's two switches.
#include <cstdio>
#include <string>
#include <vector>

#include "cli/cli_output.h"
#include "cli/cli_program.h"
#include "platform/standard_streams.h"

namespace {
constexpr int kExitUsage = 2;
constexpr const char* kSwitches[] = {"--skip-superio", "--skip-dmi"};
}  // namespace

int main(int argc, char** argv) {
    romwise::useBinaryStandardStreams();
    std::vector<std::string> arguments = {"--format", "json"};
    for (int i = 1; i < argc; ++i) {
        const std::string argument = argv[i];
        bool known = false;
        for (const char* name : kSwitches) {
            known = known || argument == name;
        }
        if (!known) {
            std::fprintf(stderr,
                         "romwise-pass: unknown argument \"%s\" (it takes only --skip-superio and "
                         "--skip-dmi; it is started by the Romwise window)\n",
                         argument.c_str());
            return kExitUsage;
        }
        arguments.push_back(argument);
    }
    romwise::StdioOutput out(stdout);
    romwise::StdioOutput errors(stderr);
    return romwise::runCli(arguments, out, errors);
}
