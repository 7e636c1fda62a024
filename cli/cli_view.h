// The command line's stand-in for the main window: it keeps what the window
// would show, and reports message boxes on standard error.
#pragma once

#include <cstdint>
#include <iosfwd>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "cli/cli_output.h"
#include "model/main_view.h"
#include "model/view_state.h"

namespace romwise {

class CliView final : public MainView {
  public:
    explicit CliView(CliOutput& errors) : errors_(errors) {}
    // Writing to a C++ stream, through an adapter the view keeps.
    explicit CliView(std::ostream& errors);

    void setFieldText(int controlId, const char* text) override;
    // A text the window would show only in a field, told on standard error
    // as a message is.
    void tell(const std::string& text);
    void enableControl(int controlId, bool enabled) override {
        state_.enabled[controlId] = enabled;
    }
    void showControl(int controlId, bool visible) override { state_.visible[controlId] = visible; }
    void setFocus(int controlId) override { state_.focus = controlId; }
    void messageBox(const char* text, const char* caption) override;
    // The text and its reason each on a line of their own.
    void messageBoxWithReason(const char* text, const char* reason, const char* caption) override;
    void setButtonColors(int controlId, std::uint32_t textColor, std::uint32_t faceColor) override;
    void resetButtonColors(int controlId) override { state_.highlighted.erase(controlId); }
    // Kept for the JSON document; the firmware-tables route is also told on
    // standard error, as a message is, when it is taken.
    void showPassAccess(const PassAccess& access) override;
    // A new pass starts with no route taken.
    void forgetPassAccess() { state_.access.reset(); }

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

    const ViewState& state() const { return state_; }
    const std::map<int, std::string>& fields() const { return state_.fields; }
    std::string field(int controlId) const;
    const std::vector<RecordedMessage>& messages() const { return state_.messages; }
    bool isEnabled(int controlId) const;
    bool isVisible(int controlId) const;
    int focus() const { return state_.focus; }
    bool isHighlighted(int controlId) const { return state_.highlighted.count(controlId) != 0; }
    int saveDialogRuns() const { return saveDialogRuns_; }
    bool ended() const { return ended_; }

  private:
    std::unique_ptr<CliOutput> ownedErrors_;
    CliOutput& errors_;
    ViewState state_;
    int saveDialogRuns_ = 0;
    bool ended_ = false;
};

}  // namespace romwise
