// The numbers of a pass document as the window takes them: each a whole
// number within its field's range, or the document is refused.
#pragma once

#include <cstdint>
#include <string>

#include <nlohmann/json.hpp>

namespace romwise {

// `value`, the document's `key` (a path such as "results.timeZoneHours"),
// when it is a JSON integer from `min` to `max`. Anything else (1.5, 1e300,
// a string, true, a number out of range) throws std::invalid_argument whose
// one-line text names the key, the range and what was found.
std::int64_t documentInteger(const nlohmann::ordered_json& value, const std::string& key,
                             std::int64_t min, std::int64_t max);

// An object key that is a control id (a dialog field, a control enabled or
// shown): decimal digits only, at most kMaxControlId; else as above.
int documentControlId(const std::string& name, const std::string& key);

// Control ids are 16-bit in dialog templates.
inline constexpr std::int64_t kMaxControlId = 0xFFFF;

}  // namespace romwise
