#include "app/privileged_run.h"

#include <utility>

#include "app/detection_run.h"
#include "model/control_ids.h"
#include "model/product_identity.h"
#include "model/run_texts.h"

namespace romwise {

namespace {

// The message box a pass that stopped early shows names its step; a pass
// stopped at the ROM shows none.
struct StopMessage {
    const char* text;
    PassEnd end;
};
constexpr StopMessage kStopMessages[] = {
    {kInsufficientPrivileges, PassEnd::StoppedAtAdministratorCheck},
    {kDriverLoadError, PassEnd::StoppedAtDriver},
};

PassOutcome outcomeOf(const PassAnswer& answer) {
    switch (answer.results.runState) {
        case RunState::Completed:
            return {};
        case RunState::Failed: {
            const auto status = answer.view.fields.find(control::kSignOn);
            return {PassEnd::Failed,
                    status == answer.view.fields.end() ? std::string() : status->second,
                    {}};
        }
        case RunState::Started:
        case RunState::NotRun:
            break;
    }
    for (const RecordedMessage& message : answer.view.messages) {
        for (const StopMessage& stop : kStopMessages) {
            if (message.text == stop.text) {
                return {stop.end, message.text, message.reason};
            }
        }
    }
    return {PassEnd::StoppedAtRom, {}, {}};
}

}  // namespace

PassOutcome applyPassAnswer(DetectionSession& session, const PassAnswer& answer) {
    MainView& view = session.view;
    session.results = answer.results;
    // The helper's pass told its route before it wrote the fields, so the
    // fields, told after it here too, end as the helper's window had them.
    if (answer.view.access) {
        view.showPassAccess(*answer.view.access);
    }
    for (const auto& [id, text] : answer.view.fields) {
        view.setFieldText(id, text.c_str());
    }
    for (const auto& [id, visible] : answer.view.visible) {
        view.showControl(id, visible);
    }
    for (const auto& [id, enabled] : answer.view.enabled) {
        view.enableControl(id, enabled);
    }
    // A completed pass moves the highlight from Get BIOS Info to Submit.
    if (answer.view.highlighted.count(control::kGetBiosInfo) == 0) {
        view.resetButtonColors(control::kGetBiosInfo);
    }
    for (const auto& [id, colors] : answer.view.highlighted) {
        view.setButtonColors(id, colors.first, colors.second);
    }
    for (const RecordedMessage& message : answer.view.messages) {
        view.messageBoxWithReason(message.text.c_str(), message.reason.c_str(),
                                  message.caption.c_str());
    }
    if (answer.view.focus != 0) {
        view.setFocus(answer.view.focus);
    }
    return outcomeOf(answer);
}

PassOutcome runPrivilegedPass(DetectionSession& session) {
    MainView& view = session.view;
    view.showControl(control::kMoreInfo, false);
    view.setFieldText(control::kSignOn, kSearchingStatus);
    std::string reason;
    const std::optional<PassAnswer> answer = session.privilegedPass->run(session.options, reason);
    if (!answer) {
        // This process may still read what the system offers any user.
        if (auto outcome = runFirmwareTablesPass(session, "no privileged helper: " + reason)) {
            return std::move(*outcome);
        }
        session.results.runState = RunState::Started;
        view.messageBoxWithReason(kDriverLoadError, reason.c_str(), kApplicationTitle);
        view.setFieldText(control::kSignOn, " ");
        return {PassEnd::StoppedAtDriver, kDriverLoadError, reason};
    }
    return applyPassAnswer(session, *answer);
}

}  // namespace romwise
