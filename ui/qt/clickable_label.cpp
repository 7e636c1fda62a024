#include "ui/qt/clickable_label.h"

#include <QMouseEvent>

namespace romwise::ui {

// Statics that notify report the click when the left button goes down.
void ClickableLabel::mousePressEvent(QMouseEvent* event) {
    if (event->button() == Qt::LeftButton && handler_) {
        handler_(event->modifiers());
        event->accept();
        return;
    }
    QLabel::mousePressEvent(event);
}

}  // namespace romwise::ui
