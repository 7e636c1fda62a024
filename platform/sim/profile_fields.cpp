#include "platform/sim/profile_fields.h"

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstring>

#include "platform/sim/profile_loader.h"

namespace romwise::sim {

namespace fs = std::filesystem;

ProfileFields::ProfileFields(std::string path)
    : path_(std::move(path)), directory_(fs::path(path_).parent_path()) {}

void ProfileFields::fail(const std::string& key, const std::string& problem) const {
    throw ProfileError(path_, key, problem);
}

std::string childKey(const std::string& parent, const std::string& name) {
    return parent.empty() ? name : parent + "." + name;
}

std::string elementKey(const std::string& parent, std::size_t index) {
    return parent + "[" + std::to_string(index) + "]";
}

std::string entryKey(const std::string& parent, const std::string& mapKey) {
    return parent + "[\"" + mapKey + "\"]";
}

std::string memberKey(const std::string& parent, const std::string& name) {
    const bool number = name.size() >= 2 && name[0] == '0' && (name[1] == 'x' || name[1] == 'X');
    return number ? entryKey(parent, name) : childKey(parent, name);
}

std::string hexText(std::uint64_t value) {
    char text[24];
    std::snprintf(text, sizeof text, "0x%llX", static_cast<unsigned long long>(value));
    return text;
}

bool isNoteKey(const std::string& name) {
    return name.rfind('_', 0) == 0 || name.rfind("comment", 0) == 0;
}

std::optional<std::uint64_t> parseHexText(std::string_view text) {
    if (text.size() < 3 || text.size() > 18 || text[0] != '0' ||
        (text[1] != 'x' && text[1] != 'X')) {
        return std::nullopt;
    }
    std::uint64_t value = 0;
    for (char c : text.substr(2)) {
        int digit = 0;
        if (c >= '0' && c <= '9') {
            digit = c - '0';
        } else if (c >= 'a' && c <= 'f') {
            digit = c - 'a' + 10;
        } else if (c >= 'A' && c <= 'F') {
            digit = c - 'A' + 10;
        } else {
            return std::nullopt;
        }
        value = (value << 4) | static_cast<std::uint64_t>(digit);
    }
    return value;
}

std::optional<std::vector<std::uint8_t>> readWholeFile(const fs::path& path, std::uint64_t limit,
                                                       std::string& problem) {
    // One look at the file in the usual case, a regular file: its size.
    // Anything else is looked at again to say what it is.
    std::error_code error;
    const std::uintmax_t size = fs::file_size(path, error);
    if (error) {
        std::error_code statusError;
        const fs::file_status status = fs::status(path, statusError);
        if (statusError) {
            problem = statusError.message();
            return std::nullopt;
        }
        if (fs::is_directory(status)) {
            problem = "it is a directory";
            return std::nullopt;
        }
        if (!fs::is_regular_file(status)) {
            problem = "not a regular file (a device, FIFO or socket)";
            return std::nullopt;
        }
    }
    const std::string overLimit = "over the limit of " + std::to_string(limit) + " bytes";
    if (!error && size > limit) {
        problem = std::to_string(size) + " bytes, " + overLimit;
        return std::nullopt;
    }
    std::FILE* stream = std::fopen(path.string().c_str(), "rb");
    if (stream == nullptr) {
        problem = std::strerror(errno);
        return std::nullopt;
    }
    // Read straight into the vector: no buffer of the stream's own, and so
    // no look at the file to size one.
    std::setvbuf(stream, nullptr, _IONBF, 0);
    // The bytes are read straight into their vector, sized for the file and
    // one byte more. A file that grows while it is read, or whose size the
    // system does not tell (/proc), still stops one byte past the limit.
    constexpr std::size_t kReadStep = 65536;
    const std::uint64_t mostBytes = limit + 1;
    std::vector<std::uint8_t> bytes;
    std::size_t filled = 0;
    std::size_t wanted = error ? kReadStep : static_cast<std::size_t>(size) + 1;
    while (filled < mostBytes) {
        wanted = static_cast<std::size_t>(std::min<std::uint64_t>(wanted, mostBytes - filled));
        bytes.resize(filled + wanted);
        const std::size_t count = std::fread(bytes.data() + filled, 1, wanted, stream);
        filled += count;
        if (count < wanted) {
            break;
        }
        wanted = kReadStep;
    }
    bytes.resize(filled);
    const bool failed = std::ferror(stream) != 0;
    const int readError = errno;
    std::fclose(stream);
    if (failed) {
        problem = std::strerror(readError);
        return std::nullopt;
    }
    if (bytes.size() > limit) {
        problem = overLimit;
        return std::nullopt;
    }
    return bytes;
}

std::uint64_t ProfileFields::unsignedValue(const ProfileValue& value, const std::string& key,
                                           std::uint64_t max) const {
    std::uint64_t result = 0;
    bool givenInHex = false;
    if (value.kind() == ProfileValue::Kind::Unsigned) {
        result = value.asUnsigned();
    } else if (value.kind() == ProfileValue::Kind::Integer) {
        fail(key, "expected a number of 0 or more, got " + describeJson(value));
    } else if (value.kind() == ProfileValue::Kind::Float) {
        fail(key, "expected a whole number, got " + describeJson(value));
    } else if (value.isString()) {
        auto parsed = parseHexText(value.asString());
        if (!parsed) {
            fail(key, "expected a number or a hexadecimal string (\"0x...\"), got " +
                          describeJson(value));
        }
        result = *parsed;
        givenInHex = true;
    } else {
        fail(key,
             "expected a number or a hexadecimal string (\"0x...\"), got " + describeJson(value));
    }
    if (result > max) {
        fail(key, givenInHex ? hexText(result) + " is out of range (at most " + hexText(max) + ")"
                             : std::to_string(result) + " is out of range (at most " +
                                   std::to_string(max) + ")");
    }
    return result;
}

std::int32_t ProfileFields::signedValue(const ProfileValue& value, const std::string& key) const {
    constexpr std::int64_t kMin = std::numeric_limits<std::int32_t>::min();
    constexpr std::int64_t kMax = std::numeric_limits<std::int32_t>::max();
    if (value.kind() == ProfileValue::Kind::Integer ||
        value.kind() == ProfileValue::Kind::Unsigned) {
        const bool negative = value.kind() == ProfileValue::Kind::Integer && value.asInteger() < 0;
        if (negative ? value.asInteger() >= kMin : value.asUnsigned() <= kMax) {
            return static_cast<std::int32_t>(value.asInteger());
        }
        fail(key, describeJson(value) + " is out of range (" + std::to_string(kMin) + " to " +
                      std::to_string(kMax) + ")");
    }
    return static_cast<std::int32_t>(unsignedValue(value, key, kMax));
}

bool ProfileFields::boolValue(const ProfileValue& value, const std::string& key) const {
    if (!value.isBoolean()) {
        fail(key, "expected true or false, got " + describeJson(value));
    }
    return value.asBoolean();
}

std::string ProfileFields::stringValue(const ProfileValue& value, const std::string& key) const {
    if (!value.isString()) {
        fail(key, "expected a string, got " + describeJson(value));
    }
    return value.asString();
}

double ProfileFields::secondsValue(const ProfileValue& value, const std::string& key,
                                   double max) const {
    if (!value.isNumber() || value.asDouble() < 0.0) {
        fail(key, "expected a number of seconds (0 or more), got " + describeJson(value));
    }
    if (value.asDouble() > max) {
        fail(key, describeJson(value) + " is out of range (at most " + jsonNumberText(max) + ")");
    }
    return value.asDouble();
}

std::vector<std::uint8_t> ProfileFields::hexBytes(const ProfileValue& value,
                                                  const std::string& key) const {
    const std::string text = stringValue(value, key);
    if (text.size() % 2 != 0) {
        fail(key, "expected pairs of hexadecimal digits, got an odd count (" +
                      std::to_string(text.size()) + ")");
    }
    std::vector<std::uint8_t> bytes;
    bytes.reserve(text.size() / 2);
    for (std::size_t i = 0; i < text.size(); i += 2) {
        const char digits[] = {'0', 'x', text[i], text[i + 1]};
        const auto byte = parseHexText(std::string_view(digits, sizeof digits));
        if (!byte) {
            std::string problem = "\"";
            problem.append(text, i, 2);
            fail(key, problem + "\" at character " + std::to_string(i + 1) +
                          " is not a hexadecimal byte");
        }
        bytes.push_back(static_cast<std::uint8_t>(*byte));
    }
    return bytes;
}

std::uint64_t ProfileFields::hexKey(const std::string& name, const std::string& key,
                                    std::uint64_t max) const {
    auto parsed = parseHexText(name);
    if (!parsed) {
        fail(key, "expected a hexadecimal key (\"0x...\")");
    }
    if (*parsed > max) {
        fail(key, hexText(*parsed) + " is out of range (at most " + hexText(max) + ")");
    }
    return *parsed;
}

const ProfileValue& ProfileFields::object(const ProfileValue& value, const std::string& key,
                                          std::span<const std::string_view> known) const {
    if (!value.isObject()) {
        fail(key, "expected an object, got " + describeJson(value));
    }
    // Of several unknown keys, the first in name order is named.
    const std::string* unknown = nullptr;
    for (const ProfileValue::Member& member : value.members()) {
        const std::string& name = member.name;
        if (isNoteKey(name) || std::find(known.begin(), known.end(), name) != known.end()) {
            continue;
        }
        if (unknown == nullptr || name < *unknown) {
            unknown = &name;
        }
    }
    if (unknown != nullptr) {
        std::string list;
        for (const std::string_view k : known) {
            list += (list.empty() ? "" : ", ") + std::string(k);
        }
        fail(childKey(key, *unknown), "unknown key (known here: " + list + ")");
    }
    return value;
}

const ProfileValue& ProfileFields::array(const ProfileValue& value, const std::string& key) const {
    if (!value.isArray()) {
        fail(key, "expected an array, got " + describeJson(value));
    }
    return value;
}

std::vector<std::uint8_t> ProfileFields::file(const ProfileValue& value,
                                              const std::string& key) const {
    const std::string name = stringValue(value, key);
    // The system would take the name only up to the NUL: another file.
    if (name.find('\0') != std::string::npos) {
        fail(key, "the file name holds a NUL byte");
    }
    const fs::path given = name;
    const fs::path resolved = given.is_absolute() ? given : directory_ / given;
    std::string problem;
    auto bytes = readWholeFile(resolved, kMaxDataFileBytes, problem);
    if (!bytes) {
        fail(key, "cannot read \"" + resolved.generic_string() + "\": " + problem);
    }
    if (bytes->size() > kMaxDataBytesInAll - dataBytesRead_) {
        fail(key, "the files this profile names hold more than " +
                      std::to_string(kMaxDataBytesInAll) + " bytes together");
    }
    dataBytesRead_ += bytes->size();
    return std::move(*bytes);
}

}  // namespace romwise::sim
