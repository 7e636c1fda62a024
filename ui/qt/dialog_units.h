// Dialog units: template coordinates measured in quarters of the dialog
// font's average character width and eighths of its character height.
#pragma once

#include <QFont>
#include <QRect>
#include <QSize>

namespace romwise::ui {

struct DialogBaseUnits {
    int width = 0;   // average width of the Latin letters, in pixels
    int height = 0;  // character height, in pixels
};

// The base units the dialog manager takes from a dialog font: the average
// advance of the 52 letters a-z and A-Z, rounded, and the font's height.
DialogBaseUnits dialogBaseUnits(const QFont& font);

// a * b / c rounded half away from zero, as the dialog manager rounds.
int mulDiv(int a, int b, int c);

QRect dialogRectToPixels(const DialogBaseUnits& units, int x, int y, int width, int height);
QSize dialogSizeToPixels(const DialogBaseUnits& units, int width, int height);

}  // namespace romwise::ui
