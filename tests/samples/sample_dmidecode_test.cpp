// Debian's dmidecode, an independent SMBIOS decoder, reads the sample dumps
// as the boards they describe.
#include <gtest/gtest.h>

#include <string>

#include "tests/samples/dmidecode_output.h"
#include "tests/samples/sample_paths.h"
#include "tools/samplegen/sample_boards.h"

namespace romwise::samples_test {
namespace {

struct DumpCase {
    const char* file;
    const samplegen::SampleBoard* board;
};

void PrintTo(const DumpCase& c, std::ostream* os) {
    *os << c.file;
}

std::string MhzText(unsigned mhz) {
    return std::to_string(mhz) + " MHz";
}

std::string SizeText(std::uint16_t sizeMb) {
    return sizeMb == 0 ? "No Module Installed" : std::to_string(sizeMb) + " MB";
}

class DmidecodeReading : public testing::TestWithParam<DumpCase> {
  protected:
    void SetUp() override {
        const auto dmidecode = FindProgram("dmidecode");
        if (!dmidecode) {
            GTEST_SKIP() << "dmidecode is not on PATH (nor in /usr/sbin): install the Debian "
                            "package dmidecode to check the sample dumps against it";
        }
        const auto run =
            RunCommand(ShellQuote(dmidecode->string()) + " --from-dump " +
                       ShellQuote((SamplesDir() / GetParam().file).string()) + " 2>&1");
        ASSERT_EQ(run.status, 0) << run.output;
        raw_ = run.output;
        decoded_ = ParseDmidecodeOutput(raw_);
    }
    const samplegen::SampleBoard& board() const { return *GetParam().board; }

    std::string raw_;
    DecodedDump decoded_;
};

TEST_P(DmidecodeReading, FindsAnSmbios23TableWithoutComplaint) {
    EXPECT_NE(raw_.find("SMBIOS 2.3 present."), std::string::npos) << raw_;
    for (const char* complaint : {"Wrong DMI", "Invalid", "Bad", "truncated"}) {
        EXPECT_EQ(raw_.find(complaint), std::string::npos) << complaint << " in:\n" << raw_;
    }
    ASSERT_FALSE(decoded_.structures.empty());
    EXPECT_EQ(decoded_.structures.back().title, "End Of Table");
}

TEST_P(DmidecodeReading, NamesTheBoardMakerAndModel) {
    const auto boards = decoded_.Titled("Base Board Information");
    ASSERT_EQ(boards.size(), 1u) << raw_;
    EXPECT_EQ(boards[0]->Value("Manufacturer"), board().boardManufacturer);
    EXPECT_EQ(boards[0]->Value("Product Name"), board().boardProduct);
}

TEST_P(DmidecodeReading, ReadsTheBiosAsSocketed) {
    const auto bios = decoded_.Titled("BIOS Information");
    ASSERT_EQ(bios.size(), 1u) << raw_;
    EXPECT_EQ(bios[0]->Value("Vendor"), board().biosVendor);
    EXPECT_EQ(bios[0]->Value("Version"), board().biosVersion);
    EXPECT_EQ(bios[0]->Value("Release Date"), board().biosReleaseDate);
    const auto& lines = bios[0]->lines;
    EXPECT_NE(std::find(lines.begin(), lines.end(), "\tBIOS ROM is socketed"), lines.end());
}

TEST_P(DmidecodeReading, ReadsTheProcessorNameAndSpeeds) {
    const auto cpus = decoded_.Titled("Processor Information");
    ASSERT_EQ(cpus.size(), 1u) << raw_;
    EXPECT_EQ(cpus[0]->Value("Version"), board().processorVersion);
    EXPECT_EQ(cpus[0]->Value("Current Speed"), MhzText(board().currentSpeedMhz));
    EXPECT_EQ(cpus[0]->Value("Max Speed"), MhzText(board().maxSpeedMhz));
}

TEST_P(DmidecodeReading, ListsEveryMemoryDeviceWithItsSize) {
    const auto devices = decoded_.Titled("Memory Device");
    ASSERT_EQ(devices.size(), board().memory.size()) << raw_;
    for (std::size_t i = 0; i < devices.size(); ++i) {
        EXPECT_EQ(devices[i]->Value("Size"), SizeText(board().memory[i].sizeMb)) << "device " << i;
        EXPECT_EQ(devices[i]->Value("Locator"), board().memory[i].deviceLocator);
    }
}

INSTANTIATE_TEST_SUITE_P(Samples, DmidecodeReading,
                         testing::Values(DumpCase{"award-440bx.dmi", &samplegen::kQb440bx},
                                         DumpCase{"many-slots.dmi", &samplegen::kQbRiser}),
                         [](const auto& info) {
                             std::string name = info.param.file;
                             std::replace_if(
                                 name.begin(), name.end(), [](char c) { return !std::isalnum(c); },
                                 '_');
                             return name;
                         });

}  // namespace
}  // namespace romwise::samples_test
