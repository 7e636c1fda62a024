// Report files in memory: a file system that can run out of room, refuse a
// directory or fail to close, for the tests of saving a report.
#pragma once

#include <algorithm>
#include <map>
#include <memory>
#include <set>
#include <string>

#include "report/report_files.h"

namespace romwise::testing {

class MemoryFiles final : public ReportFiles {
  public:
    std::map<std::string, std::string> files;
    std::set<std::string> directories = {"/home/ann", "/ro"};
    std::set<std::string> readOnly = {"/ro"};
    std::size_t freeBytes = 1 << 20;
    bool closeFails = false;
    std::string home = "/home/ann";
    int temporaryFiles = 0;  // alive right now

    std::unique_ptr<TemporaryReportFile> createBeside(const std::string& target) override {
        const std::string directory = target.substr(0, target.rfind('/'));
        if (directories.count(directory) == 0 || readOnly.count(directory) != 0) {
            return nullptr;
        }
        return std::make_unique<File>(*this, target);
    }
    std::unique_ptr<TemporaryReportFile> createRegularBeside(const std::string& target) override {
        return createBeside(target);
    }
    std::string homeDirectory() override { return home; }

  private:
    class File final : public TemporaryReportFile {
      public:
        File(MemoryFiles& owner, std::string target) : owner_(owner), target_(std::move(target)) {
            ++owner_.temporaryFiles;
        }
        ~File() override { --owner_.temporaryFiles; }
        bool write(std::string_view bytes) override {
            const std::size_t kept = std::min(bytes.size(), owner_.freeBytes);
            data_.append(bytes.substr(0, kept));
            owner_.freeBytes -= kept;
            return kept == bytes.size();
        }
        bool close() override { return !owner_.closeFails; }
        bool replaceTarget() override {
            owner_.files[target_] = data_;
            return true;
        }

      private:
        MemoryFiles& owner_;
        std::string target_;
        std::string data_;
    };
};

}  // namespace romwise::testing
