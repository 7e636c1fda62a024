// Every binary input the sample machine profiles name, by file name.
#pragma once

#include <span>
#include <string_view>

#include "tools/samplegen/byte_buffer.h"

namespace romwise::samplegen {

struct SampleFile {
    std::string_view name;
    Bytes (*build)();
};

std::span<const SampleFile> SampleFiles();

}  // namespace romwise::samplegen
