// Text transformations of the upgrade-request addresses.
#pragma once

#include <string>
#include <string_view>

#include "model/fixed_text.h"

namespace romwise {

// Replaces every "+" by "%2B", in place; every other byte stays.
void escapePlusSigns(std::string& text);

// A query value made safe for the query string: "%", "&" and "#" become
// %25, %26 and %23 so that they cannot end the value or the query, and
// control bytes (below 20h, and 7Fh) become %XX so that the address stays
// one line; every other byte stays for the later steps.
std::string escapeQueryValue(std::string_view value);

// The canonical form of an address: spaces become %20, every other byte stays.
// Writes it with its terminator into `out` when it fits in `capacity` bytes and
// returns true; otherwise leaves `out` empty (never a cut or an older address)
// and returns false.
bool canonicalizeAddress(std::string_view address, char* out, std::size_t capacity);

template <std::size_t Capacity>
bool canonicalizeAddress(std::string_view address, FixedText<Capacity>& out) {
    return canonicalizeAddress(address, out.data(), Capacity);
}

}  // namespace romwise
