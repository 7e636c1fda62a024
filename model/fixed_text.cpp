#include "model/fixed_text.h"

namespace romwise {

std::size_t formatInto(char* buffer, std::size_t capacity, const char* format, std::va_list args) {
    if (capacity == 0) {
        return 0;
    }
    const int wanted = std::vsnprintf(buffer, capacity, format, args);
    if (wanted < 0) {
        buffer[0] = '\0';
        return 0;
    }
    const auto written = static_cast<std::size_t>(wanted);
    return written < capacity ? written : capacity - 1;
}

}  // namespace romwise
