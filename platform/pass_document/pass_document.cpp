#include "platform/pass_document/pass_document.h"

#include <limits>
#include <nlohmann/json.hpp>
#include <utility>

#include "model/control_ids.h"
#include "platform/encoding/text_encoding.h"
#include "platform/pass_document/document_numbers.h"

namespace romwise {

namespace {

using Json = nlohmann::ordered_json;

// The record's texts by their names in the document, each reached once for
// writing and once for reading.
struct TextField {
    const char* name;
    std::string_view (*get)(const DetectionResults&);
    void (*set)(DetectionResults&, std::string_view);
};

template <auto Member>
constexpr TextField textField(const char* name) {
    return {name, [](const DetectionResults& r) { return (r.*Member).view(); },
            [](DetectionResults& r, std::string_view text) { (r.*Member).assign(text); }};
}

// Numbers of the record, written as they are and read back only within
// their range: the whole range of the member's type, or a narrower one.
struct NumberField {
    const char* name;
    std::int64_t (*get)(const DetectionResults&);
    void (*set)(DetectionResults&, std::int64_t);
    std::int64_t min;
    std::int64_t max;
};

template <auto Member>
using NumberOf = std::remove_reference_t<decltype(std::declval<DetectionResults&>().*Member)>;

template <auto Member>
constexpr NumberField numberField(const char* name,
                                  std::int64_t min = std::numeric_limits<NumberOf<Member>>::min(),
                                  std::int64_t max = std::numeric_limits<NumberOf<Member>>::max()) {
    return {name, [](const DetectionResults& r) { return static_cast<std::int64_t>(r.*Member); },
            [](DetectionResults& r, std::int64_t value) {
                r.*Member = static_cast<NumberOf<Member>>(value);
            },
            min, max};
}

// The switches and the submitted flag are 0 or 1.
constexpr std::int64_t kFlagMax = 1;
constexpr std::int64_t kMaxColor = rgb(0xFF, 0xFF, 0xFF);

using R = DetectionResults;
// In the document's order; the slot tables and the run state go between.
constexpr TextField kLineAndOsTexts[] = {
    textField<&R::biosDateLine>("biosDateLine"),   textField<&R::biosTypeLine>("biosTypeLine"),
    textField<&R::biosIdLine>("biosIdLine"),       textField<&R::oemSignOnLine>("oemSignOnLine"),
    textField<&R::superIoLine>("superIoLine"),     textField<&R::chipsetLine>("chipsetLine"),
    textField<&R::osFullName>("osFullName"),       textField<&R::osShortName>("osShortName"),
    textField<&R::osVersionText>("osVersionText"),
};
constexpr NumberField kTimeZone[] = {numberField<&R::timeZoneHours>("timeZoneHours")};
constexpr TextField kCountry[] = {textField<&R::countryCode>("countryCode"),
                                  textField<&R::countryName>("countryName")};
constexpr NumberField kDmiVersion[] = {numberField<&R::dmiMajorVersion>("dmiMajorVersion"),
                                       numberField<&R::dmiMinorVersion>("dmiMinorVersion")};
constexpr TextField kBoardTexts[] = {textField<&R::boardManufacturer>("boardManufacturer"),
                                     textField<&R::boardModel>("boardModel"),
                                     textField<&R::dmiBiosVersion>("dmiBiosVersion"),
                                     textField<&R::dmiProcessorName>("dmiProcessorName")};
constexpr NumberField kInstalled[] = {numberField<&R::installedMemoryMb>("installedMemoryMb")};
constexpr TextField kDerivedTexts[] = {
    textField<&R::romSizeText>("romSizeText"), textField<&R::romSocketedText>("romSocketedText"),
    textField<&R::installedMemoryText>("installedMemoryText"),
    textField<&R::maxMemoryText>("maxMemoryText"), textField<&R::cpuLine>("cpuLine")};
constexpr TextField kUrlTexts[] = {textField<&R::memorySlotsLine>("memorySlotsLine"),
                                   textField<&R::upgradeUrl>("upgradeUrl"),
                                   textField<&R::upgradeUrlShort>("upgradeUrlShort"),
                                   textField<&R::programDirectory>("programDirectory")};
constexpr NumberField kSubmitted[] = {
    numberField<&R::requestSubmitted>("requestSubmitted", 0, kFlagMax)};

std::string utf8(std::string_view windows1252) {
    return windows1252ToUtf8(windows1252);
}

template <typename Fields>
void putTexts(Json& object, const DetectionResults& r, const Fields& fields) {
    for (const TextField& field : fields) {
        object[field.name] = utf8(field.get(r));
    }
}

template <typename Fields>
void putNumbers(Json& object, const DetectionResults& r, const Fields& fields) {
    for (const NumberField& field : fields) {
        object[field.name] = field.get(r);
    }
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
        slotTexts["text"].push_back(utf8(r.memorySlotTexts.text[i].view()));
    }
    Json object = Json::object();
    putTexts(object, r, kLineAndOsTexts);
    putNumbers(object, r, kTimeZone);
    putTexts(object, r, kCountry);
    putNumbers(object, r, kDmiVersion);
    putTexts(object, r, kBoardTexts);
    putNumbers(object, r, kInstalled);
    object["memorySlotSizes"] = slotSizes;
    putTexts(object, r, kDerivedTexts);
    object["memorySlotTexts"] = slotTexts;
    putTexts(object, r, kUrlTexts);
    object["runState"] = runStateName(r.runState);
    putNumbers(object, r, kSubmitted);
    return object;
}

// Ids as the document's object keys.
template <typename Value>
Json byId(const std::map<int, Value>& values) {
    Json object = Json::object();
    for (const auto& [id, value] : values) {
        object[std::to_string(id)] = value;
    }
    return object;
}

Json windowObject(const ViewState& view) {
    Json highlighted = Json::array();
    for (const auto& [id, colors] : view.highlighted) {
        highlighted.push_back({{"id", id}, {"text", colors.first}, {"face", colors.second}});
    }
    return {{"enabled", byId(view.enabled)},
            {"visible", byId(view.visible)},
            {"focus", view.focus},
            {"highlighted", highlighted}};
}

// The Super I/O step of the firmware-tables route, which never probes.
constexpr char kSuperIoNotProbedName[] = "not-probed";

// Which way the pass reached the firmware: the route alone on the driver
// route; on the firmware-tables route also what was refused and where each
// step read from.
Json accessObject(const PassAccess& access) {
    Json object = {{"route", passRouteName(access.route)}};
    if (access.route == PassRoute::FirmwareTables) {
        object["why"] = utf8(access.why);
        object["bios"] = accessSourceName(access.bios);
        object["dmi"] = accessSourceName(access.dmi);
        object["chipset"] = accessSourceName(access.chipset);
        object["superIo"] = kSuperIoNotProbedName;
    }
    return object;
}

// --- reading ----------------------------------------------------------------

std::string windows1252(const Json& value) {
    return utf8ToWindows1252(value.get<std::string>());
}

// A name as a problem shows it: quoted, with its control bytes escaped as
// JSON escapes them, so that the problem stays on one line.
std::string quoted(const std::string& name) {
    return Json(name).dump(-1, ' ', false, Json::error_handler_t::replace);
}

template <typename Fields>
void takeTexts(const Json& object, DetectionResults& r, const Fields& fields) {
    for (const TextField& field : fields) {
        field.set(r, windows1252(object.at(field.name)));
    }
}

template <typename Fields>
void takeNumbers(const Json& object, DetectionResults& r, const Fields& fields) {
    for (const NumberField& field : fields) {
        field.set(r, documentInteger(object.at(field.name), std::string("results.") + field.name,
                                     field.min, field.max));
    }
}

// The entries of a slot table ("sizeMb", "text"), at most one per slot and
// as many as its count says.
const Json& slotEntries(const Json& table, const std::string& key, const char* listName) {
    const Json& entries = table.at(listName);
    const std::int64_t count =
        documentInteger(table.at("count"), key + ".count", 0, kMemorySlotCapacity);
    if (!entries.is_array() || entries.size() != static_cast<std::size_t>(count)) {
        throw std::invalid_argument(key + "." + listName + ": expected a list of " +
                                    std::to_string(count) + " entries, as the count says");
    }
    return entries;
}

RunState runStateOf(const Json& value) {
    const std::string name = value.get<std::string>();
    if (const std::optional<RunState> state = runStateByName(name)) {
        return *state;
    }
    throw std::invalid_argument("unknown run state " + quoted(name));
}

DetectionResults readResults(const Json& object) {
    DetectionResults r;
    takeTexts(object, r, kLineAndOsTexts);
    takeNumbers(object, r, kTimeZone);
    takeTexts(object, r, kCountry);
    takeNumbers(object, r, kDmiVersion);
    takeTexts(object, r, kBoardTexts);
    takeNumbers(object, r, kInstalled);
    takeTexts(object, r, kDerivedTexts);
    takeTexts(object, r, kUrlTexts);
    takeNumbers(object, r, kSubmitted);
    r.runState = runStateOf(object.at("runState"));
    const Json& sizes = object.at("memorySlotSizes");
    r.memorySlotSizes.capacity = static_cast<std::uint16_t>(documentInteger(
        sizes.at("capacity"), "results.memorySlotSizes.capacity", 0, kMemorySlotCapacity));
    const Json& sizeList = slotEntries(sizes, "results.memorySlotSizes", "sizeMb");
    for (std::size_t i = 0; i < sizeList.size(); ++i) {
        r.memorySlotSizes.append(static_cast<std::uint32_t>(documentInteger(
            sizeList[i], "results.memorySlotSizes.sizeMb[" + std::to_string(i) + "]", 0,
            std::numeric_limits<std::uint32_t>::max())));
    }
    const Json& texts =
        slotEntries(object.at("memorySlotTexts"), "results.memorySlotTexts", "text");
    for (std::size_t i = 0; i < texts.size(); ++i) {
        r.memorySlotTexts.text[i].assign(windows1252(texts[i]));
        r.memorySlotTexts.count = static_cast<std::uint16_t>(i + 1);
    }
    return r;
}

std::map<int, bool> readSwitchesById(const Json& object, const std::string& key) {
    std::map<int, bool> values;
    for (const auto& [id, value] : object.items()) {
        values[documentControlId(id, key)] = value.get<bool>();
    }
    return values;
}

ViewState readView(const Json& document) {
    ViewState view;
    for (const auto& [id, text] : document.at("dialog").items()) {
        view.fields[documentControlId(id, "dialog")] = windows1252(text);
    }
    for (const Json& message : document.at("messages")) {
        view.messages.push_back({windows1252(message.at("text")),
                                 windows1252(message.at("caption")),
                                 message.contains("reason") ? windows1252(message["reason"]) : ""});
    }
    const Json& window = document.at("window");
    view.enabled = readSwitchesById(window.at("enabled"), "window.enabled");
    view.visible = readSwitchesById(window.at("visible"), "window.visible");
    view.focus =
        static_cast<int>(documentInteger(window.at("focus"), "window.focus", 0, kMaxControlId));
    const Json& highlighted = window.at("highlighted");
    for (std::size_t i = 0; i < highlighted.size(); ++i) {
        const std::string key = "window.highlighted[" + std::to_string(i) + "]";
        const Json& button = highlighted.at(i);
        const auto color = [&](const char* name) {
            return static_cast<std::uint32_t>(
                documentInteger(button.at(name), key + "." + name, 0, kMaxColor));
        };
        view.highlighted[static_cast<int>(documentInteger(
            button.at("id"), key + ".id", 0, kMaxControlId))] = {color("text"), color("face")};
    }
    return view;
}

AccessSource accessSourceOf(const Json& object, const char* step) {
    const std::string name = object.at(step).get<std::string>();
    if (const std::optional<AccessSource> source = accessSourceByName(name)) {
        return *source;
    }
    throw std::invalid_argument(std::string("access.") + step + ": unknown source " + quoted(name));
}

PassAccess readAccess(const Json& object) {
    PassAccess access;
    const std::string route = object.at("route").get<std::string>();
    if (const std::optional<PassRoute> known = passRouteByName(route)) {
        access.route = *known;
    } else {
        throw std::invalid_argument("access.route: unknown route " + quoted(route));
    }
    if (access.route == PassRoute::Driver) {
        return access;
    }
    access.why = windows1252(object.at("why"));
    access.bios = accessSourceOf(object, "bios");
    access.dmi = accessSourceOf(object, "dmi");
    access.chipset = accessSourceOf(object, "chipset");
    const std::string superIo = object.at("superIo").get<std::string>();
    if (superIo != kSuperIoNotProbedName) {
        throw std::invalid_argument("access.superIo: expected " + quoted(kSuperIoNotProbedName) +
                                    ", got " + quoted(superIo));
    }
    return access;
}

}  // namespace

