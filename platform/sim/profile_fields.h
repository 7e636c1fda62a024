// Reading the values of a machine profile's JSON: numbers in their two forms,
// texts, switches, objects with a fixed set of keys, and the data files a
// profile names. Every problem becomes a ProfileError naming the file, the
// key (as a path like `superio[1].unlock[0][2]`) and what is wrong.
#pragma once

#include <cstdint>
#include <filesystem>
#include <limits>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "platform/sim/profile_value.h"

namespace romwise::sim {

inline constexpr std::uint64_t kMaxByte = 0xFF;
inline constexpr std::uint64_t kMaxWord = 0xFFFF;
inline constexpr std::uint64_t kMaxDword = 0xFFFFFFFFu;
inline constexpr std::uint64_t kMaxQword = std::numeric_limits<std::uint64_t>::max();

// Key paths: "os" + "family" → "os.family"; "pci" + 1 → "pci[1]";
// "cpu.cpuid" + "0x1" → `cpu.cpuid["0x1"]`.
std::string childKey(const std::string& parent, const std::string& name);
std::string elementKey(const std::string& parent, std::size_t index);
std::string entryKey(const std::string& parent, const std::string& mapKey);
// An object's member as the loader names it: entryKey for the numbers that
// key registers and leaves ("0x..."), childKey for every other name.
std::string memberKey(const std::string& parent, const std::string& name);

// The largest profile file, and the largest file a profile may name (a
// whole flash image of a modern board fits), in bytes; and how many bytes
// the files one profile names may hold together.
inline constexpr std::uint64_t kMaxProfileBytes = 4 << 20;
inline constexpr std::uint64_t kMaxDataFileBytes = 64 << 20;
inline constexpr std::uint64_t kMaxDataBytesInAll = 128 << 20;

// "0x" and uppercase hexadecimal digits.
std::string hexText(std::uint64_t value);

// "0x" (or "0X") followed by 1 to 16 hexadecimal digits.
std::optional<std::uint64_t> parseHexText(std::string_view text);

// Whether an object key is a note: it begins with "_" or "comment".
bool isNoteKey(const std::string& name);

class ProfileFields {
  public:
    // `path` is the profile file as given; data files are found beside it.
    explicit ProfileFields(std::string path);

    [[noreturn]] void fail(const std::string& key, const std::string& problem) const;

    // A JSON number or a "0x..." string, from 0 to `max`.
    std::uint64_t unsignedValue(const ProfileValue& value, const std::string& key,
                                std::uint64_t max) const;
    // Also a negative JSON number, within 32 bits.
    std::int32_t signedValue(const ProfileValue& value, const std::string& key) const;
    bool boolValue(const ProfileValue& value, const std::string& key) const;
    std::string stringValue(const ProfileValue& value, const std::string& key) const;
    // A JSON number from 0 to `max`.
    double secondsValue(const ProfileValue& value, const std::string& key, double max) const;
    // A string of hexadecimal digit pairs, one byte each ("FF5203").
    std::vector<std::uint8_t> hexBytes(const ProfileValue& value, const std::string& key) const;
    // An object key that is a number: "0x...", up to `max`.
    std::uint64_t hexKey(const std::string& name, const std::string& key, std::uint64_t max) const;

    // `value` as an object whose keys are all `known` or notes.
    const ProfileValue& object(const ProfileValue& value, const std::string& key,
                               std::span<const std::string_view> known) const;
    const ProfileValue& array(const ProfileValue& value, const std::string& key) const;
    // The whole of the file that `value` names: a regular file of at most
    // kMaxDataFileBytes, which with the files read before it holds at most
    // kMaxDataBytesInAll.
    std::vector<std::uint8_t> file(const ProfileValue& value, const std::string& key) const;

    const std::string& path() const { return path_; }

  private:
    std::string path_;
    std::filesystem::path directory_;
    mutable std::uint64_t dataBytesRead_ = 0;
};

// The whole file when it is a regular file (after symbolic links) of at
// most `limit` bytes; or nothing, with `problem` saying why. A device, a
// FIFO or a directory is refused before it is opened, so nothing endless
// is read and nothing waits for a writer.
std::optional<std::vector<std::uint8_t>> readWholeFile(const std::filesystem::path& path,
                                                       std::uint64_t limit, std::string& problem);

}  // namespace romwise::sim
