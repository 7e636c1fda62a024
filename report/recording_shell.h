// Passes launches on to a shell and keeps a record of each.
#pragma once

#include <string>
#include <vector>

#include "report/shell.h"

namespace romwise {

struct Launch {
    std::string how;  // "open" or "direct"
    std::string target;
    bool ok = false;
};

class RecordingShell final : public Shell {
  public:
    explicit RecordingShell(Shell& inner) : inner_(inner) {}

    bool openAddress(const std::string& address) override {
        const bool ok = inner_.openAddress(address);
        launches_.push_back({"open", address, ok});
        return ok;
    }
    bool startBrowser(const std::string& parameters) override {
        const bool ok = inner_.startBrowser(parameters);
        launches_.push_back({"direct", parameters, ok});
        return ok;
    }
    const std::vector<Launch>& launches() const { return launches_; }

  private:
    Shell& inner_;
    std::vector<Launch> launches_;
};

}  // namespace romwise
