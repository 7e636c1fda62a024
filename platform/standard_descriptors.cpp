#include "platform/standard_descriptors.h"

#if defined(_WIN32)
#include <windows.h>

#include <fcntl.h>
#include <io.h>
#else
#include <fcntl.h>
#include <unistd.h>

#include <cerrno>
#endif

namespace romwise {

#if defined(_WIN32)

namespace {

struct StandardStream {
    DWORD handle;
    int descriptor;
    int access;
};

constexpr StandardStream kStandardStreams[] = {
    {STD_INPUT_HANDLE, 0, _O_RDONLY},
    {STD_OUTPUT_HANDLE, 1, _O_WRONLY},
    {STD_ERROR_HANDLE, 2, _O_WRONLY},
};

// A standard handle whose value names no handle of this process: one its
// parent passed without letting it be inherited, or closed since. A file
// opened later could be given that value. (A handle not given at all is no
// such risk: no file's handle is null.)
bool isStale(HANDLE handle) {
    if (handle == nullptr || handle == INVALID_HANDLE_VALUE) {
        return false;
    }
    SetLastError(NO_ERROR);
    return GetFileType(handle) == FILE_TYPE_UNKNOWN && GetLastError() == ERROR_INVALID_HANDLE;
}

}  // namespace

bool openClosedStandardDescriptors() {
    for (const StandardStream& stream : kStandardStreams) {
        if (!isStale(GetStdHandle(stream.handle))) {
            continue;
        }
        // Onto the C run-time's descriptor, which makes it the process's
        // standard handle too (the run-time keeps 0-2 for the streams).
        const int nul = _open("NUL", stream.access | _O_BINARY);
        if (nul < 0) {
            return false;
        }
        const bool duplicated = nul == stream.descriptor || _dup2(nul, stream.descriptor) == 0;
        if (nul != stream.descriptor) {
            _close(nul);
        }
        const auto opened = reinterpret_cast<HANDLE>(_get_osfhandle(stream.descriptor));
        if (!duplicated || opened == INVALID_HANDLE_VALUE || !SetStdHandle(stream.handle, opened)) {
            return false;
        }
    }
    return true;
}

#else

bool openClosedStandardDescriptors() {
    for (int descriptor = STDIN_FILENO; descriptor <= STDERR_FILENO; ++descriptor) {
        if (::fcntl(descriptor, F_GETFD) != -1 || errno != EBADF) {
            continue;
        }
        // The lowest free number, as those below it are open; inherited by
        // the programs this one starts, as standard descriptors are.
        const int opened = ::open("/dev/null", descriptor == STDIN_FILENO ? O_RDONLY : O_WRONLY);
        if (opened != descriptor) {
            if (opened >= 0) {
                ::close(opened);
            }
            return false;
        }
    }
    return true;
}

#endif

}  // namespace romwise
