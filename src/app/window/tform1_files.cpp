// Open and Save of message files, and the offer to save before the table goes.
#include <QAction>
#include <QDir>
#include <QFileInfo>
#include <QKeySequence>
#include <QMenu>
#include <QPushButton>
#include <filesystem>
#include <system_error>

#include "app/commands/command_panel.h"
#include "app/preview/preview_views.h"
#include "app/qt/last_folder.h"
#include "app/window/tform1.h"
#include "app/window/window_header.h"
#include "files/led_file_commands.h"
#include "files/led_loader.h"

namespace lumera::app {
namespace {

constexpr char kSaveOfferText[] = "You want to save the data?";

}  // namespace

SaveOutcome TForm1::BtnSaveClick() {
    std::filesystem::path savedAs;
    const SaveOutcome outcome =
        lumera::SaveTableAs(document_->table(), prompter_, document_->fileName(), &savedAs);
    if (outcome == SaveOutcome::Saved) {
        document_->Saved(savedAs.string());
        header_->ShowStatus(tr("Saved to %1").arg(QString::fromStdString(savedAs.string())));
    }
    return outcome;
}

// Ctrl+S: straight to the table's file when it has one, as the Save button otherwise.
void TForm1::QuickSave() {
    const std::string file = document_->fileName();
    if (file.empty()) {
        BtnSaveClick();
        return;
    }
    if (lumera::SaveTableTo(document_->table(), prompter_, file) == SaveOutcome::Saved) {
        document_->Saved(file);
        header_->ShowStatus(tr("Saved to %1").arg(QString::fromStdString(file)));
    }
}

std::unique_ptr<QMenu> TForm1::RecentFilesMenu() {
    auto menu = std::make_unique<QMenu>(this);
    menu->setObjectName(QStringLiteral("RecentFilesMenu"));
    const QStringList files = RecentFiles();
    for (int k = 0; k < files.size(); ++k) {
        const QString file = files[k];
        menu->addAction(QStringLiteral("&%1 %2").arg(k + 1).arg(QDir::toNativeSeparators(file)),
                        this, [this, file] {
                            if (MayLeaveTable()) {
                                OpenNamedFile(file.toStdString());
                            }
                        });
    }
    if (files.isEmpty()) {
        menu->addAction(tr("No recent files"))->setEnabled(false);
    }
    return menu;
}

// The Open button's menu (right-click, or the menu key) offers the files used last; a click
// opens the dialog as ever.
void TForm1::OfferRecentFiles() {
    QPushButton* open = commands_->button(Command::Open);
    open->setContextMenuPolicy(Qt::CustomContextMenu);
    connect(open, &QWidget::customContextMenuRequested, this, [this, open](const QPoint& at) {
        const std::unique_ptr<QMenu> menu = RecentFilesMenu();
        menu->exec(open->mapToGlobal(at));
    });
    connect(document_, &Document::fileChanged, this, [this] {
        if (!document_->fileName().empty()) {
            RememberRecentFile(QString::fromStdString(document_->fileName()));
        }
    });
}

void TForm1::BuildQuickSave() {
    auto* quickSave = new QAction(this);
    quickSave->setObjectName(QStringLiteral("QuickSaveAction"));
    quickSave->setShortcut(QKeySequence::Save);
    connect(quickSave, &QAction::triggered, this, &TForm1::QuickSave);
    addAction(quickSave);
}

bool TForm1::MayLeaveTable() {
    if (!document_->offersSave()) {
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
    const std::optional<std::string> chosen = prompter_.OpenFileName(kTableFileFilter);
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
    MessageTable loaded = document_->table();
    const OpenOutcome outcome = OpenLedFile(path, loaded, prompter_, [this] {
        if (PreviewRunning()) {
            BtnStopClick();
        }
    });
    if (!outcome.tableReplaced) {
        return;
    }
    // Only a file that loaded names the table: Save must never aim at one that did not. The
    // load has reset the table in the file's mode; the window follows that mode.
    const Language language = LanguageOfMode(loaded);
    document_->Load(std::move(loaded), language, outcome.openFileName->string());
    TellTableTooLarge();
}

// The title names the file the table came from or went to, and marks a changed table.
void TForm1::ShowFileName() {
    const std::string& fileName = document_->fileName();
    previewViews_->setTableFile(fileName);
    setWindowFilePath(fileName.empty() ? QString() : QString::fromStdString(fileName));
    setWindowTitle(fileName.empty()
                       ? QStringLiteral("%1[*]").arg(
                             QString::fromUtf8(kWindowCaption.data(), kWindowCaption.size()))
                       : QStringLiteral("%1[*] \u2014 %2")
                             .arg(QFileInfo(QString::fromStdString(fileName)).fileName(),
                                  QString::fromUtf8(kWindowCaption.data(), kWindowCaption.size())));
    setWindowModified(document_->offersSave());
}

}  // namespace lumera::app
