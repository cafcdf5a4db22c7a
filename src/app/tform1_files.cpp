// Open and Save of message files.
#include "app/tform1.h"
#include "files/led_file_commands.h"

namespace lumera::app {

SaveOutcome TForm1::BtnSaveClick() {
    const SaveOutcome outcome = lumera::BtnSaveClick(table_, prompter_);
    // Cancelling the dialog or declining to replace a file is the operator's answer to the
    // save question: the window does not ask it again when closing. Only a save that could
    // not be written leaves the table marked as changed.
    if (outcome == SaveOutcome::Cancelled) {
        table_.SetModified(false);
    }
    return outcome;
}

void TForm1::BtnOpenClick() {
    const OpenOutcome outcome = lumera::BtnOpenClick(table_, prompter_, [this] {
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
