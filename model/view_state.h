// What a pass leaves in the window, kept as data: a command-line run prints
// it, and a pass that another process ran hands it back to the window.
#pragma once

#include <cstdint>
#include <map>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "model/pass_access.h"

namespace romwise {

// A message box: its text, caption, and the line under the text that says
// why, when there is one.
struct RecordedMessage {
    std::string text;
    std::string caption;
    std::string reason;
};

struct ViewState {
    // Texts (Windows-1252, as the record holds them) of the fields written.
    std::map<int, std::string> fields;
    std::vector<RecordedMessage> messages;
    // Controls enabled or shown, and hidden or disabled, as last set;
    // controls never set keep the window's own state.
    std::map<int, bool> enabled;
    std::map<int, bool> visible;
    int focus = 0;  // 0: never moved
    // Buttons in their highlight colours: text and face colour.
    std::map<int, std::pair<std::uint32_t, std::uint32_t>> highlighted;
    // Which way the pass reached the firmware; nothing when it stopped
    // before either route began.
    std::optional<PassAccess> access;
};

}  // namespace romwise
