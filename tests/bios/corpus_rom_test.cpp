// Every real ROM window of the corpus through IdentifyBios: the maker its
// manifest names is recognised wherever it is one of ours, the date is the
// 8 bytes at FFF5h, and nothing reads outside the window (each window is
// held in a buffer of exactly 64 KiB, so AddressSanitizer sees any overrun).
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <map>
#include <set>
#include <string>
#include <vector>

#include "tests/bios/crafted_rom.h"

namespace romwise::bios_test {
namespace {

namespace fs = std::filesystem;

const fs::path kCorpus = ROMWISE_CORPUS_DIR;

std::vector<std::uint8_t> ReadWindow(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    return std::vector<std::uint8_t>(std::istreambuf_iterator<char>(in), {});
}

std::string Trim(std::string text) {
    const auto first = text.find_first_not_of(' ');
    const auto last = text.find_last_not_of(' ');
    return first == std::string::npos ? "" : text.substr(first, last - first + 1);
}

// "rom/..." path -> maker column of the manifest's ROM table.
std::map<std::string, std::string> ManifestMakers() {
    std::map<std::string, std::string> makers;
    std::ifstream in(kCorpus / "MANIFEST.md");
    for (std::string line; std::getline(in, line);) {
        if (line.rfind("| rom/", 0) != 0) {
            continue;
        }
        const auto second = line.find('|', 1);
        const auto third = line.find('|', second + 1);
        makers[Trim(line.substr(1, second - 1))] =
            Trim(line.substr(second + 1, third - second - 1));
    }
    return makers;
}

BiosMaker ExpectedMaker(const std::string& manifestMaker) {
    const std::map<std::string, BiosMaker> ours = {
        {"Award", BiosMaker::Award},     {"Award (decompressed)", BiosMaker::Award},
        {"MRBIOS", BiosMaker::MrBios},   {"AMI", BiosMaker::Ami},
        {"Phoenix", BiosMaker::Phoenix}, {"Compaq", BiosMaker::Compaq},
        {"Acer", BiosMaker::Acer},       {"IBM-SurePath", BiosMaker::SurePath},
    };
    const auto found = ours.find(manifestMaker);
    return found == ours.end() ? BiosMaker::None : found->second;
}

// AMI Hi-Flex flash images: their top 64 KiB is the boot block with
// "AMIBIOSC" module headers, without the text "American Megatrends" that
// the AMI recogniser looks for (the running machine shows the unpacked BIOS
// there instead). The manifest says so in their notes.
const std::set<std::string> kAmiFlashImages = {
    "rom/ami-hiflex_gateway-e-1000.bin",
    "rom/ami-hiflex_microsoft-virtual-pc-2007.bin",
    "rom/ami-hiflex_msi-ms-5146.bin",
    "rom/ami-hiflex_tyan-tsunami-atx-s1846.bin",
};

class CorpusRomTest : public testing::Test {
  protected:
    void SetUp() override {
        if (!fs::is_directory(kCorpus / "rom") || !fs::exists(kCorpus / "MANIFEST.md")) {
            GTEST_SKIP() << "corpus not found at " << kCorpus << ": real ROM windows not tested";
        }
    }

