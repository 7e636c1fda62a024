// The detection pass for a window run by an ordinary user: the privileged
// helper (romwise-pass) started through polkit's pkexec, which asks for the
// administrator's password as the policy com.quorvel.romwise.read-hardware
// says, and whose JSON document on standard output is the pass's answer.
#pragma once

#include <string>

#include "model/privileged_pass.h"

namespace romwise {

inline constexpr char kPkexecPath[] = "/usr/bin/pkexec";
inline constexpr char kPassHelperName[] = "romwise-pass";

class PkexecPass final : public PrivilegedPass {
  public:
    // `helper`: the helper's absolute path, the one the policy names.
    PkexecPass(std::string pkexec, std::string helper)
        : pkexec_(std::move(pkexec)), helper_(std::move(helper)) {}

    std::optional<PassAnswer> run(const DetectionOptions& options, std::string& reason) override;

  private:
    std::string pkexec_;
    std::string helper_;
};

// The helper beside the running program (a build tree), else the installed
// one; empty when neither exists.
std::string passHelperPath();

}  // namespace romwise
