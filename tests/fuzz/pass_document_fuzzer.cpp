// Feeds arbitrary texts to the pass document's reader, as the window reads
// the privileged helper's answer. What it takes, written again, reads back
// to the same document; what it refuses, it says why on one line.
#include <cstddef>
#include <cstdint>
#include <string>

#include "platform/pass_document/pass_document.h"
#include "tests/fuzz/fuzz_check.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace romwise;
    std::string problem;
    const auto written = [](const PassDocument& pass) {
        return writePassDocument(pass.results, pass.options, pass.view, {});
    };
    const auto read = readPassDocument({reinterpret_cast<const char*>(data), size}, problem);
    fuzz::require(read || (!problem.empty() && problem.find('\n') == std::string::npos));
    if (read) {
        const auto again = readPassDocument(written(*read), problem);
        fuzz::require(again && written(*again) == written(*read));
    }
    return 0;
}
