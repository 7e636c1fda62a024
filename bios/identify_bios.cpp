#include "bios/identify_bios.h"

#include "bios/bios_lines.h"
#include "bios/recogniser_chain.h"

namespace romwise {

bool IdentifyBios(HardwareDriver& driver, FixedText<24>& dateLine, FixedText<80>& typeLine,
                  FixedText<128>& idLine, FixedText<80>& signOnLine) {
    BiosIdentity bios;
    bios.romView = driver.mapPhysToLinear(bios.romBase, bios.romLength);
    if (bios.romView == nullptr) {
        return false;
    }
    ReadBiosIdentity(bios);
    FormatBiosLines(bios, dateLine, typeLine, idLine, signOnLine);
    return true;
}

}  // namespace romwise
