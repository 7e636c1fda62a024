#include "cli/cli_view.h"

#include <string_view>

#include "model/message_text.h"
#include "platform/encoding/text_encoding.h"

namespace romwise {

namespace {

// Each line of `text` as a "romwise: " line of its own, other control bytes
// escaped, so that nothing in a message can start an unmarked line or reach
// the terminal as a command.
void writeMessageLines(CliOutput& errors, const char* text) {
    const std::string utf8 = windows1252ToUtf8(text);
    std::string_view rest = utf8;
    for (;;) {
        const std::size_t end = rest.find('\n');
        errors << "romwise: " << escapeControlBytes(rest.substr(0, end)) << '\n';
        if (end == std::string_view::npos) {
            break;
        }
        rest.remove_prefix(end + 1);
    }
}
}  // namespace

void CliView::setFieldText(int controlId, const char* text) {
    state_.fields[controlId] = text;
}

void CliView::tell(const std::string& text) {
    writeMessageLines(errors_, text.c_str());
}

void CliView::messageBox(const char* text, const char* caption) {
    state_.messages.push_back({text, caption, {}});
    writeMessageLines(errors_, text);
}

void CliView::messageBoxWithReason(const char* text, const char* reason, const char* caption) {
    messageBox(text, caption);
    if (reason != nullptr && *reason != '\0') {
        state_.messages.back().reason = reason;
        writeMessageLines(errors_, reason);
    }
}

void CliView::setButtonColors(int controlId, std::uint32_t textColor, std::uint32_t faceColor) {
    state_.highlighted[controlId] = {textColor, faceColor};
}

void CliView::showPassAccess(const PassAccess& access) {
    state_.access = access;
    // One line whatever the reason holds: a line feed in it is escaped too.
    if (access.route == PassRoute::FirmwareTables) {
        errors_ << "romwise: " << escapeControlBytes(windows1252ToUtf8(accessNoteLine(access)))
                << '\n';
    }
}

std::string CliView::field(int controlId) const {
    const auto it = state_.fields.find(controlId);
    return it == state_.fields.end() ? std::string() : it->second;
}

bool CliView::isEnabled(int controlId) const {
    const auto it = state_.enabled.find(controlId);
    return it == state_.enabled.end() ? true : it->second;
}

bool CliView::isVisible(int controlId) const {
    const auto it = state_.visible.find(controlId);
    return it == state_.visible.end() ? true : it->second;
}

}  // namespace romwise
