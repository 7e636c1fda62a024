#include "ui/win32/program_options.h"

#include <string_view>

namespace romwise::ui::win32 {

namespace {

constexpr std::wstring_view kMachineAssignment = L"--machine=";
constexpr char kMachineNeedsFile[] = "option '--machine' needs a profile file";

// An argument as it may be quoted in a message: characters outside ASCII
// become "?", so that the message stays in the program's 8-bit texts.
std::string quoted(const std::wstring& argument) {
    std::string out;
    for (const wchar_t c : argument) {
        out += (c >= 0x20 && c < 0x7F) ? static_cast<char>(c) : '?';
    }
    return out;
}

}  // namespace

ProgramOptionsResult parseProgramOptions(const std::vector<std::wstring>& arguments) {
    ProgramOptionsResult result;
    ProgramOptions& options = result.options;
    for (std::size_t i = 0; i < arguments.size(); ++i) {
        const std::wstring& argument = arguments[i];
        if (argument == L"--machine") {
            if (i + 1 >= arguments.size() || arguments[i + 1].empty()) {
                result.error = kMachineNeedsFile;
                return result;
            }
            options.machine = arguments[++i];
        } else if (argument.rfind(kMachineAssignment, 0) == 0) {
            options.machine = argument.substr(kMachineAssignment.size());
            if (options.machine->empty()) {
                result.error = kMachineNeedsFile;
                return result;
            }
        } else if (argument == L"--get-bios-info") {
            options.getBiosInfo = true;
        } else if (argument == L"--help") {
            options.help = true;
        } else if (argument == L"--version") {
            options.version = true;
        } else {
            result.error = "unknown argument '" + quoted(argument) + "'";
            return result;
        }
    }
    return result;
}

}  // namespace romwise::ui::win32
