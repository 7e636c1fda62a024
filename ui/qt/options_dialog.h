// The options dialog: switches Super I/O and DMI detection off and on for
// the next passes.
#pragma once

#include <QDialog>

#include "model/detection_results.h"

namespace romwise::ui {

class OptionsDialog : public QDialog {
  public:
    OptionsDialog(DetectionOptions& options, QWidget* parent);
};

}  // namespace romwise::ui