    // Every window file under rom/, as "rom/..." paths.
    static std::vector<std::string> Windows() {
        std::vector<std::string> paths;
        for (const auto& entry : fs::recursive_directory_iterator(kCorpus / "rom")) {
            if (entry.is_regular_file() && entry.path().extension() == ".bin") {
                paths.push_back(fs::relative(entry.path(), kCorpus).generic_string());
            }
        }
        std::sort(paths.begin(), paths.end());
        return paths;
    }
};

TEST_F(CorpusRomTest, EveryWindowIsRecognisedAsItsMakerWithItsDate) {
    const std::map<std::string, std::string> makers = ManifestMakers();
    const std::vector<std::string> windows = Windows();
    ASSERT_GE(windows.size(), 80u);
    // Every window the manifest lists is on disk, so none escapes the test.
    for (const auto& [path, maker] : makers) {
        EXPECT_TRUE(fs::is_regular_file(kCorpus / path)) << path << " (" << maker << ")";
    }
    std::map<BiosMaker, int> recognised;
    for (const std::string& path : windows) {
        SCOPED_TRACE(path);
        const auto manifestRow = makers.find(path);
        ASSERT_NE(manifestRow, makers.end()) << "not in MANIFEST.md";
        const std::vector<std::uint8_t> window = ReadWindow(kCorpus / path);
        ASSERT_EQ(window.size(), kRomLength);

        const BiosMaker expected =
            kAmiFlashImages.count(path) != 0 ? BiosMaker::None : ExpectedMaker(manifestRow->second);
        BiosIdentity bios;
        bios.romView = window.data();
        const BiosMaker maker = ReadBiosIdentity(bios);
        EXPECT_EQ(BiosMakerName(maker), BiosMakerName(expected)) << manifestRow->second;
        ++recognised[maker];

        RomWindowDriver driver(window.data());
        BiosLines lines;
        ASSERT_TRUE(IdentifyBios(driver, lines.date, lines.type, lines.id, lines.signOn));
        const std::string stored(window.begin() + 0xFFF5, window.begin() + 0xFFFD);
        EXPECT_EQ(lines.date.str(), "BIOS Date: " + stored.substr(0, stored.find('\0')));
        if (expected == BiosMaker::None) {
            EXPECT_EQ(lines.type, "BIOS Type: Unknown");
            EXPECT_EQ(lines.id, "BIOS ID:   Unknown");
            EXPECT_TRUE(lines.signOn.empty());
        } else {
            EXPECT_NE(lines.type, "BIOS Type: Unknown");
        }
    }
    // Every recogniser of ours met at least one real ROM.
    for (BiosMaker maker : {BiosMaker::Award, BiosMaker::MrBios, BiosMaker::Ami, BiosMaker::Phoenix,
                            BiosMaker::Compaq, BiosMaker::Acer, BiosMaker::SurePath}) {
        EXPECT_GT(recognised[maker], 0) << BiosMakerName(maker);
    }
}

// Values read from the bytes of a few windows, one per recogniser rule that
// the corpus exercises.
struct KnownWindow {
    const char* path;
    const char* typeLine;
    const char* idLine;
    const char* signOnLine;  // nullptr: no sign-on line written
};

TEST_F(CorpusRomTest, KnownWindowsGiveTheirLines) {
    const KnownWindow known[] = {
        {"rom/award-decompressed/award-decomp_msi-ms-6119.bin",
         "BIOS Type: Award Modular BIOS v4.51PG", "BIOS ID:   08/21/2000-i440BX-W977-2A69KM4AC-00",
         "OEM Sign-On: W6119MS V2.10 082100"},
        {"rom/award-decompressed/award-decomp_acrosser-ar-b1479d.bin",
         "BIOS Type: Phoenix - AwardBIOS v6.00PG",
         "BIOS ID:   05/04/2007-STPC-W83977F-6A452AV9C-00",
         "OEM Sign-On: Build Date: 05/04/2007 for AR-B1479D BIOS v1.2"},
        {"rom/award_jetway-j-403tg.bin", "BIOS Type: Award Modular BIOS v4.50G",
         "BIOS ID:   07/21/94-OPTI-802G-2C4UKJ11-00", "OEM Sign-On: V1.A"},
        {"rom/mrbios_jetway-j-403tg.bin", "BIOS Type: MR BIOS (r)  V2.02", "BIOS ID:   OPTI4D4",
         nullptr},
        // "MR BIOS (r)" also at FFA4h: the type comes from 00B1h. The ROM says
        // "Engineering Sample - Not For General Distribution".
        {"rom/mrbios_chaintech-325ax.bin", "BIOS Type: MR BIOS (r)  V1.41", "BIOS ID:   ACER310",
         "OEM Sign-On: Engineering Sample"},
        {"rom/ami-intel_intel-premiere-pci-batman.bin",
         "BIOS Type: American Megatrends licensed to Intel",
         "BIOS ID:   BIOS Version 1.00.08.AF1                ", nullptr},
        {"rom/phoenix-dell_dell-system-466np.bin", "BIOS Type: Phoenix",
         "BIOS ID:   80486 ROM BIOS PLUS Version 1.10 A02", nullptr},
        {"rom/phoenix_lg-ibm-multinet-x61.bin", "BIOS Type: PhoenixBIOS Version 4.05     ",
         "BIOS ID:   Unknown", nullptr},
        {"rom/acer_acer-p3-acermate-600.bin", "BIOS Type: Acer PCI/ISA 486 BIOS ",
         "BIOS ID:   ACR8DE00-S00-950911-R02-J3", nullptr},
        {"rom/surepath_alaris-cobalt-lpx.bin",
         "BIOS Type: SurePath BIOS - (c) Copyright IBM Corporation 1993, 1994", nullptr, nullptr},
        {"rom/nonconforming/compaq_portable-iii_p2.bin", "BIOS Type: COMPAQ BASIC",
         "BIOS ID:   Unknown", nullptr},
    };
    for (const KnownWindow& k : known) {
        SCOPED_TRACE(k.path);
        const std::vector<std::uint8_t> window = ReadWindow(kCorpus / k.path);
        ASSERT_EQ(window.size(), kRomLength);
        RomWindowDriver driver(window.data());
        BiosLines lines;
        lines.signOn = "none";
        ASSERT_TRUE(IdentifyBios(driver, lines.date, lines.type, lines.id, lines.signOn));
        EXPECT_EQ(lines.type.str(), k.typeLine);
        if (k.idLine != nullptr) {
            EXPECT_EQ(lines.id.str(), k.idLine);
        }
        EXPECT_EQ(lines.signOn.str(), k.signOnLine != nullptr ? k.signOnLine : "none");
    }
}

TEST_F(CorpusRomTest, AwardIdsOfTheCorpusAreShortenedForTheReports) {
    const std::vector<std::uint8_t> window =
        ReadWindow(kCorpus / "rom/award-decompressed/award-decomp_msi-ms-6119.bin");
    ASSERT_EQ(window.size(), kRomLength);
    RomWindowDriver driver(window.data());
    BiosLines lines;
    ASSERT_TRUE(IdentifyBios(driver, lines.date, lines.type, lines.id, lines.signOn));
    ShortenAwardBiosId(lines.type, lines.id);
    EXPECT_EQ(lines.id, "BIOS ID:   08/21/2000-i440BX-W977-2A69KM4AC");
}

}  // namespace
}  // namespace romwise::bios_test
