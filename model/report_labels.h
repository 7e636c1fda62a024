// The labels of the record's six line fields. A line is its label followed
// by the value; the dialog and the upgrade request show the value part only.
#pragma once

#include <cstddef>
#include <string_view>

#include "model/fixed_text.h"

namespace romwise {

inline constexpr char kBiosDateLabel[] = "BIOS Date: ";
inline constexpr char kBiosTypeLabel[] = "BIOS Type: ";
inline constexpr char kBiosIdLabel[] = "BIOS ID:   ";
inline constexpr char kSignOnLabel[] = "OEM Sign-On: ";
inline constexpr char kSuperIoLabel[] = "Superio:   ";
inline constexpr char kChipsetLabel[] = "Chipset:   ";

// Where the value part starts: every label but the sign-on one is padded to
// the same length.
inline constexpr std::size_t kLineValueOffset = std::string_view(kBiosDateLabel).size();
inline constexpr std::size_t kSignOnValueOffset = std::string_view(kSignOnLabel).size();

static_assert(std::string_view(kBiosTypeLabel).size() == kLineValueOffset &&
                  std::string_view(kBiosIdLabel).size() == kLineValueOffset &&
                  std::string_view(kSuperIoLabel).size() == kLineValueOffset &&
                  std::string_view(kChipsetLabel).size() == kLineValueOffset,
              "the line fields share one value offset");

// Writes `label` followed by `value` into `line`.
template <std::size_t Capacity>
void setLine(FixedText<Capacity>& line, std::string_view label, std::string_view value) {
    line.assign(label);
    line.append(value);
}

}  // namespace romwise
