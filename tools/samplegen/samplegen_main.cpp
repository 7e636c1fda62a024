// romwise-samplegen OUTPUT_DIR: writes the binary inputs of the sample
// machine profiles. The output is the same on every run and every host.
#include <cstdio>
#include <exception>
#include <filesystem>
#include <fstream>
#include <string_view>

#include "tools/samplegen/sample_files.h"

namespace {

bool WriteFile(const std::filesystem::path& path, const romwise::samplegen::Bytes& bytes) {
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char*>(bytes.data()),
              static_cast<std::streamsize>(bytes.size()));
    return static_cast<bool>(out.flush());
}

}  // namespace

constexpr char kUsage[] =
    "usage: romwise-samplegen OUTPUT_DIR\n"
    "Writes the binary inputs of the sample machine profiles (ROM window, SMBIOS\n"
    "dumps, CPUID dump) into OUTPUT_DIR, the same bytes on every run and host.\n";

int main(int argc, char** argv) {
    if (argc == 2 && (std::string_view(argv[1]) == "--help" || std::string_view(argv[1]) == "-h")) {
        std::fputs(kUsage, stdout);
        return 0;
    }
    if (argc != 2 || argv[1][0] == '-') {
        std::fputs(kUsage, stderr);
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
