#include "platform/windows/windows_shell.h"

#include <windows.h>

#include <objbase.h>
#include <shellapi.h>

namespace romwise {

namespace {

constexpr const char* kOpenVerb = "open";
constexpr std::intptr_t kShellExecuteErrorLimit = 32;

bool launched(HINSTANCE result) {
    return reinterpret_cast<std::intptr_t>(result) > kShellExecuteErrorLimit;
}

void appendPercentEncoded(std::string& out, unsigned char byte) {
    static constexpr char kHexDigits[] = "0123456789ABCDEF";
    out.push_back('%');
    out.push_back(kHexDigits[byte >> 4]);
    out.push_back(kHexDigits[byte & 0x0F]);
}

}  // namespace

std::string commandLineArgument(std::string_view address) {
    std::string argument = "\"";
    for (const char character : address) {
        const auto byte = static_cast<unsigned char>(character);
        if (character == '"' || byte < 0x20 || byte == 0x7F) {
            appendPercentEncoded(argument, byte);
        } else {
            argument.push_back(character);
        }
    }
    // Backslashes right before the closing quote would escape it.
    std::size_t trailing = 0;
    while (trailing < address.size() && address[address.size() - 1 - trailing] == '\\') {
        ++trailing;
    }
    argument.append(trailing, '\\');
    argument.push_back('"');
    return argument;
}

WindowsShell::WindowsShell() {
    const HRESULT result =
        CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED | COINIT_DISABLE_OLE1DDE);
    // S_FALSE: already set up the same way, which also needs the matching
    // CoUninitialize. RPC_E_CHANGED_MODE: set up another way; leave it so.
    comInitialised_ = SUCCEEDED(result);
}

WindowsShell::~WindowsShell() {
    if (comInitialised_) {
        CoUninitialize();
    }
}

bool WindowsShell::openAddress(const std::string& address) {
    return launched(
        ShellExecuteA(nullptr, kOpenVerb, address.c_str(), nullptr, nullptr, SW_SHOWNORMAL));
}

bool WindowsShell::startBrowser(const std::string& parameters) {
    const std::string argument = commandLineArgument(parameters);
    return launched(ShellExecuteA(nullptr, kOpenVerb, kDirectBrowser, argument.c_str(), nullptr,
                                  SW_SHOWNORMAL));
}

}  // namespace romwise
