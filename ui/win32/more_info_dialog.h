// The more-information dialog: the memory slots of the last pass and the
// installed total, in a two-column list view, and after a firmware-tables
// pass where each step read from.
#pragma once

#include <vector>

#include "model/detection_results.h"
#include "ui/common/pass_access_texts.h"
#include "ui/win32/dialog_window.h"

namespace romwise::ui::win32 {

class MoreInfoDialog : public DialogWindow {
  public:
    // `accessRows` go after the total (ui/common/pass_access_texts.h).
    explicit MoreInfoDialog(const DetectionResults& results,
                            std::vector<MoreInfoRow> accessRows = {});

  protected:
    bool initialize() override;

  private:
    const DetectionResults& results_;
    std::vector<MoreInfoRow> accessRows_;
};

}  // namespace romwise::ui::win32
