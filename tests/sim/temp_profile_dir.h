// A scratch directory for the profiles and data files a test writes; removed
// with everything in it when the test ends.
#pragma once

#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "platform/sim/profile_loader.h"

namespace romwise::sim::testing {

class TempProfileDir {
  public:
    TempProfileDir() {
        std::string pattern =
            (std::filesystem::temp_directory_path() / "romwise-sim-XXXXXX").string();
        if (mkdtemp(pattern.data()) == nullptr) {
            throw std::runtime_error("cannot create a temporary directory");
        }
        root_ = pattern;
    }
    ~TempProfileDir() {
        std::error_code ignored;
        std::filesystem::remove_all(root_, ignored);
    }
    TempProfileDir(const TempProfileDir&) = delete;
    TempProfileDir& operator=(const TempProfileDir&) = delete;

    // Writes `text` to `name` (which may hold subdirectories); returns the path.
    std::string write(const std::string& name, const std::string& text) const {
        return writeBytes(name, std::vector<std::uint8_t>(text.begin(), text.end()));
    }

    std::string writeBytes(const std::string& name, const std::vector<std::uint8_t>& bytes) const {
        const std::filesystem::path path = root_ / name;
        std::filesystem::create_directories(path.parent_path());
        std::ofstream out(path, std::ios::binary);
        out.write(reinterpret_cast<const char*>(bytes.data()),
                  static_cast<std::streamsize>(bytes.size()));
        return path.string();
    }

    // Writes a profile and loads it.
    MachineProfile load(const std::string& json, const std::string& name = "machine.json") const {
        return loadMachineProfile(write(name, json));
    }

    // Writes a profile that must be refused and returns the refusal.
    ProfileError refusal(const std::string& json, const std::string& name = "machine.json") const {
        const std::string path = write(name, json);
        try {
            loadMachineProfile(path);
        } catch (const ProfileError& error) {
            return error;
        }
        ADD_FAILURE() << "profile was accepted: " << json;
        return ProfileError(path, "", "accepted");
    }

    const std::filesystem::path& root() const { return root_; }

  private:
    std::filesystem::path root_;
};

}  // namespace romwise::sim::testing
