#pragma once

#include <QString>

namespace lumera::app {

// The folder the file dialogs start in: the folder of the file last chosen in one of them,
// kept between runs in the user's settings (organisation "Lumera", application "lumera").
// Empty until a file has been chosen, or when that folder is gone.
QString LastFolder();
void RememberFolderOf(const QString& chosenFile);

}  // namespace lumera::app
