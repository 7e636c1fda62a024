#include "ui/window_options.h"

namespace romwise::ui {

WindowOptionsResult parseWindowOptions(const std::vector<std::string>& arguments) {
    WindowOptionsResult result;
    WindowOptions& options = result.options;
    for (size_t i = 0; i < arguments.size(); ++i) {
        const std::string& argument = arguments[i];
        if (argument == "--machine") {
            if (i + 1 >= arguments.size() || arguments[i + 1].empty()) {
                result.error = "option '--machine' needs a profile file";
                return result;
            }
            options.machine = arguments[++i];
        } else if (argument.rfind("--machine=", 0) == 0) {
            options.machine = argument.substr(10);
            if (options.machine->empty()) {
                result.error = "option '--machine' needs a profile file";
                return result;
            }
        } else if (argument == "--get-bios-info") {
            options.getBiosInfo = true;
        } else if (argument == "--exit-after-first-paint") {
            options.exitAfterFirstPaint = true;
        } else if (argument == "--help") {
            options.help = true;
        } else if (argument == "--version") {
            options.version = true;
        } else {
            result.error = "unknown argument '" + argument + "'";
            return result;
        }
    }
    return result;
}

}  // namespace romwise::ui
