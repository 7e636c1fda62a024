// Reads a machine profile file (JSON) into a MachineProfile, checking all of
// it first: a profile is either loaded whole or refused with a ProfileError.
// The format is described in docs/machine-profiles.md.
#pragma once

#include <cstdint>
#include <stdexcept>
#include <string>
#include <vector>

#include "platform/sim/machine_profile.h"

namespace romwise::sim {

// Why a profile was refused. what() reads
//   FILE: key "KEY": PROBLEM
// or, for a problem with the file as a whole,
//   FILE: PROBLEM
// on one line: control bytes are escaped there (see escapeControlBytes);
// file(), key() and problem() keep them.
class ProfileError : public std::runtime_error {
  public:
    ProfileError(std::string file, std::string key, std::string problem);

    const std::string& file() const { return file_; }
    const std::string& key() const { return key_; }  // empty: the file as a whole
    const std::string& problem() const { return problem_; }

  private:
    std::string file_;
    std::string key_;
    std::string problem_;
};

// Loads the profile at `path`; files named in it are found relative to the
// profile's own directory. Throws ProfileError.
MachineProfile loadMachineProfile(const std::string& path);

// The same for a profile's text already read from `path` (which need not
// exist: it names the profile in refusals and places the files it names).
MachineProfile parseMachineProfile(const std::vector<std::uint8_t>& text, const std::string& path);

}  // namespace romwise::sim
