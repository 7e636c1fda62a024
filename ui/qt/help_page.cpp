#include "ui/qt/help_page.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>

namespace romwise::ui {

QString installedHelpPage() {
    const QString installed = QCoreApplication::applicationDirPath() +
                              QStringLiteral("/../share/romwise/help/index.html");
    if (QFile::exists(installed)) {
        return QDir::cleanPath(installed);
    }
#ifdef ROMWISE_SOURCE_HELP_PAGE
    const QString source = QStringLiteral(ROMWISE_SOURCE_HELP_PAGE);
    if (QFile::exists(source)) {
        return source;
    }
#endif
    return QString();
}

}  // namespace romwise::ui
