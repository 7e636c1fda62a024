#include "tests/samples/dmidecode_output.h"

#include <sstream>

namespace romwise::samples_test {

std::optional<std::string> DecodedStructure::Value(const std::string& key) const {
    const std::string prefix = key + ": ";
    for (const auto& line : lines) {
        if (line.rfind(prefix, 0) == 0) {
            return line.substr(prefix.size());
        }
    }
    return std::nullopt;
}

std::vector<const DecodedStructure*> DecodedDump::Titled(const std::string& title) const {
    std::vector<const DecodedStructure*> found;
    for (const auto& s : structures) {
        if (s.title == title) {
            found.push_back(&s);
        }
    }
    return found;
}

// Each structure is a "Handle 0x...." line, a title line, then lines that
// start with a tab; a blank line ends it.
DecodedDump ParseDmidecodeOutput(const std::string& output) {
    DecodedDump dump;
    std::istringstream in(output);
    std::string line;
    bool expectTitle = false;
    DecodedStructure* current = nullptr;
    while (std::getline(in, line)) {
        if (line.rfind("Handle 0x", 0) == 0) {
            dump.structures.emplace_back();
            current = &dump.structures.back();
            expectTitle = true;
        } else if (expectTitle) {
            current->title = line;
            expectTitle = false;
        } else if (current != nullptr && !line.empty() && line[0] == '\t') {
            current->lines.push_back(line.substr(1));
        } else if (line.empty()) {
            current = nullptr;
        } else if (current == nullptr) {
            dump.header.push_back(line);
        }
    }
    return dump;
}

}  // namespace romwise::samples_test
