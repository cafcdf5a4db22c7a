#pragma once

#include <QSettings>
#include <QString>
#include <QStringList>

namespace lumera::app {

// The user's settings of this program: organisation "Lumera", application "lumera".
QSettings UserSettings();

// The folder the file dialogs start in: the folder of the file last chosen in one of them,
// kept between runs in the user's settings.
// Empty until a file has been chosen, or when that folder is gone.
QString LastFolder();
void RememberFolderOf(const QString& chosenFile);

// The files last opened or saved, most recent first, at most kMostRecentFiles, kept in the same
// settings. Files no longer there are left out, and forgotten.
constexpr int kMostRecentFiles = 8;
QStringList RecentFiles();
void RememberRecentFile(const QString& file);

}  // namespace lumera::app
