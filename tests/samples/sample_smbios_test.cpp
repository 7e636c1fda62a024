// The sample SMBIOS dumps: a sound dmidecode-format entry point and a table
// that walks cleanly to its end-of-table structure.
#include <gtest/gtest.h>

#include <numeric>
#include <set>
#include <span>

#include "tests/samples/sample_paths.h"
#include "tests/samples/smbios_dump_walk.h"
#include "tools/samplegen/sample_boards.h"

namespace romwise::samples_test {
namespace {

constexpr std::size_t kSlotTableCapacity = 16;  // memory slots the results record keeps

struct DumpCase {
    const char* file;
    const samplegen::SampleBoard* board;
};

void PrintTo(const DumpCase& c, std::ostream* os) {
    *os << c.file;
}

class SampleDump : public testing::TestWithParam<DumpCase> {
  protected:
    void SetUp() override {
        dump_ = ReadFileBytes(SamplesDir() / GetParam().file);
        ASSERT_GE(dump_.size(), 0x20u);
        entry_ = ReadEntryPoint(dump_);
        walk_ = WalkDump(dump_);
    }
    const samplegen::SampleBoard& board() const { return *GetParam().board; }

    std::vector<const DumpStructure*> OfType(std::uint8_t type) const {
        std::vector<const DumpStructure*> found;
        for (const auto& s : walk_.structures) {
            if (s.type == type) {
                found.push_back(&s);
            }
        }
        return found;
    }

    unsigned Sum(std::size_t from, std::size_t count) const {
        const std::span<const std::uint8_t> bytes(dump_.data() + from, count);
        return std::accumulate(bytes.begin(), bytes.end(), 0u) & 0xFF;
    }

