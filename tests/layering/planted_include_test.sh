#!/bin/sh
# The layering check itself: a tree that keeps the layers passes, and each
# kind of planted include that breaks them is found and named.
set -eu
here=$(cd "$(dirname "$0")/../.." && pwd)
scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT

plant() {  # plant FILE INCLUDE: a tree whose FILE includes INCLUDE
    rm -rf "$scratch/tree" && mkdir -p "$scratch/tree/cmake"
    cp "$here/cmake/layers.txt" "$scratch/tree/cmake/"
    mkdir -p "$scratch/tree/$(dirname "$1")" "$scratch/tree/model"
    printf '#pragma once\n' > "$scratch/tree/model/fixed_text.h"
    printf '#include "model/fixed_text.h"\n#include <vector>\n#include "%s"\n' "$2" \
        > "$scratch/tree/$1"
}
expect() {  # expect STATUS TEXT: the check exits with STATUS and says TEXT
    status=0
    sh "$here/scripts/check-layers.sh" "$scratch/tree" > "$scratch/said" 2>&1 || status=$?
    if [ "$status" -ne "$1" ] || { [ -n "$2" ] && ! grep -qF -- "$2" "$scratch/said"; }; then
        echo "expected status $1 and \"$2\", got $status:"; cat "$scratch/said"; exit 1
    fi
}

plant bios/award.cpp "hw/port_io.h";                 expect 0 ""
plant ui/qt/main.cpp "platform/create_platform.h";   expect 0 ""
plant ui/win32/main.cpp "ui/common/texts.h";        expect 0 ""
plant bios/award.cpp "app/detection_run.h";          expect 1 "bios/award.cpp:3: bios/ may not include app/"
plant dmi/walk.cpp "dmi/../app/x.h";                 expect 1 "dmi/walk.cpp:3: includes \"dmi/../app/x.h\""
plant model/text.h "hw/port_io.h";                   expect 1 "model/ may not include hw/"
plant hw/port.cpp "bios/rom_search.h";               expect 1 "hw/ may not include bios/"
plant app/run.cpp "cli/cli_view.h";                  expect 1 "app/ may not include cli/"
plant app/run.cpp "platform/linux/linux_platform.h"; expect 1 "app/ may not include platform/linux/"
plant platform/sim/sim.cpp "app/detectors.h";        expect 1 "platform/sim/ may not include app/"
plant platform/linux/x.cpp "platform/sim/sim.h";     expect 1 "platform/linux/ may not include platform/sim/"
plant ui/qt/main.cpp "cli/cli_options.h";            expect 1 "ui/qt/ may not include cli/"
plant ui/common/plan.cpp "ui/qt/dialog.h";          expect 1 "ui/common/ may not include ui/qt/"
plant ui/win32/window.cpp "ui/qt/color_button.h";  expect 1 "ui/win32/ may not include ui/qt/"
plant report/lines.cpp "tests/run/fakes.h";          expect 1 "no folder of the program"
echo "layering check: all planted cases behaved"
