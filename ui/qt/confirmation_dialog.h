// The close confirmation: the request has not been submitted; submit it now?
// Yes accepts, No, Escape and the close box cancel.
#pragma once

#include <QDialog>

namespace romwise::ui {

class ConfirmationDialog : public QDialog {
  public:
    explicit ConfirmationDialog(QWidget* parent);
};

}  // namespace romwise::ui
