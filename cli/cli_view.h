// The command line's stand-in for the main window: it keeps what the window
// would show, and reports message boxes and error statuses on standard error.
#pragma once

#include <cstdint>
#include <map>
#include <ostream>
#include <string>
#include <vector>

#include "model/main_view.h"

namespace romwise {

struct RecordedMessage {
    std::string text;
    std::string caption;
    std::string reason;  // the line under the text, when there is one
};

class CliView final : public MainView {
  public:
    explicit CliView(std::ostream& errors) : errors_(errors) {}

    void setFieldText(int controlId, const char* text) override;
    void enableControl(int controlId, bool enabled) override { enabled_[controlId] = enabled; }
    void showControl(int controlId, bool visible) override { visible_[controlId] = visible; }
    void setFocus(int controlId) override { focus_ = controlId; }
    void messageBox(const char* text, const char* caption) override;
    // The text and its reason each on a line of their own.
    void messageBoxWithReason(const char* text, const char* reason, const char* caption) override;
    void setButtonColors(int controlId, std::uint32_t textColor, std::uint32_t faceColor) override;
    void resetButtonColors(int controlId) override { highlighted_.erase(controlId); }

    // A terminal has no secondary dialogs: the close confirmation counts as
    // answered "no", and the others do nothing.
    DialogResult runCloseConfirmation() override { return DialogResult::Cancel; }
    void runSaveReportDialog() override { ++saveDialogRuns_; }
    void runPrintJob() override {}
    void runOptionsDialog() override {}
    void runMoreInfoDialog() override {}
    void runAboutBox() override {}
    void showHelp() override {}
    void endDialog() override { ended_ = true; }

    const std::map<int, std::string>& fields() const { return fields_; }
    std::string field(int controlId) const;
    const std::vector<RecordedMessage>& messages() const { return messages_; }
    bool isEnabled(int controlId) const;
    bool isVisible(int controlId) const;
    int focus() const { return focus_; }
    bool isHighlighted(int controlId) const { return highlighted_.count(controlId) != 0; }
    int saveDialogRuns() const { return saveDialogRuns_; }
    bool ended() const { return ended_; }

  private:
    std::ostream& errors_;
    std::map<int, std::string> fields_;
    std::map<int, bool> enabled_;
    std::map<int, bool> visible_;
    std::map<int, std::pair<std::uint32_t, std::uint32_t>> highlighted_;
    std::vector<RecordedMessage> messages_;
    int focus_ = 0;
    int saveDialogRuns_ = 0;
    bool ended_ = false;
};

}  // namespace romwise
