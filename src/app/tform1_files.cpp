// Open and Save of message files.
#include <filesystem>
#include <system_error>

#include "app/tform1.h"
#include "files/led_file_commands.h"
#include "files/led_loader.h"

namespace lumera::app {

SaveOutcome TForm1::BtnSaveClick() {
    return lumera::BtnSaveClick(table_, prompter_);
}

bool TForm1::TableMayBeReplaced() {
    const std::optional<SaveOutcome> saved = OfferToSave();
    return !saved || *saved == SaveOutcome::Saved;
}

void TForm1::BtnOpenClick() {
    if (!TableMayBeReplaced()) {
        return;
    }
    const std::optional<std::string> chosen = prompter_.OpenFileName(kLedFileFilter);
    if (chosen) {
        OpenNamedFile(*chosen);
    }
}

void TForm1::OpenNamedFile(const std::string& path) {
    std::error_code ignored;
    if (!path.empty() && !std::filesystem::exists(path, ignored)) {
        // A dialog offers only files that are there; a name from the command line may be a
        // typo, and opening nothing without a word would look like an empty file.
        prompter_.Message(ReadLedFile(path).error);
        return;
    }
    const OpenOutcome outcome = OpenLedFile(path, table_, prompter_, [this] {
        if (PreviewRunning()) {
            BtnStopClick();
        }
    });
    if (outcome.openFileName) {
        OpenFileName = outcome.openFileName->string();
    }
    if (outcome.tableReplaced) {
        // The load has reset the table in the file's mode; the window follows that mode.
        const Language loaded = table_.EnglishMode() ? Language::English : Language::Chinese;
        if (loaded == Language::Chinese) {
            JapaneseMode = false;
        }
        ApplyWindowTexts(loaded);
    }
    ShowTable();
}

}  // namespace lumera::app
