// The JSON document of a pass: the whole record, the two switches, what the
// pass left in the window (field texts, message boxes, controls shown and
// enabled, focus, highlighted buttons) and the browser launches. The
// command line prints it (--format json); the privileged helper hands it to
// the window, which reads it back. Texts are UTF-8 in the document and
// Windows-1252 in the record.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "model/detection_results.h"
#include "model/view_state.h"
#include "report/recording_shell.h"

namespace romwise {

std::string writePassDocument(const DetectionResults& results, const DetectionOptions& options,
                              const ViewState& view, const std::vector<Launch>& launches);

struct PassDocument {
    DetectionResults results;
    DetectionOptions options;
    ViewState view;
};

// The record, switches and window of a document; nothing, with `problem`
// saying why, when the text is not such a document.
std::optional<PassDocument> readPassDocument(std::string_view json, std::string& problem);

}  // namespace romwise
