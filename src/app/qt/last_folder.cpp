#include "app/qt/last_folder.h"

#include <QDir>
#include <QFileInfo>

namespace lumera::app {
namespace {

constexpr char kLastFolderKey[] = "dialogs/lastFolder";
constexpr char kRecentFilesKey[] = "dialogs/recentFiles";

}  // namespace

QSettings UserSettings() {
    return QSettings(QStringLiteral("Lumera"), QStringLiteral("lumera"));
}

QString LastFolder() {
    const QString folder = UserSettings().value(QLatin1String(kLastFolderKey)).toString();
    return !folder.isEmpty() && QDir(folder).exists() ? folder : QString();
}

void RememberFolderOf(const QString& chosenFile) {
    UserSettings().setValue(QLatin1String(kLastFolderKey),
                            QFileInfo(chosenFile).absoluteDir().absolutePath());
}

QStringList RecentFiles() {
    QSettings settings = UserSettings();
    const QStringList kept = settings.value(QLatin1String(kRecentFilesKey)).toStringList();
    QStringList there;
    for (const QString& file : kept) {
        if (QFileInfo::exists(file) && there.size() < kMostRecentFiles) {
            there.append(file);
        }
    }
    if (there != kept) {
        settings.setValue(QLatin1String(kRecentFilesKey), there);
    }
    return there;
}

void RememberRecentFile(const QString& file) {
    const QString path = QFileInfo(file).absoluteFilePath();
    QStringList files = RecentFiles();
    files.removeAll(path);
    files.prepend(path);
    UserSettings().setValue(QLatin1String(kRecentFilesKey), files.mid(0, kMostRecentFiles));
}

}  // namespace lumera::app
