#include "ui/qt/logo_animation.h"

#include <QPainter>

#include "ui/qt/artwork.h"

namespace romwise::ui {

LogoAnimation::LogoAnimation(QWidget* parent) : QWidget(parent) {
    // Clicks belong to the logo area around the animation.
    setAttribute(Qt::WA_TransparentForMouseEvents);
    timer_.setInterval(kLogoFrameMilliseconds);
    QObject::connect(&timer_, &QTimer::timeout, this, [this] {
        frame_ = (frame_ + 1) % kLogoFrameCount;
        update();
    });
    timer_.start();
}

void LogoAnimation::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    drawLogoFrame(painter, rect(), frame_);
}

}  // namespace romwise::ui
