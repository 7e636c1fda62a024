#include "ui/qt/group_frame.h"

#include <QPainter>

namespace romwise::ui {

GroupFrame::GroupFrame(const QString& title, QWidget* parent) : QGroupBox(title, parent) {
    // Group boxes only frame their neighbours; clicks go through.
    setAttribute(Qt::WA_TransparentForMouseEvents);
    setFocusPolicy(Qt::NoFocus);
}

int GroupFrame::frameTop() const {
    return fontMetrics().height() / 2;
}

void GroupFrame::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    const QFontMetrics metrics = fontMetrics();
    // Etched: a shadow line with a highlight line just inside and below it.
    const QRect frame = rect().adjusted(0, frameTop(), -2, -2);
    painter.setPen(palette().color(QPalette::Mid));
    painter.drawRect(frame);
    painter.setPen(palette().color(QPalette::Light));
    painter.drawRect(frame.translated(1, 1));

    // The caption one character in, on the dialog's face, over the line.
    const int inset = metrics.averageCharWidth();
    const int gap = metrics.averageCharWidth() / 2;
    const QRect caption(inset, 0, metrics.horizontalAdvance(title()) + 2 * gap, metrics.height());
    painter.fillRect(caption, palette().color(QPalette::Window));
    painter.setPen(palette().color(QPalette::WindowText));
    painter.drawText(caption, Qt::AlignCenter | Qt::TextShowMnemonic, title());
}

}  // namespace romwise::ui
