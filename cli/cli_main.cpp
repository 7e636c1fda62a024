#include <cstdio>
#include <string>
#include <vector>

#include "cli/cli_output.h"
#include "cli/cli_program.h"
#include "platform/standard_descriptors.h"
#include "platform/standard_streams.h"

int main(int argc, char** argv) {
    if (!romwise::openClosedStandardDescriptors()) {
        return romwise::kExitOutputNotWritten;
    }
    romwise::reportBrokenPipesAsWriteErrors();
    romwise::useBinaryStandardStreams();
    const std::vector<std::string> arguments(argv + 1, argv + argc);
    romwise::StdioOutput out(stdout);
    romwise::StdioOutput errors(stderr);
    return romwise::runCli(arguments, out, errors);
}
