// Feeds arbitrary texts to the pass document's reader, as the window reads
// the privileged helper's answer. What it takes, written again, reads back
// to the same document; what it refuses, it says why on one line.
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "platform/pass_document/pass_document.h"
#include "tests/fuzz/fuzz_check.h"

namespace {

using namespace romwise;
using romwise::fuzz::require;

std::string written(const PassDocument& pass) {
    return writePassDocument(pass.results, pass.options, pass.view, {});
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    std::string problem;
    const std::optional<PassDocument> read =
        readPassDocument(std::string_view(reinterpret_cast<const char*>(data), size), problem);
    if (!read) {
        require(!problem.empty() && problem.find('\n') == std::string::npos);
        return 0;
    }
    const std::string document = written(*read);
    const std::optional<PassDocument> again = readPassDocument(document, problem);
    require(again.has_value() && written(*again) == document);
    return 0;
}
