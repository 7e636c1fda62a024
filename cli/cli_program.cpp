#include "cli/cli_program.h"

#include <cstring>
#include <memory>
#include <optional>

#include "app/detection_session.h"
#include "app/main_controller.h"
#include "cli/capture_session.h"
#include "cli/cli_options.h"
#include "cli/cli_view.h"
#include "model/message_text.h"
#include "model/product_identity.h"
#include "platform/create_platform.h"
#include "platform/pass_document/pass_document.h"
#include "report/text_report.h"

namespace romwise {

namespace {

constexpr int kExitCompleted = 0;
constexpr int kExitUsage = 2;
constexpr int kExitStoppedEarly = 3;
constexpr int kExitFailed = 4;

// Flushes `output`; false when any write to it failed (a full disk, a
// closed pipe), with `errors` told which output and, where known, why.
bool flushChecked(CliOutput& output, const std::string& what, CliOutput& errors) {
    int cause = 0;
    if (output.flush(cause)) {
        return true;
    }
    errors << "romwise: cannot write " << escapeControlBytes(what);
    if (cause != 0) {
        errors << ": " << std::strerror(cause);
    }
    errors << '\n';
    return false;
}

int exitStatusFor(const PassOutcome& outcome) {
    switch (outcome.runState()) {
        case RunState::Completed:
            return kExitCompleted;
        case RunState::Failed:
            return kExitFailed;
        case RunState::Started:
        case RunState::NotRun:
            break;
    }
    return kExitStoppedEarly;
}

std::string captureDescription(const CliOptions& options) {
    return std::string("Captured by romwise-cli ") + kVersionText + " from " +
           (options.machine ? "the machine profile " + *options.machine
                            : std::string("this computer"));
}

}  // namespace

int runCli(const std::vector<std::string>& arguments, CliOutput& out, CliOutput& errors) {
    const CliParseResult parsed = parseCliOptions(arguments);
    if (!parsed.error.empty()) {
        errors << usageErrorText("romwise-cli", parsed.error);
        return kExitUsage;
    }
    const CliOptions& options = parsed.options;
    if (options.help) {
        out << kCliUsage;
        return kExitCompleted;
    }
    if (options.version) {
        out << versionText();
        return kExitCompleted;
    }

    // A capture path that cannot name a profile is refused before any pass.
    std::optional<sim::CaptureNames> captureNames;
    if (options.capture) {
        std::string problem;
        captureNames = sim::captureNames(*options.capture, problem);
        if (!captureNames) {
            errors << "romwise: --capture \"" << escapeControlBytes(*options.capture)
                   << "\": " << escapeControlBytes(problem)
                   << "; give a file name for the profile, such as machine.json\n";
            return kExitUsage;
        }
    }

    std::string refusal;
    const std::unique_ptr<Platform> platform = createPlatform(options.machine, refusal);
    if (!platform) {
        errors << "romwise: " << refusal << '\n';
        return kExitUsage;
    }
    std::optional<StdioOutput> traceFile;
    if (options.tracePorts) {
        // Binary: one LF per line on every system, as the trace format says.
        traceFile.emplace(StdioOutput::create(options.tracePorts->c_str()));
        if (!traceFile->isOpen()) {
            errors << "romwise: cannot write the port trace to \""
                   << escapeControlBytes(*options.tracePorts)
                   << "\"; check that the directory exists and is writable\n";
            return kExitUsage;
        }
    }
    CaptureSession recorded(*platform, options.capture.has_value(),
                            traceFile ? &*traceFile : nullptr);

    DetectionResults& results = processDetectionResults();
    DetectionOptions& switches = processDetectionOptions();
    CliView view(errors);
    const std::unique_ptr<ReportFiles> files = createReportFiles();
    DetectionSession session(results, switches, view, recorded.detectors(), recorded.os(),
                             recorded.driverHost());
    MainController controller(session, recorded.shell(), *files);
    controller.initialize();
    switches.skipSuperIo = options.skipSuperIo ? 1 : 0;
    switches.skipDmi = options.skipDmi ? 1 : 0;

    PassOutcome outcome;
    for (int pass = 0; pass < options.passes; ++pass) {
        view.forgetPassAccess();
        outcome = controller.getBiosInfo();
        // A failed pass says why only in the window's status line, which a
        // terminal user does not see.
        if (outcome.end == PassEnd::Failed) {
            view.tell(outcome.message);
        }
    }
    if (options.submit) {
        controller.submit();
    }

    int status = exitStatusFor(outcome);
    if (options.output && controller.saveReport(*options.output) == SaveOutcome::NotWritten) {
        status = kExitOutputNotWritten;
    }
    if (captureNames) {
        std::string problem;
        if (!recorded.writeCapture(*captureNames, captureDescription(options), *files, problem)) {
            errors << "romwise: the machine profile was not written: "
                   << escapeControlBytes(problem) << '\n';
            status = kExitOutputNotWritten;
        }
    }

    switch (options.format) {
        case OutputFormat::Report:
            // With --output the save has said why it refused; without, the
            // report is printed as the save command would write it.
            if (!options.output && controller.checkSaveAllowed()) {
                out << writeTextReport(results);
            }
            break;
        case OutputFormat::Json:
            out << writePassDocument(results, switches, view.state(), recorded.launches());
            break;
        case OutputFormat::Url:
            out << results.upgradeUrl.c_str() << '\n';
            break;
        case OutputFormat::ShortUrl:
            out << results.upgradeUrlShort.c_str() << '\n';
            break;
    }
    // Output cut short is no result: it ends with the status of an output
    // that could not be written.
    if (traceFile &&
        !flushChecked(*traceFile, "the port trace to \"" + *options.tracePorts + "\"", errors)) {
        status = kExitOutputNotWritten;
    }
    if (!flushChecked(out, "to standard output", errors)) {
        status = kExitOutputNotWritten;
    }
    return status;
}

}  // namespace romwise
