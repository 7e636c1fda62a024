// romwise-pass: one detection pass on this computer, printed as the JSON
// document, for the window of an ordinary user, which starts it through
// polkit's pkexec. It runs as root, so it takes no file names and no other
// options than the window's two switches.
#include <iostream>
#include <string>
#include <vector>

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
            std::cerr << "romwise-pass: unknown argument \"" << argument
                      << "\" (it takes only --skip-superio and --skip-dmi; it is started by the "
                         "Romwise window)\n";
            return kExitUsage;
        }
        arguments.push_back(argument);
    }
    const int status = romwise::runCli(arguments, std::cout, std::cerr);
    std::cout.flush();
    return status;
}
