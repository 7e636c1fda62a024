#include "platform/sim/cpuid_dump_parser.h"

#include <array>
#include <optional>
#include <string>
#include <utility>

#include "platform/sim/profile_fields.h"

namespace romwise::sim {

namespace {

constexpr std::size_t kHexDigits = 8;  // of the leaf and of each register

std::optional<std::pair<std::uint32_t, CpuidLeaf>> parseCpuidLine(std::string_view line) {
    const auto skipBlanks = [&]() {
        while (!line.empty() && (line.front() == ' ' || line.front() == '\t')) {
            line.remove_prefix(1);
        }
    };
    const auto hex8 = [&]() -> std::optional<std::uint32_t> {
        if (line.size() < kHexDigits) {
            return std::nullopt;
        }
        auto value = parseHexText("0x" + std::string(line.substr(0, kHexDigits)));
        if (!value) {
            return std::nullopt;
        }
        line.remove_prefix(kHexDigits);
        return static_cast<std::uint32_t>(*value);
    };
    skipBlanks();
    if (line.rfind("CPUID ", 0) != 0) {
        return std::nullopt;
    }
    line.remove_prefix(6);
    skipBlanks();
    const auto leaf = hex8();
    if (!leaf) {
        return std::nullopt;
    }
    const bool colon = !line.empty() && line.front() == ':';
    if (colon) {
        line.remove_prefix(1);
    }
    const std::size_t before = line.size();
    skipBlanks();
    if (line.size() == before) {
        return std::nullopt;  // the registers must be set apart
    }
    std::array<std::uint32_t, 4> registers{};
    for (std::size_t i = 0; i < registers.size(); ++i) {
        if (i > 0) {
            if (line.empty() || line.front() != '-') {
                return std::nullopt;
            }
            line.remove_prefix(1);
        }
        const auto value = hex8();
        if (!value) {
            return std::nullopt;
        }
        registers[i] = *value;
    }
    if (!line.empty() && line.front() != ' ' && line.front() != '\t' && line.front() != '\r') {
        return std::nullopt;
    }
    return std::make_pair(*leaf, CpuidLeaf{registers[0], registers[1], registers[2], registers[3]});
}

}  // namespace

std::map<std::uint32_t, CpuidLeaf> parseCpuidDump(std::string_view text) {
    std::map<std::uint32_t, CpuidLeaf> leaves;
    std::size_t start = 0;
    while (start < text.size()) {
        std::size_t end = text.find('\n', start);
        if (end == std::string_view::npos) {
            end = text.size();
        }
        if (auto parsed = parseCpuidLine(text.substr(start, end - start))) {
            leaves.emplace(parsed->first, parsed->second);  // keeps the first
        }
        start = end + 1;
    }
    return leaves;
}

}  // namespace romwise::sim
