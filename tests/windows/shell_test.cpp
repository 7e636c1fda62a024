// The direct browser start's argument: whatever bytes a firmware text puts
// into the address, the started program reads back exactly one argument, the
// address, with only the bytes a command line cannot carry percent-encoded.
#include <windows.h>

#include <shellapi.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/windows/windows_shell.h"

namespace romwise {
namespace {

// The arguments a program started with "browser.exe " + `argument` sees, as
// the system's own parser splits them.
std::vector<std::string> argumentsSeen(const std::string& argument) {
    const std::string line = "browser.exe " + argument;
    const std::wstring wide(line.begin(), line.end());  // ASCII in these cases
    int count = 0;
    LPWSTR* parsed = CommandLineToArgvW(wide.c_str(), &count);
    std::vector<std::string> arguments;
    for (int i = 1; parsed != nullptr && i < count; ++i) {
        const std::wstring one(parsed[i]);
        arguments.emplace_back(one.begin(), one.end());
    }
    LocalFree(parsed);
    return arguments;
}

TEST(DirectBrowserArgument, IsOneArgumentThatIsTheAddress) {
    const std::string form = "http://www.quorvel.com/leads/bios_upgrade_form.cfm?";
    struct Case {
        std::string address;
        std::string seen;
    };
    const std::vector<Case> cases = {
        {form + "uMBN=ACME&uOEM=Plain", form + "uMBN=ACME&uOEM=Plain"},
        {form + "uOEM=\"quoted\" -new", form + "uOEM=%22quoted%22%20-new"},
        {form + "uOEM=tab\there", form + "uOEM=tab%09here"},
        {form + "uOEM=two\r\nlines", form + "uOEM=two%0D%0Alines"},
        {form + "uRSz=back\\slash\\", form + "uRSz=back\\slash\\"},
        {form + "uRSz=\\\\", form + "uRSz=\\\\"},
    };
    for (const Case& c : cases) {
        std::string address = c.address;
        // Spaces are encoded before the shell sees the address.
        for (std::string::size_type at = 0; (at = address.find(' ', at)) != std::string::npos;) {
            address.replace(at, 1, "%20");
        }
        EXPECT_EQ(argumentsSeen(commandLineArgument(address)), std::vector<std::string>{c.seen})
            << c.address;
    }
}

}  // namespace
}  // namespace romwise
