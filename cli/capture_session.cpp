#include "cli/capture_session.h"

#include "app/standard_detectors.h"
#include "hw/port_trace.h"
#include "platform/capture/recording_platform.h"

namespace romwise {

// Passes every step to the standard detectors and keeps the processor clock
// a pass measured, which a capture must replay exactly.
class CaptureSession::ClockKeepingDetectors final : public Detectors {
  public:
    explicit ClockKeepingDetectors(Detectors& inner) : inner_(inner) {}

    // The clock of the last processor identification; nothing before one.
    std::optional<std::int32_t> measuredMhz() const { return measuredMhz_; }

    std::unique_ptr<OsInfo> createOsInfo() override { return inner_.createOsInfo(); }
    bool identifySuperIo(HardwareDriver& driver, bool skipPorts2E4E,
                         FixedText<260>& line) override {
        return inner_.identifySuperIo(driver, skipPorts2E4E, line);
    }
    bool identifyChipset(HardwareDriver& driver, FixedText<260>& line,
                         bool& skipPorts2E4E) override {
        return inner_.identifyChipset(driver, line, skipPorts2E4E);
    }
    bool identifyBios(HardwareDriver& driver, DetectionResults& results) override {
        return inner_.identifyBios(driver, results);
    }
    void shortenAwardBiosId(const FixedText<80>& typeLine, FixedText<128>& idLine) override {
        inner_.shortenAwardBiosId(typeLine, idLine);
    }
    bool readDmi(DmiSummary& summary, MemorySlotSizes& slots) override {
        return inner_.readDmi(summary, slots);
    }
    SystemOffer readSystemOffer() override { return inner_.readSystemOffer(); }
    bool identifyListedChipset(const std::vector<ListedPciDevice>& devices, FixedText<260>& line,
                               bool& skipPorts2E4E) override {
        return inner_.identifyListedChipset(devices, line, skipPorts2E4E);
    }
    bool readDmiFromTables(DmiSummary& summary, MemorySlotSizes& slots) override {
        return inner_.readDmiFromTables(summary, slots);
    }
    ProcessorIdentity identifyProcessor() override {
        ProcessorIdentity identity = inner_.identifyProcessor();
        measuredMhz_ = identity.measuredMhz;
        return identity;
    }
    void readLocaleAndTimeZone(DetectionResults& results) override {
        inner_.readLocaleAndTimeZone(results);
    }
    void buildUpgradeUrls(DetectionResults& results, const char* biosVendorCode) override {
        inner_.buildUpgradeUrls(results, biosVendorCode);
    }

  private:
    Detectors& inner_;
    std::optional<std::int32_t> measuredMhz_;
};

// One LF-ended line per port access.
class CaptureSession::TraceSink final : public PortTraceSink {
  public:
    explicit TraceSink(CliOutput& file) : file_(file) {}
    void line(const char* text) override { file_ << text << '\n'; }

  private:
    CliOutput& file_;
};

namespace {

// The answer of the run's last launch of each kind, if it made one.
std::optional<bool> launchAnswer(const std::vector<Launch>& launches, const std::string& how) {
    std::optional<bool> answer;
    for (const Launch& launch : launches) {
        if (launch.how == how) {
            answer = launch.ok;
        }
    }
    return answer;
}

}  // namespace

CaptureSession::CaptureSession(Platform& platform, bool captureMachine, CliOutput* portTrace)
    : platform_(platform),
      recording_(captureMachine ? std::make_unique<RecordingPlatform>(platform) : nullptr),
      shell_(machine().shell()),
      standardDetectors_(std::make_unique<StandardDetectors>(machine())),
      detectors_(std::make_unique<ClockKeepingDetectors>(*standardDetectors_)) {
    if (portTrace != nullptr) {
        traceSink_ = std::make_unique<TraceSink>(*portTrace);
        tracingHost_ = std::make_unique<TracingDriverHost>(machine().driverHost(), *traceSink_);
    }
}

CaptureSession::~CaptureSession() = default;

Platform& CaptureSession::machine() {
    return recording_ ? *recording_ : platform_;
}

OsServices& CaptureSession::os() {
    return machine().os();
}

DriverHost& CaptureSession::driverHost() {
    return tracingHost_ ? static_cast<DriverHost&>(*tracingHost_) : machine().driverHost();
}

Detectors& CaptureSession::detectors() {
    return *detectors_;
}

bool CaptureSession::writeCapture(const sim::CaptureNames& names, const std::string& description,
                                  ReportFiles& files, std::string& problem) {
    if (!recording_) {
        problem = "nothing was recorded";
        return false;
    }
    sim::MachineCapture capture =
        captureMachine(*recording_, detectors_->measuredMhz(), launchAnswer(launches(), "open"),
                       launchAnswer(launches(), "direct"));
    capture.description = description;
    return sim::writeMachineProfile(capture, names, files, problem);
}

}  // namespace romwise
