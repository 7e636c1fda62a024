// The binaries committed in samples/ are exactly what romwise-samplegen
// writes, so nobody edits them by hand and a user's clone can rebuild them.
#include <gtest/gtest.h>

#include <algorithm>
#include <set>
#include <string>

#include "tests/samples/sample_paths.h"
#include "tools/samplegen/sample_files.h"

namespace romwise::samples_test {
namespace {

bool IsProfileOrDocument(const std::filesystem::path& path) {
    const auto ext = path.extension().string();
    return ext == ".json" || ext == ".md";
}

std::string FirstDifference(const std::vector<std::uint8_t>& a,
                            const std::vector<std::uint8_t>& b) {
    if (a.size() != b.size()) {
        return "sizes " + std::to_string(a.size()) + " and " + std::to_string(b.size());
    }
    const auto diff = std::mismatch(a.begin(), a.end(), b.begin());
    return "first difference at offset " + std::to_string(diff.first - a.begin());
}

class GeneratorRun : public testing::Test {
  protected:
    static void SetUpTestSuite() {
        output_ = new TempDirectory();
        const auto run = RunCommand(ShellQuote(GeneratorPath().string()) + " " +
                                    ShellQuote(output_->path().string()) + " 2>&1");
        status_ = run.status;
        log_ = run.output;
    }
    static void TearDownTestSuite() {
        delete output_;
        output_ = nullptr;
    }

    static TempDirectory* output_;
    static int status_;
    static std::string log_;
};

TempDirectory* GeneratorRun::output_ = nullptr;
int GeneratorRun::status_ = -1;
std::string GeneratorRun::log_;

TEST_F(GeneratorRun, Succeeds) {
    EXPECT_EQ(status_, 0) << log_;
}

TEST_F(GeneratorRun, WritesEverySampleFile) {
    for (const auto& file : samplegen::SampleFiles()) {
        EXPECT_TRUE(std::filesystem::is_regular_file(output_->path() / file.name)) << file.name;
    }
}

TEST_F(GeneratorRun, CommittedBinariesMatchFreshOutput) {
    ASSERT_EQ(status_, 0) << log_;
    for (const auto& file : samplegen::SampleFiles()) {
        const auto committed = SamplesDir() / file.name;
        ASSERT_TRUE(std::filesystem::exists(committed))
            << committed << " is missing; run the romwise-regenerate-samples target";
        const auto fresh = ReadFileBytes(output_->path() / file.name);
        const auto stored = ReadFileBytes(committed);
        EXPECT_TRUE(fresh == stored)
            << file.name << " differs from the generator's output ("
            << FirstDifference(fresh, stored) << "); regenerate it instead of editing it";
    }
}

TEST(CommittedSamples, HoldNoBinaryTheGeneratorDoesNotWrite) {
    std::set<std::string> generated;
    for (const auto& file : samplegen::SampleFiles()) {
        generated.emplace(file.name);
    }
    for (const auto& entry : std::filesystem::directory_iterator(SamplesDir())) {
        const auto& path = entry.path();
        if (entry.is_regular_file() && !IsProfileOrDocument(path)) {
            EXPECT_TRUE(generated.contains(path.filename().string()))
                << path << " is neither a profile nor written by romwise-samplegen";
        }
    }
}

TEST(SampleFiles, AreTheSameOnEveryBuild) {
    for (const auto& file : samplegen::SampleFiles()) {
        EXPECT_EQ(file.build(), file.build()) << file.name;
    }
}

TEST(SampleFiles, HaveDistinctNames) {
    std::set<std::string> names;
    for (const auto& file : samplegen::SampleFiles()) {
        EXPECT_TRUE(names.emplace(file.name).second) << file.name;
    }
}

TEST(Generator, RefusesAMissingOutputDirectoryArgument) {
    const auto run = RunCommand(ShellQuote(GeneratorPath().string()) + " 2>&1");
    EXPECT_EQ(run.status, 2);
    EXPECT_NE(run.output.find("usage"), std::string::npos) << run.output;
}

}  // namespace
}  // namespace romwise::samples_test
