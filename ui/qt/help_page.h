// Help: our own HTML page, installed beside the program's data.
#pragma once

#include <QString>

namespace romwise::ui {

// Where the help page is: installed beside the program's data, or in the
// source tree for a build that was not installed; empty when neither has it.
QString installedHelpPage();

}  // namespace romwise::ui
