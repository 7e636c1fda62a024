// The colours the colour button is tested with: every face and edge its own,
// the label pure red.
#pragma once

#include "ui/common/color_button_plan.h"

namespace romwise::ui::testing {

inline constexpr ColorButtonColors kButtonColors = {
    0x0000FF,  // text: pure red
    0x78B40F,  // face
    0xC0C0C0,  // disabled face
    0x30D0D0,  // light
    0x40F0F0,  // highlight
    0x606060,  // shadow
    0x202020,  // dark shadow
};

}  // namespace romwise::ui::testing
