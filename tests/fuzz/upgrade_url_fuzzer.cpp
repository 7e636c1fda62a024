// Feeds arbitrary texts to the upgrade-request addresses: one record field
// per line of the input. Each prepared address is one line without spaces,
// carries exactly its parameters in order whatever the values hold, and
// gives back the values when its escapes are decoded.
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "model/detection_results.h"
#include "report/product_config.h"
#include "report/upgrade_request.h"
#include "tests/fuzz/fuzz_check.h"

namespace {

using namespace romwise;
using romwise::fuzz::hasControlBytes;
using romwise::fuzz::require;

constexpr const char* kKeys[] = {"uBDate", "uBType", "uBID", "uSIO", "uCS", "uOEM",
                                 "uMBN",   "uMBM",   "uRSt", "uRSz", "uMs", "uMM",
                                 "uOS",    "uCPU",   "uMc",  "uTZ",  "uCC"};
constexpr std::size_t kShortFormKeys = 10;

int hexDigit(char c) {
    if (c >= '0' && c <= '9') {
        return c - '0';
    }
    require(c >= 'A' && c <= 'F');  // the encoders write uppercase
    return c - 'A' + 10;
}

// A value with its %XX escapes turned back into bytes.
std::string decoded(std::string_view value) {
    std::string text;
    for (std::size_t i = 0; i < value.size(); ++i) {
        if (value[i] != '%') {
            text.push_back(value[i]);
            continue;
        }
        require(i + 2 < value.size());
        text.push_back(static_cast<char>(hexDigit(value[i + 1]) * 16 + hexDigit(value[i + 2])));
        i += 2;
    }
    return text;
}

// The value of each parameter, checking names and order on the way.
std::vector<std::string_view> values(std::string_view address, std::size_t count) {
    const std::string_view form = kUpgradeFormAddress;
    require(address.substr(0, form.size()) == form && address.substr(form.size(), 1) == "?");
    std::string_view query = address.substr(form.size() + 1);
    std::vector<std::string_view> found;
    for (std::size_t k = 0; k < count; ++k) {
        const std::size_t end = query.find('&');
        const std::string_view pair = query.substr(0, end);
        const std::string prefix = std::string(kKeys[k]) + "=";
        require(pair.substr(0, prefix.size()) == prefix);
        found.push_back(pair.substr(prefix.size()));
        const bool last = k + 1 == count;
        require(last == (end == std::string_view::npos));
        query = last ? std::string_view() : query.substr(end + 1);
    }
    return found;
}

void checkAddress(const FixedText<800>& address, std::size_t count, const DetectionResults& r) {
    if (address.empty()) {
        return;  // did not fit
    }
    const std::string_view text = address.view();
    require(!hasControlBytes(text) && text.find(' ') == std::string_view::npos &&
            text.find('#') == std::string_view::npos);
    const auto found = values(text, count);
    require(decoded(found[6]) == r.boardManufacturer.view());
    if (count > 13) {
        require(decoded(found[13]) == r.cpuLine.view());
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    std::vector<std::string> lines(1);
    for (std::size_t i = 0; i < size; ++i) {
        if (data[i] == '\n') {
            lines.emplace_back();
        } else {
            lines.back().push_back(static_cast<char>(data[i]));
        }
    }
    lines.resize(17);
    DetectionResults record;
    record.biosDateLine.assign(lines[0]);
    record.biosIdLine.assign(lines[1]);
    record.superIoLine.assign(lines[2]);
    record.chipsetLine.assign(lines[3]);
    record.oemSignOnLine.assign(lines[4]);
    record.boardManufacturer.assign(lines[5]);
    record.boardModel.assign(lines[6]);
    record.romSocketedText.assign(lines[7]);
    record.romSizeText.assign(lines[8]);
    record.installedMemoryText.assign(lines[9]);
    record.maxMemoryText.assign(lines[10]);
    record.osShortName.assign(lines[11]);
    record.cpuLine.assign(lines[12]);
    record.memorySlotsLine.assign(lines[13]);
    record.countryCode.assign(lines[14]);
    record.timeZoneHours = static_cast<std::int32_t>(lines[15].size()) - 12;
    buildUpgradeUrls(record, lines[16].c_str());
    checkAddress(record.upgradeUrl, std::size(kKeys), record);
    checkAddress(record.upgradeUrlShort, kShortFormKeys, record);
    return 0;
}
