#include "cli/cli_program.h"

#include <cstring>
#include <memory>
#include <optional>

#include "app/detection_session.h"
#include "app/main_controller.h"
#include "app/standard_detectors.h"
#include "cli/cli_options.h"
#include "cli/cli_view.h"
#include "cli/clock_keeping_detectors.h"
#include "hw/port_trace.h"
#include "model/control_ids.h"
#include "model/message_text.h"
#include "model/product_identity.h"
#include "platform/capture/recording_platform.h"
#include "platform/create_platform.h"
#include "platform/pass_document/pass_document.h"
#include "report/recording_shell.h"
#include "report/report_save.h"
#include "report/text_report.h"

namespace romwise {

namespace {

constexpr int kExitCompleted = 0;
constexpr int kExitUsage = 2;
constexpr int kExitStoppedEarly = 3;
constexpr int kExitFailed = 4;
constexpr int kExitOutputNotWritten = 5;

class FileTraceSink final : public PortTraceSink {
  public:
    explicit FileTraceSink(CliOutput& file) : file_(file) {}
    void line(const char* text) override { file_ << text << '\n'; }

  private:
    CliOutput& file_;
};

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

int exitStatusFor(RunState state) {
    switch (state) {
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

// The answer of the pass's last launch of each kind, if it made one.
std::optional<bool> launchAnswer(const std::vector<Launch>& launches, const std::string& how) {
    std::optional<bool> answer;
    for (const Launch& launch : launches) {
        if (launch.how == how) {
            answer = launch.ok;
        }
    }
    return answer;
}

bool writeCapture(RecordingPlatform& recording, const ClockKeepingDetectors& detectors,
                  const RecordingShell& shell, const CliOptions& options, CliOutput& errors) {
    sim::MachineCapture capture =
        captureMachine(recording, detectors.measuredMhz(), launchAnswer(shell.launches(), "open"),
                       launchAnswer(shell.launches(), "direct"));
    capture.description = std::string("Captured by romwise-cli ") + kVersionText + " from " +
                          (options.machine ? "the machine profile " + *options.machine
                                           : std::string("this computer"));
    try {
        sim::writeMachineProfile(capture, *options.capture);
    } catch (const std::exception& error) {
        errors << "romwise: the machine profile was not written: " << error.what() << '\n';
        return false;
    }
    return true;
}

}  // namespace

int runCli(const std::vector<std::string>& arguments, CliOutput& out, CliOutput& errors) {
    const CliParseResult parsed = parseCliOptions(arguments);
    if (!parsed.error.empty()) {
        errors << "romwise: " << escapeControlBytes(parsed.error)
               << "\nTry 'romwise-cli --help' for more information.\n";
        return kExitUsage;
    }
    const CliOptions& options = parsed.options;
    if (options.help) {
        out << kCliUsage;
        return kExitCompleted;
    }
    if (options.version) {
        out << "Romwise " << kVersionText << '\n';
        return kExitCompleted;
    }

    std::string refusal;
    const std::unique_ptr<Platform> created = createPlatform(options.machine, refusal);
    if (!created) {
        errors << "romwise: " << refusal << '\n';
        return kExitUsage;
    }
    // A capture keeps what the pass did as it passes through.
    std::unique_ptr<RecordingPlatform> recording;
    if (options.capture) {
        recording = std::make_unique<RecordingPlatform>(*created);
    }
    Platform* platform = recording ? recording.get() : created.get();

    std::optional<StdioOutput> traceFile;
    std::unique_ptr<FileTraceSink> traceSink;
    std::unique_ptr<TracingDriverHost> tracingHost;
    DriverHost* driverHost = &platform->driverHost();
    if (options.tracePorts) {
        // Binary: one LF per line on every system, as the trace format says.
        traceFile.emplace(StdioOutput::create(options.tracePorts->c_str()));
        if (!traceFile->isOpen()) {
            errors << "romwise: cannot write the port trace to \""
                   << escapeControlBytes(*options.tracePorts)
                   << "\"; check that the directory exists and is writable\n";
            return kExitUsage;
        }
        traceSink = std::make_unique<FileTraceSink>(*traceFile);
        tracingHost = std::make_unique<TracingDriverHost>(*driverHost, *traceSink);
        driverHost = tracingHost.get();
    }

    DetectionResults& results = processDetectionResults();
    DetectionOptions& switches = processDetectionOptions();
    CliView view(errors);
    RecordingShell shell(platform->shell());
    StandardDetectors standardDetectors(*platform);
    ClockKeepingDetectors detectors(standardDetectors);
    DetectionSession session(results, switches, view, detectors, platform->os(), *driverHost);
    MainController controller(session, shell);
    controller.initialize();
    switches.skipSuperIo = options.skipSuperIo ? 1 : 0;
    switches.skipDmi = options.skipDmi ? 1 : 0;

    for (int pass = 0; pass < options.passes; ++pass) {
        controller.getBiosInfo();
    }
    if (options.submit) {
        controller.submit();
    }

    int status = exitStatusFor(results.runState);
    if (options.output) {
        controller.save();
        // The save dialog's OK with the file name given on the command line.
        const std::unique_ptr<ReportFiles> files = createReportFiles();
        if (view.saveDialogRuns() > 0 &&
            !acceptSaveReport(results, *options.output, *files, view)) {
            status = kExitOutputNotWritten;
        }
    }
    if (recording && !writeCapture(*recording, detectors, shell, options, errors)) {
        status = kExitOutputNotWritten;
    }

    switch (options.format) {
        case OutputFormat::Report:
            if (options.output) {
                break;  // the save command already said why it refused
            }
            if (results.runState == RunState::Completed) {
                out << writeTextReport(results);
            } else {
                controller.save();  // refuses with the save command's message
            }
            break;
        case OutputFormat::Json:
            out << writePassDocument(results, switches, view.state(), shell.launches());
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
