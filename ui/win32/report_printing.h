// The printed report as a GDI print job on the printer the user picks.
#pragma once

#include <windows.h>

#include "model/detection_results.h"

namespace romwise::ui::win32 {

// The standard print dialog (PrintDlgA) asking for a device context, with
// the page range preset to pages 1 to 1. The chosen printer's device
// context, or nullptr when the user cancelled or the dialog failed.
HDC choosePrinter(HWND owner);

// One job named "test" with one page: logical units are device pixels, text
// aligned on its baseline, and the report's lines at x = 0, line k's
// baseline at k times the pitch of the device's default font (character
// height plus external leading). Errors of the job are not examined.
void printReport(HDC device, const DetectionResults& results);

}  // namespace romwise::ui::win32
