// Feeds arbitrary text to the profile loader as if it were a profile in the
// samples folder, so that the names it holds can reach the sample files.
// A profile is loaded whole or refused with a one-line message; what loads
// keeps the bounds the loader promises.
#include <cstddef>
#include <cstdint>
#include <vector>

#include "platform/sim/profile_loader.h"
#include "platform/sim/sim_physical_memory.h"
#include "tests/fuzz/fuzz_check.h"

namespace {

using namespace romwise::sim;
using romwise::fuzz::hasControlBytes;
using romwise::fuzz::require;

constexpr char kProfilePath[] = ROMWISE_SAMPLES_DIR "/fuzzed-profile.json";

void checkLoaded(const MachineProfile& profile) {
    for (const MemoryRegion& region : profile.memory) {
        require(region.address <= SimPhysicalMemory::kAddressSpaceEnd &&
                region.bytes.size() <= SimPhysicalMemory::kAddressSpaceEnd - region.address);
    }
    for (const SuperIoChip& chip : profile.superio) {
        for (const std::uint16_t port : {chip.indexPort, chip.dataPort}) {
            require(port < 0xCF8 || port > 0xCFF);
        }
        for (const auto& [reg, values] : chip.sequences) {
            require(!values.empty());
        }
    }
    if (profile.cpu) {
        require(profile.cpu->counterFrequency >= 1 &&
                profile.cpu->counterFrequency <= 4'000'000'000u);
        require(profile.cpu->bsfLoopSeconds >= 0.0 && profile.cpu->bsfLoopSeconds <= 1000.0);
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::vector<std::uint8_t> text(data, data + size);
    try {
        checkLoaded(parseMachineProfile(text, kProfilePath));
    } catch (const ProfileError& error) {
        require(!hasControlBytes(error.what()));
    }
    return 0;
}
