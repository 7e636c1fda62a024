#include "ui/qt/dialog_font.h"

#include <QString>
#include <QStringList>

namespace romwise::ui {

void installFontSubstitutions() {
    const QString song = QString::fromUtf8(kSongFaceStandIn);
    QFont::insertSubstitution(QString::fromUtf8(kSongFaceName), song);
    QFont::insertSubstitution(QString::fromUtf8(kSongFaceLatinName), song);
    // The options dialog's Latin face; its Chinese labels fall back to the
    // Song face.
    QFont::insertSubstitutions(QString::fromUtf8(kSansFaceName),
                               {QStringLiteral("DejaVu Sans"), song});
}

QFont dialogFont(const char* faceName, int pointSize) {
    QFont font(QString::fromUtf8(faceName), pointSize);
    font.setStyleHint(QFont::AnyStyle, QFont::PreferDefault);
    return font;
}

}  // namespace romwise::ui
