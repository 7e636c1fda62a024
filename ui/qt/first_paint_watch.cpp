#include "ui/qt/first_paint_watch.h"

#include <QEvent>
#include <QTimer>

namespace romwise::ui {

FirstPaintWatch::FirstPaintWatch(QWidget& widget, std::function<void()> painted)
    : widget_(widget), painted_(std::move(painted)) {
    widget_.installEventFilter(this);
}

// The paint event is still being delivered when the filter sees it, so the
// callback runs from the event loop right after it.
bool FirstPaintWatch::eventFilter(QObject* watched, QEvent* event) {
    if (!fired_ && watched == &widget_ && event->type() == QEvent::Paint) {
        fired_ = true;
        QTimer::singleShot(0, this, [this] { painted_(); });
    }
    return false;
}

}  // namespace romwise::ui
