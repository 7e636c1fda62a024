// The more-information dialog: the memory slots of the last pass and the
// installed total, in a two-column list, and after a firmware-tables pass
// where each step read from.
#pragma once

#include <QDialog>
#include <vector>

#include "model/detection_results.h"
#include "ui/common/pass_access_texts.h"
#include "ui/common/window_texts.h"

namespace romwise::ui {

class MoreInfoDialog : public QDialog {
  public:
    // `accessRows` go after the total (ui/common/pass_access_texts.h).
    MoreInfoDialog(const DetectionResults& results, const std::vector<MoreInfoRow>& accessRows,
                   QWidget* parent);
};

}  // namespace romwise::ui
