#include "ui/win32/window_options.h"

#include "ui/win32/wide_text.h"

namespace romwise::ui::win32 {

WindowOptionsResult parseWindowOptions(const std::vector<std::wstring>& arguments) {
    WindowOptionsResult result;
    WindowOptions& options = result.options;
    CommandLine commandLine;
    addSharedOptions(commandLine, options, {.machine = true});
    commandLine.flag("--get-bios-info", options.getBiosInfo);
    std::vector<std::string> utf8;
    for (const std::wstring& argument : arguments) {
        utf8.push_back(utf8FromWide(argument));
    }
    result.error = commandLine.parse(utf8);
    return result;
}

}  // namespace romwise::ui::win32
