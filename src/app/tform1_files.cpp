// Open and Save of message files, and the offer to save before the table goes.
#include <QFileInfo>
#include <filesystem>
#include <system_error>

#include "app/preview_views.h"
#include "app/tform1.h"
#include "app/window_header.h"
#include "files/led_file_commands.h"
#include "files/led_loader.h"

namespace lumera::app {
namespace {

constexpr char kSaveOfferText[] = "You want to save the data?";

}  // namespace

SaveOutcome TForm1::BtnSaveClick() {
    std::filesystem::path savedAs;
    const SaveOutcome outcome = lumera::BtnSaveClick(table_, prompter_, OpenFileName, &savedAs);
    if (outcome == SaveOutcome::Saved) {
        OpenFileName = savedAs.string();
        history_->MarkSaved();
        FollowHistory();
        ShowFileName();
        header_->ShowStatus(tr("Saved to %1").arg(QString::fromStdString(OpenFileName)));
    }
    return outcome;
}

bool TForm1::MayLeaveTable() {
    if (!OffersSave()) {
        return true;
    }
    const std::optional<bool> save = prompter_.AskOrCancel(kSaveOfferText);
    if (!save) {
        return false;
    }
    return !*save || BtnSaveClick() == SaveOutcome::Saved;
}

void TForm1::BtnOpenClick() {
    if (!MayLeaveTable()) {
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
    EditorState before = State();
    const OpenOutcome outcome = OpenLedFile(path, table_, prompter_, [this] {
        if (PreviewRunning()) {
            BtnStopClick();
        }
    });
    if (outcome.tableReplaced) {
        // Only a file that loaded names the table: Save must never aim at one that did not.
        OpenFileName = outcome.openFileName->string();
        // The load has reset the table in the file's mode; the window follows that mode.
        ApplyWindowTexts(table_.EnglishMode() ? Language::English : Language::Chinese);
        history_->Record(StepName(StepKind::Open, 0, {}, path), std::move(before), State());
        history_->MarkSaved();
        FollowHistory();
        ShowFileName();
    }
    ShowTable();
    if (outcome.tableReplaced) {
        TellTableTooLarge();
    }
}

// The title names the file the table came from or went to, and marks a changed table.
void TForm1::ShowFileName() {
    previewViews_->setTableFile(OpenFileName);
    setWindowFilePath(OpenFileName.empty() ? QString() : QString::fromStdString(OpenFileName));
    setWindowTitle(OpenFileName.empty()
                       ? QStringLiteral("%1[*]").arg(
                             QString::fromUtf8(kWindowCaption.data(), kWindowCaption.size()))
                       : QStringLiteral("%1[*] \u2014 %2")
                             .arg(QFileInfo(QString::fromStdString(OpenFileName)).fileName(),
                                  QString::fromUtf8(kWindowCaption.data(), kWindowCaption.size())));
    setWindowModified(OffersSave());
}

}  // namespace lumera::app
