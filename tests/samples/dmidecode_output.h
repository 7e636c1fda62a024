// `dmidecode --from-dump` output split into its structures, so that tests
// can ask for "Manufacturer" of the first "Base Board Information".
#pragma once

#include <optional>
#include <string>
#include <vector>

namespace romwise::samples_test {

struct DecodedStructure {
    std::string title;               // e.g. "Memory Device"
    std::vector<std::string> lines;  // the tab-indented lines, without the tab

    // The value of "Key: value" at the first indentation level.
    std::optional<std::string> Value(const std::string& key) const;
};

struct DecodedDump {
    std::vector<std::string> header;  // lines before the first structure
    std::vector<DecodedStructure> structures;

    std::vector<const DecodedStructure*> Titled(const std::string& title) const;
};

DecodedDump ParseDmidecodeOutput(const std::string& output);

}  // namespace romwise::samples_test
