// The JSON text of a machine profile, parsed with the checks the JSON
// library leaves out, each refusal naming the key where it happened. The
// library's parser hands its events to a builder of the profile's own small
// value tree (profile_value.h), so no tree of the library is made.
#pragma once

#include <cstdint>
#include <vector>

#include "platform/sim/profile_fields.h"
#include "platform/sim/profile_value.h"

namespace romwise::sim {

// Objects and arrays nest at most this deep (the deepest key of the format,
// superio[0].unlock[0][0][0], is 6 levels down).
inline constexpr std::size_t kMaxJsonDepth = 64;

// The profile's top-level value. Refused through `fields`: malformed JSON
// (the file as a whole), a key given twice in one object, nesting deeper
// than kMaxJsonDepth, and a number beyond the range of a double (1e400).
ProfileValue parseProfileJson(const std::vector<std::uint8_t>& text, const ProfileFields& fields);

}  // namespace romwise::sim
