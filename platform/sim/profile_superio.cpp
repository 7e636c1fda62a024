#include "platform/sim/profile_superio.h"

#include <cstdint>
#include <map>
#include <utility>
#include <vector>

#include "platform/sim/profile_key_table.h"

namespace romwise::sim {

namespace {

constexpr std::uint16_t kPciFirstPort = 0xCF8;
constexpr std::uint16_t kPciLastPort = 0xCFF;

// The data port follows the index port unless "dataPort" (read after it)
// says otherwise.
void readIndexPort(const ProfileFields& fields, const ProfileValue& value, const std::string& key,
                   SuperIoChip& chip) {
    chip.indexPort = scalarValue<std::uint16_t>(fields, value, key);
    chip.dataPort = static_cast<std::uint16_t>(chip.indexPort + 1);
}

// A list of sequences, each a list of [port, value] writes.
template <std::vector<WriteSequence> SuperIoChip::*Member>
void writeSequences(const ProfileFields& fields, const ProfileValue& value, const std::string& key,
                    SuperIoChip& chip) {
    fields.array(value, key);
    std::vector<WriteSequence> sequences;
    for (std::size_t s = 0; s < value.size(); ++s) {
        const std::string sequenceKey = elementKey(key, s);
        const ProfileValue& sequence = fields.array(value[s], sequenceKey);
        if (sequence.size() == 0) {
            fields.fail(sequenceKey, "a sequence needs at least one [port, value] write");
        }
        WriteSequence writes;
        for (std::size_t w = 0; w < sequence.size(); ++w) {
            const std::string writeKey = elementKey(sequenceKey, w);
            const ProfileValue& write = sequence[w];
            if (!write.isArray() || write.size() != 2) {
                fields.fail(writeKey, "expected a [port, value] pair, got " + describeJson(write));
            }
            writes.emplace_back(
                scalarValue<std::uint16_t>(fields, write[0], elementKey(writeKey, 0)),
                scalarValue<std::uint8_t>(fields, write[1], elementKey(writeKey, 1)));
        }
        sequences.push_back(std::move(writes));
    }
    chip.*Member = std::move(sequences);
}

// The values successive reads of a register return.
std::vector<std::uint8_t> readValueSequence(const ProfileFields& fields, const ProfileValue& value,
                                            const std::string& key) {
    fields.array(value, key);
    if (value.size() == 0) {
        fields.fail(key, "a sequence needs at least one value");
    }
    std::vector<std::uint8_t> values;
    for (std::size_t i = 0; i < value.size(); ++i) {
        values.push_back(scalarValue<std::uint8_t>(fields, value[i], elementKey(key, i)));
    }
    return values;
}

using RegisterWrite = std::pair<std::uint8_t, std::uint8_t>;
constexpr auto kRegisterWriteKeys = keyTable<RegisterWrite>(
    {
        {"register", field<&RegisterWrite::first>, kRequired},
        {"value", field<&RegisterWrite::second>, kRequired},
    },
    "needs both \"register\" and \"value\"");

constexpr MapEntries<std::uint8_t> kRegisterValues{"an object of register → value",
                                                   scalarValue<std::uint8_t>};
constexpr MapEntries<std::vector<std::uint8_t>> kRegisterSequences{
    "an object of register → list of values", readValueSequence};

constexpr auto kChipKeys = keyTable<SuperIoChip>(
    {
        {"indexPort", readIndexPort, kRequired},
        {"dataPort", field<&SuperIoChip::dataPort>},
        {"unlock", writeSequences<&SuperIoChip::unlock>},
        {"lock", writeSequences<&SuperIoChip::lock>},
        {"lockOnRegisterWrite", object<&SuperIoChip::lockOnRegisterWrite, kRegisterWriteKeys>},
        {"registers", hexMap<&SuperIoChip::registers, kRegisterValues>},
        {"defaultRegister", field<&SuperIoChip::defaultRegister>},
        {"sequences", hexMap<&SuperIoChip::sequences, kRegisterSequences>},
        {"lockedRead", field<&SuperIoChip::lockedRead>},
    },
    "a Super I/O chip needs \"indexPort\"");

}  // namespace

// Every chip's ports are its own and outside PCI configuration.
void readSuperIo(const ProfileFields& fields, const ProfileValue& value, const std::string& key,
                 MachineProfile& profile) {
    fields.array(value, key);
    std::map<std::uint16_t, std::size_t> claimed;  // port → chip
    for (std::size_t i = 0; i < value.size(); ++i) {
        const std::string chipKey = elementKey(key, i);
        SuperIoChip chip;
        readObject(fields, value[i], chipKey, kChipKeys, chip);
        if (value[i].find("dataPort") == nullptr && chip.indexPort == kMaxWord) {
            fields.fail(childKey(chipKey, "indexPort"),
                        "port 0xFFFF leaves no room for the data port after it");
        }
        const std::pair<const char*, std::uint16_t> ports[] = {{"indexPort", chip.indexPort},
                                                               {"dataPort", chip.dataPort}};
        for (const auto& [name, port] : ports) {
            if (port >= kPciFirstPort && port <= kPciLastPort) {
                fields.fail(
                    childKey(chipKey, name),
                    "port " + hexText(port) + " belongs to PCI configuration (0xCF8-0xCFF)");
            }
            auto found = claimed.find(port);
            if (found != claimed.end() && found->second != i) {
                fields.fail(childKey(chipKey, name), "port " + hexText(port) +
                                                         " is already claimed by " +
                                                         elementKey(key, found->second));
            }
            claimed.emplace(port, i);
        }
        profile.superio.push_back(std::move(chip));
    }
}

}  // namespace romwise::sim
