// Hands addresses to the browser on Linux: xdg-open for the default browser,
// x-www-browser or sensible-browser for the direct start.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "report/shell.h"

namespace romwise {

// An address as it goes on a Linux command line: bytes above 7Fh and control
// bytes percent-encoded (a command line carries no code page), the rest kept.
std::string commandLineAddress(std::string_view address);

class LinuxShell final : public Shell {
  public:
    // Looks the launchers up in $PATH.
    LinuxShell();
    // Looks the launchers up in these directories only.
    explicit LinuxShell(std::vector<std::string> searchDirectories);
    ~LinuxShell() override;

    // xdg-open, waited for; only its exit status 0 counts as a launch
    // (it exits 3 when no browser is configured).
    bool openAddress(const std::string& address) override;
    // The first of x-www-browser and sensible-browser found; a launch when it
    // started. The browser is not waited for.
    bool startBrowser(const std::string& parameters) override;

  private:
    std::string findProgram(const char* name) const;
    void reapFinishedBrowsers();

    std::vector<std::string> searchDirectories_;
    std::vector<int> browsers_;  // process ids of started browsers not yet reaped
};

}  // namespace romwise
