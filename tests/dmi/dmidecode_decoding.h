// `dmidecode --from-dump` output, split into structures, and the values an
// independent reading of a table gives for what ReadDmi extracts.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace romwise::dmi_test {

struct DecodedStructure {
    int type = -1;
    int length = 0;                  // the formatted length ("DMI type 4, 40 bytes")
    std::string title;               // "Processor Information"
    std::vector<std::string> lines;  // the lines indented by one tab, without it

    // "Key: value" at the first indentation level.
    std::optional<std::string> value(const std::string& key) const;
};

std::vector<DecodedStructure> ParseDmidecode(const std::string& output);

// "768 MB", "2 GB", "512 kB" in kB, or in MB rounding down; nullopt for text
// without a size ("No Module Installed", "Unknown").
std::optional<std::uint64_t> SizeInKilobytes(const std::string& text);
std::optional<std::uint64_t> SizeInMegabytes(const std::string& text);
// "2400 MHz" in MHz; 0 for "Unknown".
std::uint16_t SpeedInMhz(const std::optional<std::string>& text);

// A string value as dmidecode shows it, or nullopt when it shows that the
// string is not there ("Not Specified", "<BAD INDEX>").
std::optional<std::string> StringValue(const DecodedStructure& structure, const std::string& key);

// Bytes below 20h and 7Fh shown as '.', the way dmidecode prints strings.
std::string AsDmidecodeShowsIt(const std::string& text);

}  // namespace romwise::dmi_test
