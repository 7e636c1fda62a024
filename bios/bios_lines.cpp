#include "bios/bios_lines.h"

namespace romwise {

void FormatBiosLines(const BiosIdentity& bios, FixedText<24>& dateLine, FixedText<80>& typeLine,
                     FixedText<128>& idLine, FixedText<80>& signOnLine) {
    dateLine.format("BIOS Date: %s", bios.biosDate.c_str());
    typeLine.format("BIOS Type: %s", bios.biosType.c_str());
    idLine.format("BIOS ID:   %s", bios.biosId.c_str());
    if (!bios.oemSignOn.empty() && !(bios.oemSignOn == " ")) {
        signOnLine.format("OEM Sign-On: %s", bios.oemSignOn.c_str());
    }
}

}  // namespace romwise
