#include "ui/qt/report_printer.h"

#include <QFontMetrics>
#include <QPainter>

#include "platform/encoding/text_encoding.h"
#include "report/printed_report.h"

namespace romwise::ui {

bool printReport(QPrinter& printer, const DetectionResults& results) {
    QPainter painter;
    if (!painter.begin(&printer)) {
        return false;
    }
    // No font is chosen: the painter starts with the device's default font.
    const QFontMetrics metrics = painter.fontMetrics();
    const int pitch = metrics.height() + metrics.leading();
    for (const PrintedLine& line : printedReportLines(results, pitch)) {
        painter.drawText(QPoint(0, line.baseline),
                         QString::fromStdString(windows1252ToUtf8(line.text)));
    }
    return painter.end();
}

}  // namespace romwise::ui
