#include "cli/json_document.h"

#include <nlohmann/json.hpp>
#include <utility>

#include "platform/encoding/text_encoding.h"

namespace romwise {

namespace {

using Json = nlohmann::ordered_json;

template <std::size_t N>
std::string text(const FixedText<N>& value) {
    return windows1252ToUtf8(value.view());
}

Json resultsObject(const DetectionResults& r) {
    Json slotSizes = {{"capacity", r.memorySlotSizes.capacity},
                      {"count", r.memorySlotSizes.count},
                      {"sizeMb", Json::array()}};
    for (std::uint16_t i = 0; i < r.memorySlotSizes.count && i < kMemorySlotCapacity; ++i) {
        slotSizes["sizeMb"].push_back(r.memorySlotSizes.sizeMb[i]);
    }
    Json slotTexts = {{"count", r.memorySlotTexts.count}, {"text", Json::array()}};
    for (std::uint16_t i = 0; i < r.memorySlotTexts.count && i < kMemorySlotCapacity; ++i) {
        slotTexts["text"].push_back(text(r.memorySlotTexts.text[i]));
    }
    return Json{
        {"biosDateLine", text(r.biosDateLine)},
        {"biosTypeLine", text(r.biosTypeLine)},
        {"biosIdLine", text(r.biosIdLine)},
        {"oemSignOnLine", text(r.oemSignOnLine)},
        {"superIoLine", text(r.superIoLine)},
        {"chipsetLine", text(r.chipsetLine)},
        {"osFullName", text(r.osFullName)},
        {"osShortName", text(r.osShortName)},
        {"osVersionText", text(r.osVersionText)},
        {"timeZoneHours", r.timeZoneHours},
        {"countryCode", text(r.countryCode)},
        {"countryName", text(r.countryName)},
        {"dmiMajorVersion", r.dmiMajorVersion},
        {"dmiMinorVersion", r.dmiMinorVersion},
        {"boardManufacturer", text(r.boardManufacturer)},
        {"boardModel", text(r.boardModel)},
        {"dmiBiosVersion", text(r.dmiBiosVersion)},
        {"dmiProcessorName", text(r.dmiProcessorName)},
        {"installedMemoryMb", r.installedMemoryMb},
        {"memorySlotSizes", slotSizes},
        {"romSizeText", text(r.romSizeText)},
        {"romSocketedText", text(r.romSocketedText)},
        {"installedMemoryText", text(r.installedMemoryText)},
        {"maxMemoryText", text(r.maxMemoryText)},
        {"cpuLine", text(r.cpuLine)},
        {"memorySlotTexts", slotTexts},
        {"memorySlotsLine", text(r.memorySlotsLine)},
        {"upgradeUrl", text(r.upgradeUrl)},
        {"upgradeUrlShort", text(r.upgradeUrlShort)},
        {"programDirectory", text(r.programDirectory)},
        {"runState", runStateName(r.runState)},
        {"requestSubmitted", r.requestSubmitted},
    };
}

}  // namespace

std::string jsonDocument(const DetectionResults& results, const DetectionOptions& options,
                         const CliView& view, const std::vector<Launch>& launches) {
    Json dialog = Json::object();
    for (const auto& [id, value] : view.fields()) {
        dialog[std::to_string(id)] = windows1252ToUtf8(value);
    }
    Json messages = Json::array();
    for (const RecordedMessage& message : view.messages()) {
        Json entry = {{"text", windows1252ToUtf8(message.text)},
                      {"caption", windows1252ToUtf8(message.caption)}};
        if (!message.reason.empty()) {
            entry["reason"] = windows1252ToUtf8(message.reason);
        }
        messages.push_back(std::move(entry));
    }
    Json launched = Json::array();
    for (const Launch& launch : launches) {
        launched.push_back(
            {{"how", launch.how}, {"target", windows1252ToUtf8(launch.target)}, {"ok", launch.ok}});
    }
    const Json document = {
        {"runState", runStateName(results.runState)},
        {"requestSubmitted", results.requestSubmitted},
        {"options", {{"skipSuperIo", options.skipSuperIo}, {"skipDmi", options.skipDmi}}},
        {"results", resultsObject(results)},
        {"dialog", dialog},
        {"messages", messages},
        {"launched", launched},
    };
    return document.dump(2) + "\n";
}

}  // namespace romwise
