#include "cli/cli_program.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <fstream>
#include <memory>

#include "app/detection_session.h"
#include "app/main_controller.h"
#include "app/standard_detectors.h"
#include "cli/cli_options.h"
#include "cli/cli_view.h"
#include "cli/json_document.h"
#include "hw/port_trace.h"
#include "model/control_ids.h"
#include "model/message_text.h"
#include "model/product_identity.h"
#include "platform/create_platform.h"
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
    explicit FileTraceSink(std::ofstream& file) : file_(file) {}
    void line(const char* text) override {
        file_ << text << '\n';
        if (!file_ && cause_ == 0) {
            cause_ = errno;
        }
    }
    // The error of the first write that failed; 0 when none did (or unknown).
    int cause() const { return cause_; }

  private:
    std::ofstream& file_;
    int cause_ = 0;
};

// Flushes `stream`; false when any write to it failed (a full disk, a
// closed pipe), with `errors` told which output and, where known, why:
// `earlierCause`, the error of a write that failed before, or the flush's.
bool flushChecked(std::ostream& stream, const std::string& what, int earlierCause,
                  std::ostream& errors) {
    errno = 0;
    if (stream.flush()) {
        return true;
    }
    const int cause = earlierCause != 0 ? earlierCause : errno;
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

}  // namespace

int runCli(const std::vector<std::string>& arguments, std::ostream& out, std::ostream& errors) {
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

    const std::unique_ptr<Platform> platform = createPlatform(options.machine, errors);
    if (!platform) {
        return kExitUsage;
    }

    std::ofstream traceFile;
    std::unique_ptr<FileTraceSink> traceSink;
    std::unique_ptr<TracingDriverHost> tracingHost;
    DriverHost* driverHost = &platform->driverHost();
    if (options.tracePorts) {
        traceFile.open(*options.tracePorts, std::ios::trunc);
        if (!traceFile) {
            errors << "romwise: cannot write the port trace to \""
                   << escapeControlBytes(*options.tracePorts)
                   << "\"; check that the directory exists and is writable\n";
            return kExitUsage;
        }
        traceSink = std::make_unique<FileTraceSink>(traceFile);
        tracingHost = std::make_unique<TracingDriverHost>(*driverHost, *traceSink);
        driverHost = tracingHost.get();
    }

    DetectionResults& results = processDetectionResults();
    DetectionOptions& switches = processDetectionOptions();
    CliView view(errors);
    RecordingShell shell(platform->shell());
    StandardDetectors detectors(*platform);
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

    errno = 0;
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
            out << jsonDocument(results, switches, view, shell.launches());
            break;
        case OutputFormat::Url:
            out << results.upgradeUrl.c_str() << '\n';
            break;
        case OutputFormat::ShortUrl:
            out << results.upgradeUrlShort.c_str() << '\n';
            break;
    }
    const int outputCause = out ? 0 : errno;
    // Output cut short is no result: it ends with the status of an output
    // that could not be written.
    if (traceSink && !flushChecked(traceFile, "the port trace to \"" + *options.tracePorts + "\"",
                                   traceSink->cause(), errors)) {
        status = kExitOutputNotWritten;
    }
    if (!flushChecked(out, "to standard output", outputCause, errors)) {
        status = kExitOutputNotWritten;
    }
    return status;
}

}  // namespace romwise
