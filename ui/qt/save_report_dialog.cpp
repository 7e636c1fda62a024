#include "ui/qt/save_report_dialog.h"

#include <QFile>
#include <QLineEdit>

#include "model/control_ids.h"
#include "ui/common/dialog_templates.h"
#include "ui/common/window_texts.h"
#include "ui/qt/dialog_builder.h"

namespace romwise::ui {

SaveReportDialog::SaveReportDialog(const QString& proposedPath, SaveFunction save, QWidget* parent)
    : QDialog(parent), save_(std::move(save)) {
    const auto controls = buildDialog(*this, kSaveReportTemplate);
    connectStandardButtons(*this, controls);
    if (auto* field = dynamic_cast<QLineEdit*>(controls.at(control::kSaveFileName))) {
        field->setMaxLength(kSaveFileNameLimit);
        field->setText(proposedPath);
        // The proposal is selected where the field starts with the focus,
        // so that typing a name replaces it.
        field->selectAll();
        field->setFocus(Qt::OtherFocusReason);
    }
}

// OK saves and closes the dialog whether or not the file could be written;
// the save function reports a failure itself.
void SaveReportDialog::accept() {
    auto* field = findChild<QLineEdit*>(QString::number(control::kSaveFileName));
    const QString path = field != nullptr ? field->text() : QString();
    if (save_) {
        save_(QFile::encodeName(path).toStdString());
    }
    QDialog::accept();
}

}  // namespace romwise::ui
