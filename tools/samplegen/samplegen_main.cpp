// romwise-samplegen OUTPUT_DIR: writes the binary inputs of the sample
// machine profiles. The output is the same on every run and every host.
#include <cstdio>
#include <exception>
#include <filesystem>
#include <fstream>

#include "tools/samplegen/sample_files.h"

namespace {

bool WriteFile(const std::filesystem::path& path, const romwise::samplegen::Bytes& bytes) {
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char*>(bytes.data()),
              static_cast<std::streamsize>(bytes.size()));
    return static_cast<bool>(out.flush());
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: romwise-samplegen OUTPUT_DIR\n");
        return 2;
    }
    const std::filesystem::path dir = argv[1];
    try {
        std::filesystem::create_directories(dir);
        for (const auto& file : romwise::samplegen::SampleFiles()) {
            const auto path = dir / file.name;
            if (!WriteFile(path, file.build())) {
                std::fprintf(stderr, "romwise-samplegen: cannot write %s\n", path.c_str());
                return 1;
            }
            std::printf("%s\n", path.c_str());
        }
    } catch (const std::exception& e) {
        std::fprintf(stderr, "romwise-samplegen: %s\n", e.what());
        return 1;
    }
    return 0;
}
