#pragma once

#include <filesystem>
#include <functional>
#include <optional>
#include <string>

#include "editing/message_table.h"
#include "editing/prompter.h"

namespace lumera {

// Both dialogs offer both kinds of file; message files come first, as Save writes them
// unless told otherwise.
constexpr char kTableFileFilter[] = "*.led(LED Files)|*.led|Lumera tables (*.lumera)|*.lumera";

// The name Save writes to: the last extension of the chosen name replaced by ".led",
// or ".led" appended when it has none.
std::filesystem::path LedFileName(const std::string& chosenName);

// The name Save writes to: a name ending in ".lumera" as chosen (a table file), any other
// its LedFileName (a message file).
std::filesystem::path SavedFileName(const std::string& chosenName);

// Whether Save writes a table file under the name: its extension is ".lumera".
bool IsTableFileName(const std::filesystem::path& name);

enum class SaveOutcome {
    Saved,      // the file was written
    Cancelled,  // the dialog was cancelled or the replacement declined
    Failed,     // the table could not be written (reported in one message)
};

// The Save button (also the save offer's Yes). Asks for a name (the dialog starts with
// `suggested`), asks before replacing the file it will write (SavedFileName of the chosen name),
// and writes the table, as a table file or a message file by that name's extension. Puts the name
// written in `savedAs` when given and the file was written.
SaveOutcome SaveTableAs(const MessageTable& table, Prompter& prompter,
                        const std::filesystem::path& suggested = {},
                        std::filesystem::path* savedAs = nullptr);

// A quick save: the table written straight to `file`, the file it was opened from or saved to,
// without a dialog or a question; the kind of file follows its extension as for SaveTableAs.
// Saved or Failed (reported in one message).
SaveOutcome SaveTableTo(const MessageTable& table, Prompter& prompter,
                        const std::filesystem::path& file);

struct OpenOutcome {
    // OpenFileName: the chosen path, set once a chosen file was found, even when the
    // file is then rejected.
    std::optional<std::filesystem::path> openFileName;
    // The table was replaced by the file's content: the window re-applies the texts of
    // the table's mode.
    bool tableReplaced = false;
};

// Opens a named message file into the table, whether the name came from the Open dialog,
// the command line or a drop. Stops silently when no file exists under the name. Otherwise
// calls stopPreview (which stops the preview when it runs), loads the file, shows the
// load's messages in order. A rejected file leaves the table and its mode as they were.
OpenOutcome OpenLedFile(const std::filesystem::path& path, MessageTable& table, Prompter& prompter,
                        const std::function<void()>& stopPreview);

}  // namespace lumera
