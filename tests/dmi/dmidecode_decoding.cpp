#include "tests/dmi/dmidecode_decoding.h"

#include <cstdio>
#include <sstream>

namespace romwise::dmi_test {

std::optional<std::string> DecodedStructure::value(const std::string& key) const {
    const std::string prefix = key + ": ";
    for (const std::string& line : lines) {
        if (line.rfind(prefix, 0) == 0) {
            return line.substr(prefix.size());
        }
    }
    return std::nullopt;
}

// Each structure is a "Handle 0x0004, DMI type 4, 40 bytes" line, a title
// line, then lines that start with a tab; a blank line ends it.
std::vector<DecodedStructure> ParseDmidecode(const std::string& output) {
    std::vector<DecodedStructure> structures;
    std::istringstream in(output);
    std::string line;
    bool expectTitle = false;
    bool inside = false;
    while (std::getline(in, line)) {
        unsigned handle = 0;
        int type = 0;
        int length = 0;
        if (std::sscanf(line.c_str(), "Handle 0x%x, DMI type %d, %d bytes", &handle, &type,
                        &length) == 3) {
            structures.push_back(DecodedStructure{type, length, {}, {}});
            expectTitle = true;
            inside = true;
        } else if (expectTitle) {
            structures.back().title = line;
            expectTitle = false;
        } else if (line.empty()) {
            inside = false;
        } else if (inside && line[0] == '\t' && (line.size() < 2 || line[1] != '\t')) {
            structures.back().lines.push_back(line.substr(1));
        }
    }
    return structures;
}

std::optional<std::uint64_t> SizeInKilobytes(const std::string& text) {
    unsigned long long number = 0;
    char unit[8] = {};
    if (std::sscanf(text.c_str(), "%llu %7s", &number, unit) != 2) {
        return std::nullopt;
    }
    const std::string u = unit;
    const char* const units[] = {"kB", "MB", "GB", "TB", "PB"};
    if (u == "bytes") {
        return number >> 10;
    }
    for (int shift = 0; shift < 5; ++shift) {
        if (u == units[shift]) {
            return number << (10 * shift);
        }
    }
    return std::nullopt;
}

std::optional<std::uint64_t> SizeInMegabytes(const std::string& text) {
    const auto kilobytes = SizeInKilobytes(text);
    return kilobytes ? std::optional<std::uint64_t>(*kilobytes >> 10) : std::nullopt;
}

std::uint16_t SpeedInMhz(const std::optional<std::string>& text) {
    unsigned mhz = 0;
    if (!text || std::sscanf(text->c_str(), "%u MHz", &mhz) != 1) {
        return 0;
    }
    return static_cast<std::uint16_t>(mhz);
}

std::optional<std::string> StringValue(const DecodedStructure& structure, const std::string& key) {
    const auto text = structure.value(key);
    if (!text || *text == "Not Specified" || *text == "<BAD INDEX>") {
        return std::nullopt;
    }
    return text;
}

std::string AsDmidecodeShowsIt(const std::string& text) {
    std::string shown = text;
    for (char& c : shown) {
        const auto byte = static_cast<unsigned char>(c);
        if (byte < 0x20 || byte == 0x7F) {
            c = '.';
        }
    }
    return shown;
}

}  // namespace romwise::dmi_test
