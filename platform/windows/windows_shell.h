// Hands addresses to the browser on Windows: ShellExecuteA "open" for the
// default browser, and Internet Explorer at its fixed path for the direct
// start.
//
// The addresses arrive already in their canonical form: the record's
// addresses are encoded by the program's own encoder (spaces as %20,
// everything else as it is, which is what InternetCanonicalizeUrlA does with
// ICU_ENCODE_SPACES_ONLY), so that the record, the report and the JSON are
// the same bytes on every system. Nothing here encodes them again, and
// WinINet is not needed.
#pragma once

#include <string>
#include <string_view>

#include "report/shell.h"

namespace romwise {

// An address as one argument of a command line: in double quotes, with
// every double quote and control byte percent-encoded (a URL holds neither
// as such) and a trailing run of backslashes doubled, so that the program
// started reads back exactly one argument, the address.
std::string commandLineArgument(std::string_view address);

class WindowsShell final : public Shell {
  public:
    static constexpr const char* kDirectBrowser =
        "C:\\Program Files\\Internet Explorer\\iexplore.exe";

    // The shell may hand the address to a COM extension, so COM is set up
    // for this thread (apartment-threaded, without OLE1 DDE) while the
    // object lives, unless the thread already has it another way.
    WindowsShell();
    ~WindowsShell() override;
    WindowsShell(const WindowsShell&) = delete;
    WindowsShell& operator=(const WindowsShell&) = delete;

    // ShellExecuteA with "open" and SW_SHOWNORMAL; a launch when the result
    // is above 32.
    bool openAddress(const std::string& address) override;
    // ShellExecuteA "open" on the fixed browser path with the address as its
    // parameter string; a launch when the result is above 32.
    bool startBrowser(const std::string& parameters) override;

  private:
    bool comInitialised_ = false;
};

}  // namespace romwise
