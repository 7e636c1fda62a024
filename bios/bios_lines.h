// The four report lines of the BIOS identification.
#pragma once

#include "bios/bios_identity.h"
#include "model/fixed_text.h"

namespace romwise {

// Cuts the text at its first carriage return or line feed, not counting those
// at its very start, which stay. A text of nothing but line breaks stays whole.
template <std::size_t N>
void CutAtLineBreak(FixedText<N>& text) {
    const std::string_view view = text.view();
    const std::size_t body = view.find_first_not_of("\r\n");
    if (body == std::string_view::npos) {
        return;
    }
    const std::size_t lineBreak = view.find_first_of("\r\n", body);
    if (lineBreak != std::string_view::npos) {
        text.data()[lineBreak] = '\0';
    }
}

// Writes the date, type and ID lines from the record, each cut to its field.
// The sign-on line is written only when the sign-on is neither empty nor a
// single blank; otherwise it keeps what it held.
void FormatBiosLines(const BiosIdentity& bios, FixedText<24>& dateLine, FixedText<80>& typeLine,
                     FixedText<128>& idLine, FixedText<80>& signOnLine);

}  // namespace romwise
