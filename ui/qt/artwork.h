// The program's artwork, drawn in code: the application icon, the two
// dialog pictures and the frames of the animated logo.
#pragma once

#include <QIcon>
#include <QPixmap>
#include <QRect>
#include <QSize>

class QPainter;

namespace romwise::ui {

// A chip on a blue tile, with the product's "R".
QPixmap applicationIconPixmap(int size);
QIcon applicationIcon();

// The left-hand picture of the main window.
QPixmap detailsPicture(QSize size);
// The decorative picture under the memory group.
QPixmap decorativePicture(QSize size);

inline constexpr int kLogoFrameCount = 32;
inline constexpr int kLogoFrameMilliseconds = 90;
// One frame of the logo: the maker's name with a light sweeping across it.
void drawLogoFrame(QPainter& painter, const QRect& rect, int frame);

}  // namespace romwise::ui
