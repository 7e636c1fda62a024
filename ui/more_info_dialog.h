// The more-information dialog: the memory slots of the last pass and the
// installed total, in a two-column list.
#pragma once

#include <QDialog>

#include "model/detection_results.h"

namespace romwise::ui {

struct SlotListColumns {
    int slot;
    int size;
};

// Column widths for a list `windowWidth` pixels wide: w / 3 - 4 and 2w / 3.
SlotListColumns slotListColumns(int windowWidth);

class MoreInfoDialog : public QDialog {
  public:
    MoreInfoDialog(const DetectionResults& results, QWidget* parent);
};

}  // namespace romwise::ui
