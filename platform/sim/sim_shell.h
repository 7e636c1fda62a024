// The shell of a machine profile: browser launches succeed or fail as the
// profile says, and every one is recorded.
#pragma once

#include <string>
#include <vector>

#include "platform/sim/machine_profile.h"
#include "report/shell.h"

namespace romwise::sim {

// Records every browser launch; whether it succeeds is the profile's choice.
class SimShell final : public Shell {
  public:
    struct Launch {
        std::string how;  // "open" (default browser) or "direct" (standard browser)
        std::string target;
        bool ok = false;
    };

    explicit SimShell(const ProfileBrowser& browser) : browser_(browser) {}

    bool openAddress(const std::string& address) override;
    bool startBrowser(const std::string& parameters) override;

    const std::vector<Launch>& launches() const { return launches_; }

  private:
    ProfileBrowser browser_;
    std::vector<Launch> launches_;
};

}  // namespace romwise::sim
