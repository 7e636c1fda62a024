#include "ui/qt/dialog_units.h"

#include <QFontMetrics>
#include <QString>

namespace romwise::ui {

namespace {

constexpr char kLatinLetters[] = "abcdefghijklmnopqrstuvwxyzABCDEFGHIJKLMNOPQRSTUVWXYZ";

int horizontal(const DialogBaseUnits& units, int value) {
    return mulDiv(value, units.width, 4);
}
int vertical(const DialogBaseUnits& units, int value) {
    return mulDiv(value, units.height, 8);
}

}  // namespace

DialogBaseUnits dialogBaseUnits(const QFont& font) {
    const QFontMetrics metrics(font);
    const int total = metrics.horizontalAdvance(QString::fromLatin1(kLatinLetters));
    // Half of the per-pair width, rounded: (total / 26 + 1) / 2.
    return {(total / 26 + 1) / 2, metrics.height()};
}

int mulDiv(int a, int b, int c) {
    if (c == 0) {
        return -1;
    }
    const long long product = static_cast<long long>(a) * b;
    const long long half = (c > 0 ? c : -c) / 2;
    const bool negative = (product < 0) != (c < 0);
    const long long magnitude = (product < 0 ? -product : product) + half;
    const long long quotient = magnitude / (c > 0 ? c : -c);
    return static_cast<int>(negative ? -quotient : quotient);
}

QRect dialogRectToPixels(const DialogBaseUnits& units, int x, int y, int width, int height) {
    // Position and size are converted each on its own, as the dialog
    // manager does when it creates a template's controls.
    return QRect(horizontal(units, x), vertical(units, y), horizontal(units, width),
                 vertical(units, height));
}

QSize dialogSizeToPixels(const DialogBaseUnits& units, int width, int height) {
    return QSize(horizontal(units, width), vertical(units, height));
}

}  // namespace romwise::ui
