// The more-information dialog: the memory slots of the last pass and the
// installed total, in a two-column list view.
#pragma once

#include "model/detection_results.h"
#include "ui/win32/dialog_window.h"

namespace romwise::ui::win32 {

class MoreInfoDialog : public DialogWindow {
  public:
    explicit MoreInfoDialog(const DetectionResults& results);

  protected:
    bool initialize() override;

  private:
    const DetectionResults& results_;
};

}  // namespace romwise::ui::win32
