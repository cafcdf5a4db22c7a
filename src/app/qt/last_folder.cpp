#include "app/qt/last_folder.h"

#include <QDir>
#include <QFileInfo>
#include <QSettings>

namespace lumera::app {
namespace {

constexpr char kLastFolderKey[] = "dialogs/lastFolder";

QSettings UserSettings() {
    return QSettings(QStringLiteral("Lumera"), QStringLiteral("lumera"));
}

}  // namespace

QString LastFolder() {
    const QString folder = UserSettings().value(QLatin1String(kLastFolderKey)).toString();
    return !folder.isEmpty() && QDir(folder).exists() ? folder : QString();
}

void RememberFolderOf(const QString& chosenFile) {
    UserSettings().setValue(QLatin1String(kLastFolderKey),
                            QFileInfo(chosenFile).absoluteDir().absolutePath());
}

}  // namespace lumera::app
