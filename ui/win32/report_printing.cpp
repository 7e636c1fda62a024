#include "ui/win32/report_printing.h"

#include <commdlg.h>

#include "report/printed_report.h"
#include "ui/common/window_texts.h"
#include "ui/win32/wide_text.h"

namespace romwise::ui::win32 {

HDC choosePrinter(HWND owner) {
    PRINTDLGA dialog = {};
    dialog.lStructSize = sizeof dialog;
    dialog.hwndOwner = owner;
    dialog.Flags = PD_RETURNDC | PD_PAGENUMS | PD_NOSELECTION;
    dialog.nFromPage = 1;
    dialog.nToPage = 1;
    dialog.nMinPage = 1;
    dialog.nMaxPage = 1;
    dialog.nCopies = 1;
    const BOOL chosen = PrintDlgA(&dialog);
    // The printer's settings are not kept between jobs.
    if (dialog.hDevMode != nullptr) {
        GlobalFree(dialog.hDevMode);
    }
    if (dialog.hDevNames != nullptr) {
        GlobalFree(dialog.hDevNames);
    }
    if (!chosen) {
        if (dialog.hDC != nullptr) {
            DeleteDC(dialog.hDC);
        }
        return nullptr;
    }
    return dialog.hDC;
}

void printReport(HDC device, const DetectionResults& results) {
    TEXTMETRICW metrics = {};
    GetTextMetricsW(device, &metrics);
    const int pitch = metrics.tmHeight + metrics.tmExternalLeading;

    DOCINFOA document = {};
    document.cbSize = sizeof document;
    document.lpszDocName = kPrintDocumentName;
    StartDocA(device, &document);
    StartPage(device);
    SetMapMode(device, MM_ANISOTROPIC);
    SetWindowOrgEx(device, 0, 0, nullptr);
    SetViewportOrgEx(device, 0, 0, nullptr);
    SetViewportExtEx(device, 1, 1, nullptr);
    SetTextAlign(device, TA_BASELINE);
    // The record's Windows-1252 bytes are drawn as the characters they
    // stand for, whatever the system's code page.
    for (const PrintedLine& line : printedReportLines(results, pitch)) {
        const std::wstring text = wideFromRecord(line.text);
        TextOutW(device, 0, line.baseline, text.c_str(), static_cast<int>(text.size()));
    }
    EndPage(device);
    EndDoc(device);
}

}  // namespace romwise::ui::win32
