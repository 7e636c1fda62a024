#include "ui/qt/report_printing.h"

#include <QFontMetrics>
#include <QPainter>
#include <QPrintDialog>

#include "report/printed_report.h"
#include "ui/qt/record_text.h"

namespace romwise::ui {

bool choosePrinter(QPrinter& printer, QWidget* parent) {
    QPrintDialog dialog(&printer, parent);
    dialog.setMinMax(1, 1);
    dialog.setFromTo(1, 1);
    dialog.setPrintRange(QAbstractPrintDialog::PageRange);
    return dialog.exec() == QDialog::Accepted;
}

bool printReport(QPrinter& printer, const DetectionResults& results) {
    QPainter painter;
    if (!painter.begin(&printer)) {
        return false;
    }
    // No font is chosen: the painter starts with the device's default font.
    const QFontMetrics metrics = painter.fontMetrics();
    const int pitch = metrics.height() + metrics.leading();
    for (const PrintedLine& line : printedReportLines(results, pitch)) {
        painter.drawText(QPoint(0, line.baseline), fromRecord(line.text));
    }
    return painter.end();
}

}  // namespace romwise::ui
