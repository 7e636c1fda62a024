// The record's texts, 8-bit bytes in Windows-1252, as Qt strings.
#pragma once

#include <QString>
#include <string_view>

#include "platform/encoding/text_encoding.h"

namespace romwise::ui {

inline QString fromRecord(std::string_view text) {
    return QString::fromStdString(windows1252ToUtf8(text));
}

}  // namespace romwise::ui
