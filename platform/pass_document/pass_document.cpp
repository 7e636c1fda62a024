#include "platform/pass_document/pass_document.h"

#include <nlohmann/json.hpp>
#include <utility>

#include "platform/encoding/text_encoding.h"

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

// Numbers of the record, written as they are.
struct NumberField {
    const char* name;
    std::int64_t (*get)(const DetectionResults&);
    void (*set)(DetectionResults&, std::int64_t);
};

template <auto Member>
constexpr NumberField numberField(const char* name) {
    using Value = std::remove_reference_t<decltype(std::declval<DetectionResults&>().*Member)>;
    return {name, [](const DetectionResults& r) { return static_cast<std::int64_t>(r.*Member); },
            [](DetectionResults& r, std::int64_t value) { r.*Member = static_cast<Value>(value); }};
}

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
constexpr NumberField kSubmitted[] = {numberField<&R::requestSubmitted>("requestSubmitted")};

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

// --- reading ----------------------------------------------------------------

std::string windows1252(const Json& value) {
    return utf8ToWindows1252(value.get<std::string>());
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
        field.set(r, object.at(field.name).get<std::int64_t>());
    }
}

RunState runStateOf(const Json& value) {
    const std::string name = value.get<std::string>();
    if (const std::optional<RunState> state = runStateByName(name)) {
        return *state;
    }
    throw std::invalid_argument("unknown run state \"" + name + "\"");
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
    r.memorySlotSizes.capacity = sizes.at("capacity").get<std::uint16_t>();
    for (const Json& size : sizes.at("sizeMb")) {
        r.memorySlotSizes.append(size.get<std::uint32_t>());
    }
    const Json& texts = object.at("memorySlotTexts").at("text");
    for (std::size_t i = 0; i < texts.size() && i < kMemorySlotCapacity; ++i) {
        r.memorySlotTexts.text[i].assign(windows1252(texts[i]));
        r.memorySlotTexts.count = static_cast<std::uint16_t>(i + 1);
    }
    return r;
}

template <typename Value>
std::map<int, Value> readById(const Json& object) {
    std::map<int, Value> values;
    for (const auto& [id, value] : object.items()) {
        values[std::stoi(id)] = value.template get<Value>();
    }
    return values;
}

ViewState readView(const Json& document) {
    ViewState view;
    for (const auto& [id, text] : document.at("dialog").items()) {
        view.fields[std::stoi(id)] = windows1252(text);
    }
    for (const Json& message : document.at("messages")) {
        view.messages.push_back({windows1252(message.at("text")),
                                 windows1252(message.at("caption")),
                                 message.contains("reason") ? windows1252(message["reason"]) : ""});
    }
    const Json& window = document.at("window");
    view.enabled = readById<bool>(window.at("enabled"));
    view.visible = readById<bool>(window.at("visible"));
    view.focus = window.at("focus").get<int>();
    for (const Json& button : window.at("highlighted")) {
        view.highlighted[button.at("id").get<int>()] = {button.at("text").get<std::uint32_t>(),
                                                        button.at("face").get<std::uint32_t>()};
    }
    return view;
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
    const Json document = {
        {"runState", runStateName(results.runState)},
        {"requestSubmitted", results.requestSubmitted},
        {"options", {{"skipSuperIo", options.skipSuperIo}, {"skipDmi", options.skipDmi}}},
        {"results", resultsObject(results)},
        {"dialog", dialog},
        {"messages", messages},
        {"launched", launched},
        {"window", windowObject(view)},
    };
    return document.dump(2) + "\n";
}

std::optional<PassDocument> readPassDocument(std::string_view json, std::string& problem) {
    try {
        const Json document = Json::parse(json);
        PassDocument pass;
        pass.results = readResults(document.at("results"));
        pass.options.skipSuperIo = document.at("options").at("skipSuperIo").get<std::int32_t>();
        pass.options.skipDmi = document.at("options").at("skipDmi").get<std::int32_t>();
        pass.view = readView(document);
        return pass;
    } catch (const std::exception& error) {
        problem = error.what();
        return std::nullopt;
    }
}

}  // namespace romwise