std::string writePassDocument(const DetectionResults& results, const DetectionOptions& options,
                              const ViewState& view, const std::vector<Launch>& launches) {
    Json dialog = Json::object();
    for (const auto& [id, value] : view.fields) {
        dialog[std::to_string(id)] = utf8(value);
    }
    Json messages = Json::array();
    for (const RecordedMessage& message : view.messages) {
        Json entry = {{"text", utf8(message.text)}, {"caption", utf8(message.caption)}};
        if (!message.reason.empty()) {
            entry["reason"] = utf8(message.reason);
        }
        messages.push_back(std::move(entry));
    }
    Json launched = Json::array();
    for (const Launch& launch : launches) {
        launched.push_back(
            {{"how", launch.how}, {"target", utf8(launch.target)}, {"ok", launch.ok}});
    }
    Json document = {
        {"runState", runStateName(results.runState)},
        {"requestSubmitted", results.requestSubmitted},
        {"options", {{"skipSuperIo", options.skipSuperIo}, {"skipDmi", options.skipDmi}}},
        {"results", resultsObject(results)},
        {"dialog", dialog},
        {"messages", messages},
        {"launched", launched},
        {"window", windowObject(view)},
    };
    // Last, so that a document without it reads as before.
    if (view.access) {
        document["access"] = accessObject(*view.access);
    }
    return document.dump(2) + "\n";
}

std::optional<PassDocument> readPassDocument(std::string_view json, std::string& problem) {
    try {
        const Json document = Json::parse(json);
        PassDocument pass;
        pass.results = readResults(document.at("results"));
        const Json& options = document.at("options");
        pass.options.skipSuperIo = static_cast<std::int32_t>(
            documentInteger(options.at("skipSuperIo"), "options.skipSuperIo", 0, kFlagMax));
        pass.options.skipDmi = static_cast<std::int32_t>(
            documentInteger(options.at("skipDmi"), "options.skipDmi", 0, kFlagMax));
        pass.view = readView(document);
        if (document.contains("access")) {
            pass.view.access = readAccess(document["access"]);
        }
        return pass;
    } catch (const std::exception& error) {
        problem = error.what();
        return std::nullopt;
    }
}

}  // namespace romwise
