#include "platform/standard_streams.h"

#if defined(_WIN32)
#include <fcntl.h>
#include <io.h>

#include <cstdio>
#else
#include <csignal>
#endif

namespace romwise {

void useBinaryStandardStreams() {
#if defined(_WIN32)
    // The C run-time opens the standard streams in text mode, which would
    // turn every LF into CR LF (and a report's CR LF into CR CR LF).
    _setmode(_fileno(stdout), _O_BINARY);
    _setmode(_fileno(stderr), _O_BINARY);
#endif
}

void reportBrokenPipesAsWriteErrors() {
#if !defined(_WIN32)
    std::signal(SIGPIPE, SIG_IGN);
#endif
}

}  // namespace romwise
