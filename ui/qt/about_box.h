// The About box: the product, its version and our credit lines.
#pragma once

#include <QDialog>

namespace romwise::ui {

class AboutBox : public QDialog {
  public:
    explicit AboutBox(QWidget* parent);
};

}  // namespace romwise::ui
