// The save dialog: asks for the report's file name and saves on OK.
#pragma once

#include <QDialog>
#include <functional>
#include <string>

namespace romwise::ui {

class SaveReportDialog : public QDialog {
  public:
    // `save` writes the report to the path as typed, tells whether it is in
    // place, and shows the failure message itself.
    using SaveFunction = std::function<bool(const std::string& path)>;

    SaveReportDialog(const QString& proposedPath, SaveFunction save, QWidget* parent);

    void accept() override;

  private:
    SaveFunction save_;
};

}  // namespace romwise::ui