    std::vector<std::uint8_t> dump_;
    DumpEntryPoint entry_;
    DumpWalk walk_;
};

TEST_P(SampleDump, HasAnSmbios23EntryPointAtOffsetZero) {
    EXPECT_EQ(std::string(dump_.begin(), dump_.begin() + 4), "_SM_");
    EXPECT_EQ(std::string(dump_.begin() + 0x10, dump_.begin() + 0x15), "_DMI_");
    EXPECT_EQ(entry_.length, 0x1F);
    EXPECT_EQ(entry_.major, 2);
    EXPECT_EQ(entry_.minor, 3);
    EXPECT_EQ(entry_.bcdRevision, 0x23);
}

TEST_P(SampleDump, HasSoundChecksums) {
    EXPECT_EQ(Sum(0, entry_.length), 0u) << "entry point checksum";
    EXPECT_EQ(Sum(0x10, 0x0F), 0u) << "intermediate checksum";
}

TEST_P(SampleDump, PutsTheTableAtOffset20hAsDmidecodeDoes) {
    EXPECT_EQ(entry_.tableAddress, 0x20u);
    EXPECT_EQ(entry_.tableLength, dump_.size() - 0x20);
}

TEST_P(SampleDump, WalksToTheEndOfTableStructureWithinTheTableLength) {
    EXPECT_TRUE(walk_.error.empty()) << walk_.error;
    EXPECT_TRUE(walk_.endedAtEndOfTable);
    EXPECT_EQ(walk_.bytesWalked, entry_.tableLength);
}

TEST_P(SampleDump, CountsEveryStructureInTheEntryPoint) {
    EXPECT_EQ(walk_.structures.size(), entry_.structureCount);
}

TEST_P(SampleDump, GivesTheLargestStructureAsMaximumStructureSize) {
    std::size_t largest = 0;
    for (const auto& s : walk_.structures) {
        largest = std::max(largest, s.totalLength);
    }
    EXPECT_EQ(largest, entry_.maxStructureSize);
}

TEST_P(SampleDump, GivesEveryStructureItsOwnHandle) {
    std::set<std::uint16_t> handles;
    for (const auto& s : walk_.structures) {
        EXPECT_TRUE(handles.insert(s.handle).second) << "handle " << s.handle;
    }
}

TEST_P(SampleDump, DescribesTheBiosWithASocketedRom) {
    const auto bios = OfType(0);
    ASSERT_EQ(bios.size(), 1u);
    EXPECT_TRUE(bios[0]->length >= 0x12 && bios[0]->length <= 0x14) << int(bios[0]->length);
    EXPECT_EQ(bios[0]->StringAt(0x04), board().biosVendor);
    EXPECT_EQ(bios[0]->StringAt(0x05), board().biosVersion);
    EXPECT_NE(bios[0]->Dword(0x0A) & 0x20000u, 0u) << "characteristics bit 17";
}

TEST_P(SampleDump, NamesTheBoardAndTheSystem) {
    const auto boards = OfType(2);
    ASSERT_EQ(boards.size(), 1u);
    EXPECT_EQ(boards[0]->StringAt(0x04), board().boardManufacturer);
    EXPECT_EQ(boards[0]->StringAt(0x05), board().boardProduct);
    const auto systems = OfType(1);
    ASSERT_EQ(systems.size(), 1u);
    EXPECT_EQ(systems[0]->StringAt(0x04), board().systemManufacturer);
}

TEST_P(SampleDump, DescribesTheProcessorInTheSmbios23Layout) {
    const auto cpus = OfType(4);
    ASSERT_EQ(cpus.size(), 1u);
    EXPECT_EQ(cpus[0]->length, 0x23);
    EXPECT_EQ(cpus[0]->StringAt(0x10), board().processorVersion);
    EXPECT_EQ(cpus[0]->Word(0x14), board().maxSpeedMhz);
    EXPECT_EQ(cpus[0]->Word(0x16), board().currentSpeedMhz);
}

TEST_P(SampleDump, HasOneMemoryDevicePerSocketWithItsSize) {
    const auto devices = OfType(17);
    ASSERT_EQ(devices.size(), board().memory.size());
    for (std::size_t i = 0; i < devices.size(); ++i) {
        EXPECT_EQ(devices[i]->Word(0x0C), board().memory[i].sizeMb) << "device " << i;
        EXPECT_EQ(devices[i]->StringAt(0x10), board().memory[i].deviceLocator);
    }
}

TEST_P(SampleDump, GivesTheMemoryArrayItsCapacityAndDeviceCount) {
    const auto arrays = OfType(16);
    ASSERT_EQ(arrays.size(), 1u);
    EXPECT_EQ(arrays[0]->Dword(0x07), board().maxCapacityKb);
    EXPECT_EQ(arrays[0]->Word(0x0D), board().memory.size());
    for (const auto* device : OfType(17)) {
        EXPECT_EQ(device->Word(0x04), arrays[0]->handle);
    }
}

TEST_P(SampleDump, ListsTheModulesAfterTheMemoryController) {
    const auto controllers = OfType(5);
    ASSERT_EQ(controllers.size(), 1u);
    const auto modules = OfType(6);
    ASSERT_EQ(controllers[0]->Byte(0x0E), modules.size());
    for (std::size_t i = 0; i < modules.size(); ++i) {
        EXPECT_EQ(controllers[0]->Word(0x0F + 2 * i), modules[i]->handle);
    }
}

INSTANTIATE_TEST_SUITE_P(Samples, SampleDump,
                         testing::Values(DumpCase{"award-440bx.dmi", &samplegen::kQb440bx},
                                         DumpCase{"many-slots.dmi", &samplegen::kQbRiser}),
                         [](const auto& info) {
                             std::string name = info.param.file;
                             std::replace_if(
                                 name.begin(), name.end(), [](char c) { return !std::isalnum(c); },
                                 '_');
                             return name;
                         });

TEST(ManySlotsDump, HasMoreMemoryDevicesThanTheSlotTableHolds) {
    const auto walk = WalkDump(ReadFileBytes(SamplesDir() / "many-slots.dmi"));
    const auto devices = std::count_if(walk.structures.begin(), walk.structures.end(),
                                       [](const DumpStructure& s) { return s.type == 17; });
    EXPECT_EQ(static_cast<std::size_t>(devices), kSlotTableCapacity + 1);
    ASSERT_FALSE(samplegen::kQbRiser.memory.empty());
    EXPECT_NE(samplegen::kQbRiser.memory.back().sizeMb, 0)
        << "the device past the slot table must hold memory, so that it counts in the total";
}

}  // namespace
}  // namespace romwise::samples_test
