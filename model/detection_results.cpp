#include "model/detection_results.h"

namespace romwise {

namespace {
constexpr const char* kRunStateNames[] = {"NotRun", "Started", "Failed", "Completed"};
}

const char* runStateName(RunState state) {
    const auto index = static_cast<std::size_t>(state);
    return index < std::size(kRunStateNames) ? kRunStateNames[index] : "Unknown";
}

std::optional<RunState> runStateByName(std::string_view name) {
    for (std::size_t i = 0; i < std::size(kRunStateNames); ++i) {
        if (name == kRunStateNames[i]) {
            return static_cast<RunState>(i);
        }
    }
    return std::nullopt;
}

bool MemorySlotSizes::append(std::uint32_t megabytes) {
    if (count >= capacity || count >= kMemorySlotCapacity) {
        return false;
    }
    sizeMb[count++] = megabytes;
    return true;
}

DetectionResults& processDetectionResults() {
    static DetectionResults results;
    return results;
}

DetectionOptions& processDetectionOptions() {
    static DetectionOptions options;
    return options;
}

}  // namespace romwise
