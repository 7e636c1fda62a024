#include "bios/bios_lines.h"

#include "model/report_labels.h"

namespace romwise {

void FormatBiosLines(const BiosIdentity& bios, FixedText<24>& dateLine, FixedText<80>& typeLine,
                     FixedText<128>& idLine, FixedText<80>& signOnLine) {
    setLine(dateLine, kBiosDateLabel, bios.biosDate.view());
    setLine(typeLine, kBiosTypeLabel, bios.biosType.view());
    setLine(idLine, kBiosIdLabel, bios.biosId.view());
    if (!bios.oemSignOn.empty() && !(bios.oemSignOn == " ")) {
        setLine(signOnLine, kSignOnLabel, bios.oemSignOn.view());
    }
}

}  // namespace romwise
