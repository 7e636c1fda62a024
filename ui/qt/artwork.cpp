#include "ui/qt/artwork.h"

#include <QFont>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QRadialGradient>

namespace romwise::ui {

namespace {

const QColor kDeepBlue(16, 58, 120);
const QColor kMidBlue(40, 110, 190);
const QColor kGreen(15, 180, 120);
const QColor kGold(236, 190, 60);
const QColor kTrace(120, 200, 160);

// A processor-like square with pins on every side.
void drawChip(QPainter& painter, const QRectF& body, const QColor& bodyColor) {
    const int pins = 5;
    const qreal pinLength = body.width() * 0.14;
    const qreal pinWidth = body.width() / (pins * 2 + 1);
    painter.setPen(Qt::NoPen);
    painter.setBrush(kGold);
    for (int i = 0; i < pins; ++i) {
        const qreal offset = pinWidth * (2 * i + 1);
        painter.drawRect(QRectF(body.left() + offset, body.top() - pinLength, pinWidth, pinLength));
        painter.drawRect(QRectF(body.left() + offset, body.bottom(), pinWidth, pinLength));
        painter.drawRect(QRectF(body.left() - pinLength, body.top() + offset, pinLength, pinWidth));
        painter.drawRect(QRectF(body.right(), body.top() + offset, pinLength, pinWidth));
    }
    painter.setBrush(bodyColor);
    painter.drawRoundedRect(body, body.width() * 0.08, body.width() * 0.08);
}

void drawCircuitTraces(QPainter& painter, const QRect& area, int seed) {
    painter.setPen(QPen(kTrace, 1.5));
    painter.setBrush(Qt::NoBrush);
    const int step = 14;
    for (int row = 0; row * step < area.height(); ++row) {
        const int y = area.top() + row * step + 7;
        const int start = area.left() + ((row * 37 + seed) % 40);
        const int bend = start + 30 + ((row * 53 + seed) % 60);
        QPainterPath path(QPointF(start, y));
        path.lineTo(bend, y);
        path.lineTo(bend + 7, y + ((row & 1) ? 7 : -7));
        path.lineTo(area.right(), y + ((row & 1) ? 7 : -7));
        painter.drawPath(path);
        painter.setBrush(kTrace);
        painter.drawEllipse(QPointF(start, y), 2.5, 2.5);
        painter.setBrush(Qt::NoBrush);
    }
}

}  // namespace

QPixmap applicationIconPixmap(int size) {
    QPixmap pixmap(size, size);
    pixmap.fill(Qt::transparent);
    QPainter painter(&pixmap);
    painter.setRenderHint(QPainter::Antialiasing);
    QLinearGradient tile(0, 0, 0, size);
    tile.setColorAt(0, kMidBlue);
    tile.setColorAt(1, kDeepBlue);
    painter.setPen(Qt::NoPen);
    painter.setBrush(tile);
    painter.drawRoundedRect(QRectF(0, 0, size, size), size * 0.18, size * 0.18);
    const qreal body = size * 0.5;
    drawChip(painter, QRectF((size - body) / 2, (size - body) / 2, body, body), kGreen);
    QFont font(QStringLiteral("DejaVu Sans"));
    font.setBold(true);
    font.setPixelSize(qMax(6, static_cast<int>(size * 0.36)));
    painter.setFont(font);
    painter.setPen(Qt::white);
    painter.drawText(QRectF(0, 0, size, size), Qt::AlignCenter, QStringLiteral("R"));
    return pixmap;
}

QIcon applicationIcon() {
    QIcon icon;
    for (int size : {16, 24, 32, 48, 64, 128}) {
        icon.addPixmap(applicationIconPixmap(size));
    }
    return icon;
}

QPixmap detailsPicture(QSize size) {
    QPixmap pixmap(size);
    QPainter painter(&pixmap);
    painter.setRenderHint(QPainter::Antialiasing);
    QLinearGradient background(0, 0, 0, size.height());
    background.setColorAt(0, kDeepBlue);
    background.setColorAt(1, QColor(8, 28, 60));
    painter.fillRect(pixmap.rect(), background);
    drawCircuitTraces(painter, pixmap.rect(), 11);
    const qreal body = size.width() * 0.5;
    drawChip(painter, QRectF((size.width() - body) / 2, size.height() * 0.18, body, body),
             QColor(30, 30, 36));
    QFont font(QStringLiteral("DejaVu Sans"));
    font.setBold(true);
    font.setPixelSize(qMax(8, size.width() / 5));
    painter.setFont(font);
    painter.setPen(kGold);
    painter.drawText(QRectF(0, size.height() * 0.62, size.width(), size.height() * 0.2),
                     Qt::AlignCenter, QStringLiteral("BIOS"));
    return pixmap;
}

QPixmap decorativePicture(QSize size) {
    QPixmap pixmap(size);
    QPainter painter(&pixmap);
    painter.setRenderHint(QPainter::Antialiasing);
    QRadialGradient glow(size.width() * 0.3, size.height() * 0.4, size.width() * 0.8);
    glow.setColorAt(0, QColor(36, 90, 160));
    glow.setColorAt(1, QColor(8, 24, 52));
    painter.fillRect(pixmap.rect(), glow);
    drawCircuitTraces(painter, pixmap.rect(), 5);
    const qreal body = size.height() * 0.46;
    drawChip(painter, QRectF(size.width() * 0.08, (size.height() - body) / 2, body, body), kGreen);
    QFont font(QStringLiteral("DejaVu Sans"));
    font.setBold(true);
    font.setPixelSize(qMax(8, size.height() / 5));
    painter.setFont(font);
    painter.setPen(Qt::white);
    const QRectF textArea(size.width() * 0.36, 0, size.width() * 0.62, size.height());
    painter.drawText(textArea, Qt::AlignCenter, QStringLiteral("Romwise"));
    return pixmap;
}

void drawLogoFrame(QPainter& painter, const QRect& rect, int frame) {
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing);
    painter.fillRect(rect, Qt::white);
    QFont font(QStringLiteral("DejaVu Sans"));
    font.setBold(true);
    font.setPixelSize(qMax(8, rect.height() * 2 / 5));
    painter.setFont(font);

    // The light's centre runs from beyond the left edge to beyond the right.
    const int phase = ((frame % kLogoFrameCount) + kLogoFrameCount) % kLogoFrameCount;
    const qreal span = rect.width() * 1.6;
    const qreal centre = rect.left() - rect.width() * 0.3 + span * phase / kLogoFrameCount;
    QLinearGradient sweep(centre - rect.width() * 0.25, 0, centre + rect.width() * 0.25, 0);
    sweep.setColorAt(0, kDeepBlue);
    sweep.setColorAt(0.5, QColor(120, 200, 255));
    sweep.setColorAt(1, kDeepBlue);
    painter.setPen(QPen(QBrush(sweep), 1));
    const QRect upper(rect.left(), rect.top(), rect.width(), rect.height() * 2 / 3);
    painter.drawText(upper, Qt::AlignCenter, QStringLiteral("QUORVEL"));

    QFont small(QStringLiteral("DejaVu Sans"));
    small.setPixelSize(qMax(6, rect.height() / 5));
    painter.setFont(small);
    painter.setPen(kGreen.darker(130));
    const QRect lower(rect.left(), upper.bottom(), rect.width(), rect.height() - upper.height());
    painter.drawText(lower, Qt::AlignHCenter | Qt::AlignTop, QStringLiteral("www.quorvel.com"));
    painter.restore();
}

}  // namespace romwise::ui
