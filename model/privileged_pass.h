// A detection pass run by another process that has the rights this one
// lacks (on Linux: a helper started through polkit's pkexec), for a window
// run by an ordinary user.
#pragma once

#include <optional>
#include <string>

#include "model/detection_results.h"
#include "model/view_state.h"

namespace romwise {

struct PassAnswer {
    DetectionResults results;  // the record after the pass
    ViewState view;            // what the pass left in the window
};

class PrivilegedPass {
  public:
    virtual ~PrivilegedPass() = default;
    // Runs one pass with the switches; nothing, with `reason` saying why in
    // words for the user, when it could not run or gave no answer.
    virtual std::optional<PassAnswer> run(const DetectionOptions& options, std::string& reason) = 0;
};

}  // namespace romwise
