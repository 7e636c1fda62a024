// How a detection pass ended, as the pass returns it: the front ends act on
// this (exit status, messages on a terminal) instead of reading the window's
// texts back.
#pragma once

#include <string>

#include "model/detection_results.h"

namespace romwise {

enum class PassEnd {
    Completed,
    // The platform is not supported, or the pass could not start: the
    // status line says which.
    Failed,
    // No administrator rights: the message box said so.
    StoppedAtAdministratorCheck,
    // The hardware-access driver could not be opened or is not active.
    StoppedAtDriver,
    // The ROM window could not be mapped; the pass shows no message.
    StoppedAtRom,
};

struct PassOutcome {
    PassEnd end = PassEnd::Completed;
    // What the pass told the user when it ended early: the status line of a
    // failed pass, the message box of a stopped one; empty otherwise.
    std::string message;
    // The line under the driver message that says why, when the platform
    // could tell.
    std::string reason;

    // The record's state after a pass that ended so.
    RunState runState() const {
        switch (end) {
            case PassEnd::Completed:
                return RunState::Completed;
            case PassEnd::Failed:
                return RunState::Failed;
            case PassEnd::StoppedAtAdministratorCheck:
            case PassEnd::StoppedAtDriver:
            case PassEnd::StoppedAtRom:
                break;
        }
        return RunState::Started;
    }
};

}  // namespace romwise
