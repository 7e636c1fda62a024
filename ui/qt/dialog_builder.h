// The builder that makes Qt widgets of the dialog templates (the data itself
// is in ui/common/dialog_template_data.h).
#pragma once

#include <QDialog>
#include <QWidget>
#include <map>

#include "ui/common/dialog_template_data.h"
#include "ui/qt/dialog_units.h"

namespace romwise::ui {

// The object name a control gets: its id in decimal, or "static<N>" for a
// control without an id (N is its place in the template).
QString controlObjectName(const ControlTemplate& control, int index);

// Sets the dialog's font, caption and fixed client size and creates every
// control as a child at its place. Returns the controls with an id by id.
std::map<int, QWidget*> buildDialog(QDialog& dialog, const DialogTemplate& dialogTemplate);

}  // namespace romwise::ui

namespace romwise::ui {

// Button 1 accepts the dialog and button 2 cancels it, as the dialog
// manager's standard commands do.
void connectStandardButtons(QDialog& dialog, const std::map<int, QWidget*>& controls);

}  // namespace romwise::ui
