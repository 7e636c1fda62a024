// The more-information dialog: the memory slots of the last pass and the
// installed total, in a two-column list.
#pragma once

#include <QDialog>

#include "model/detection_results.h"
#include "ui/common/window_texts.h"

namespace romwise::ui {

class MoreInfoDialog : public QDialog {
  public:
    MoreInfoDialog(const DetectionResults& results, QWidget* parent);
};

}  // namespace romwise::ui
