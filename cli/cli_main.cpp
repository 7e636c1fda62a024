#include <iostream>
#include <string>
#include <vector>

#include "cli/cli_program.h"
#include "platform/standard_streams.h"

int main(int argc, char** argv) {
    romwise::useBinaryStandardStreams();
    const std::vector<std::string> arguments(argv + 1, argv + argc);
    const int status = romwise::runCli(arguments, std::cout, std::cerr);
    std::cout.flush();
    return status;
}
