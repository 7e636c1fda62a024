// Runs the command line in process, as a new process would run it: with a
// fresh record, capturing its output and error streams.
#pragma once

#include <sstream>
#include <string>
#include <vector>

#include "cli/cli_stream_output.h"
#include "model/detection_results.h"

namespace romwise::testing {

struct CliRun {
    int status = -1;
    std::string out;
    std::string err;
};

inline CliRun runCliWith(const std::vector<std::string>& arguments) {
    processDetectionResults() = DetectionResults{};
    std::ostringstream out, err;
    CliRun run;
    run.status = runCli(arguments, out, err);
    run.out = out.str();
    run.err = err.str();
    return run;
}

}  // namespace romwise::testing
