// Runs a piece of a test in a forked child (POSIX only), for what must not
// touch the test process: a dropped privilege, a file-size limit, a signal.
#pragma once

#include <sys/wait.h>
#include <unistd.h>

#include <functional>

namespace romwise::test_support {

// How a child ended: its exit status, or minus the signal that ended it.
inline int childFate(const std::function<int()>& body) {
    const pid_t child = ::fork();
    if (child == 0) {
        ::_exit(body());
    }
    int status = 0;
    ::waitpid(child, &status, 0);
    return WIFSIGNALED(status) ? -WTERMSIG(status) : WEXITSTATUS(status);
}

}  // namespace romwise::test_support
