// The JSON document of the command line: the whole record, the dialog's
// field texts, the message boxes and the browser launches.
#pragma once

#include <string>
#include <vector>

#include "cli/cli_view.h"
#include "model/detection_results.h"
#include "report/recording_shell.h"

namespace romwise {

std::string jsonDocument(const DetectionResults& results, const DetectionOptions& options,
                         const CliView& view, const std::vector<Launch>& launches);

}  // namespace romwise
