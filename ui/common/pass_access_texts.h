// What both windows show of the way a pass reached the firmware: the main
// window's caption, which carries the note after a firmware-tables pass,
// and the rows the More info dialog lists under the memory slots.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "model/pass_access.h"

namespace romwise::ui {

// The main window's caption: the application's title and version alone, or,
// after a firmware-tables pass, with the note after a dash (control bytes
// escaped, so that it stays one line). Windows-1252 bytes, as the record's
// texts (the title itself is ASCII).
std::string mainWindowCaption(const std::optional<PassAccess>& access);

// One row of the More info dialog's two-column list.
struct MoreInfoRow {
    std::string label;
    std::string value;

    bool operator==(const MoreInfoRow&) const = default;
};

// The rows after the total: none after a driver-route pass or none at all;
// after a firmware-tables pass a blank row, the route and where each step
// read from (ASCII).
std::vector<MoreInfoRow> moreInfoAccessRows(const std::optional<PassAccess>& access);

}  // namespace romwise::ui
