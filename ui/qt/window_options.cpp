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

}  // namespace

WindowOptionsResult parseWindowOptions(const std::vector<std::string>& arguments) {
    WindowOptionsResult result;
    WindowOptions& options = result.options;
    CommandLine commandLine;
    addSharedOptions(commandLine, options, {.machine = true});
    commandLine.flag("--get-bios-info", options.getBiosInfo)
        .flag("--exit-after-first-paint", options.exitAfterFirstPaint);
    // QApplication reads these from the same arguments.
    for (const QtOption& qt : kQtOptions) {
        commandLine.passOver(qt.name, qt.takesValue);
    }
    result.error = commandLine.parse(arguments);
    return result;
}

}  // namespace romwise::ui
