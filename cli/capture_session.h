// Everything a command-line run records while its passes run, in one place:
// the port trace (--trace-ports), the browser launches the JSON document
// lists, and, for --capture, the whole pass with the processor clock it
// measured. The run asks it for the seams and the detectors to use, and
// the recording wrappers stand between them and the machine.
#pragma once

#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "app/detectors.h"
#include "cli/cli_output.h"
#include "hw/driver_host.h"
#include "model/platform.h"
#include "platform/sim/capture_names.h"
#include "report/recording_shell.h"
#include "report/report_files.h"

namespace romwise {

class RecordingPlatform;
class TracingDriverHost;

class CaptureSession {
  public:
    // Over the machine `platform`: recording it whole when `captureMachine`
    // is set, writing a line per port access to `portTrace` when given.
    CaptureSession(Platform& platform, bool captureMachine, CliOutput* portTrace);
    ~CaptureSession();
    CaptureSession(const CaptureSession&) = delete;
    CaptureSession& operator=(const CaptureSession&) = delete;

    OsServices& os();
    DriverHost& driverHost();
    Shell& shell() { return shell_; }
    Detectors& detectors();

    // The browser launches of the run, in order.
    const std::vector<Launch>& launches() const { return shell_.launches(); }

    // Writes the machine the passes ran on as the machine profile `names`
    // gives, with its binary inputs beside it, described by `description`,
    // through `files`, all or none. False, with `problem` saying which file
    // and why, when they were not all written.
    bool writeCapture(const sim::CaptureNames& names, const std::string& description,
                      ReportFiles& files, std::string& problem);

  private:
    class ClockKeepingDetectors;
    class TraceSink;

    Platform& machine();

    Platform& platform_;
    std::unique_ptr<RecordingPlatform> recording_;
    std::unique_ptr<TraceSink> traceSink_;
    std::unique_ptr<TracingDriverHost> tracingHost_;
    RecordingShell shell_;
    std::unique_ptr<Detectors> standardDetectors_;
    std::unique_ptr<ClockKeepingDetectors> detectors_;
};

}  // namespace romwise
