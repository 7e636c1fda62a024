#include "ui/qt/window_options.h"

#include <string_view>

namespace romwise::ui {

namespace {

// The options every Qt program takes (QGuiApplication, QApplication, and the
// X11 ones), left for QApplication to read: whether each takes a value.
struct QtOption {
    std::string_view name;
    bool takesValue;
};
constexpr QtOption kQtOptions[] = {
    {"-platform", true},
    {"-platformpluginpath", true},
    {"-platformtheme", true},
    {"-plugin", true},
    {"-qwindowgeometry", true},
    {"-qwindowicon", true},
    {"-qwindowtitle", true},
    {"-reverse", false},
    {"-session", true},
    {"-style", true},
    {"-stylesheet", true},
    {"-widgetcount", false},
    {"-display", true},
    {"-geometry", true},
    {"-fn", true},
    {"-font", true},
    {"-bg", true},
    {"-background", true},
    {"-fg", true},
    {"-foreground", true},
    {"-btn", true},
    {"-button", true},
    {"-name", true},
    {"-title", true},
    {"-visual", true},
    {"-ncols", true},
    {"-cmap", false},
    {"-im", true},
    {"-inputstyle", true},
    {"-nograb", false},
    {"-dograb", false},
    {"-sync", false},
    {"-qmljsdebugger", true},
};

// The Qt option `argument` names ("-style", "--style" or "-style=fusion"),
// or nothing.
const QtOption* qtOption(std::string_view argument, bool& valueInline) {
    if (argument.rfind("--", 0) == 0) {
        argument.remove_prefix(1);  // Qt takes either spelling
    }
    const std::size_t equals = argument.find('=');
    valueInline = equals != std::string_view::npos;
    const std::string_view name = argument.substr(0, equals);
    for (const QtOption& option : kQtOptions) {
        if (option.name == name && (option.takesValue || !valueInline)) {
            return &option;
        }
    }
    return nullptr;
}

}  // namespace

WindowOptionsResult parseWindowOptions(const std::vector<std::string>& arguments) {
    WindowOptionsResult result;
    WindowOptions& options = result.options;
    for (size_t i = 0; i < arguments.size(); ++i) {
        const std::string& argument = arguments[i];
        bool valueInline = false;
        if (const QtOption* qt = qtOption(argument, valueInline)) {
            if (qt->takesValue && !valueInline) {
                if (i + 1 >= arguments.size()) {
                    result.error = "option '" + argument + "' needs a value";
                    return result;
                }
                ++i;  // QApplication reads the value too
            }
            continue;
        }
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
