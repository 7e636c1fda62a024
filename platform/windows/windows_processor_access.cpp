#include "platform/windows/windows_processor_access.h"

#include <windows.h>

namespace romwise {

bool WindowsProcessorAccess::queryPerformanceCounter(std::int64_t& out) {
    LARGE_INTEGER count{};
    if (!QueryPerformanceCounter(&count)) {
        return false;
    }
    out = count.QuadPart;
    return true;
}

bool WindowsProcessorAccess::queryPerformanceFrequency(std::int64_t& out) {
    LARGE_INTEGER frequency{};
    if (!QueryPerformanceFrequency(&frequency) || frequency.QuadPart <= 0) {
        return false;
    }
    out = frequency.QuadPart;
    return true;
}

}  // namespace romwise
