// The JSON document read back as the window reads the privileged helper's
// answer: for every sample and every kind of pass, reading and writing again
// gives the same document, so no field of the record or the window is lost
// or changed on the way.
#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "cli_run.h"
#include "platform/pass_document/pass_document.h"

namespace romwise {
namespace {

using testing::CliRun;
using testing::runCliWith;

TEST(PassDocument, ReadingAndWritingAgainKeepsEveryByte) {
    std::size_t documents = 0;
    for (const auto& entry : std::filesystem::directory_iterator(ROMWISE_SAMPLES_DIR)) {
        if (entry.path().extension() != ".json") {
            continue;
        }
        for (const std::vector<std::string>& form :
             {std::vector<std::string>{}, {"--skip-dmi"}, {"--passes", "2", "--submit"}}) {
            std::vector<std::string> arguments = {"--machine", entry.path().string(), "--format",
                                                  "json"};
            arguments.insert(arguments.end(), form.begin(), form.end());
            const CliRun run = runCliWith(arguments);
            std::string problem;
            const std::optional<PassDocument> read = readPassDocument(run.out, problem);
            ASSERT_TRUE(read.has_value()) << entry.path() << ": " << problem;
            // The launches are the command line's own; the window never reads them.
            std::string expected = run.out;
            const std::size_t launched = expected.find("  \"launched\": [");
            const std::size_t window = expected.find("  \"window\": {");
            ASSERT_NE(launched, std::string::npos);
            expected.replace(launched, window - launched, "  \"launched\": [],\n");
            EXPECT_EQ(writePassDocument(read->results, read->options, read->view, {}), expected)
                << entry.path();
            ++documents;
        }
    }
    EXPECT_GT(documents, 60u);
}

TEST(PassDocument, WhatIsNoDocumentSaysWhy) {
    std::string problem;
    EXPECT_FALSE(readPassDocument("not json", problem));
    EXPECT_NE(problem.find("parse error"), std::string::npos) << problem;
    EXPECT_FALSE(readPassDocument(R"({"results": {}})", problem));
    EXPECT_FALSE(problem.empty());
    const CliRun run = runCliWith(
        {"--machine", std::string(ROMWISE_SAMPLES_DIR) + "/award-440bx.json", "--format", "json"});
    std::string damaged = run.out;
    damaged.replace(damaged.rfind("\"Completed\""), 11, "\"Finished\"");  // the record's
    EXPECT_FALSE(readPassDocument(damaged, problem));
    EXPECT_NE(problem.find("unknown run state \"Finished\""), std::string::npos) << problem;
}

}  // namespace
}  // namespace romwise
