// Hands addresses to the user's web browser.
#pragma once

#include <string>

namespace romwise {

class Shell {
  public:
    virtual ~Shell() = default;
    // Opens an address with the default browser; true when it started.
    virtual bool openAddress(const std::string& address) = 0;
    // Starts the platform's standard browser directly with `parameters`.
    virtual bool startBrowser(const std::string& parameters) = 0;
};

}  // namespace romwise
