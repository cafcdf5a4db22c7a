// The message table on screen: typing, the keyboards, the effects, Clear, the section commands
// and the undo history.
#include <QAction>
#include <QKeySequence>
#include <QTimer>

#include "app/commands/capacity_gauge.h"
#include "app/commands/key_panels.h"
#include "app/sections/drawing_dialog.h"
#include "app/sections/section_commands.h"
#include "app/sections/section_edit.h"
#include "app/sections/section_table.h"
#include "app/window/tform1.h"
#include "app/window/window_header.h"

namespace lumera::app {

EditResult TForm1::Change(const StepName& step,
                          const std::function<EditResult(MessageTable&)>& change) {
    return Change(step, document_->State(),
                  [&](MessageTable& table, Language&) { return change(table); });
}

EditResult TForm1::Change(const StepName& step, EditorState before, const Document::Edit& change) {
    const bool wasTooLarge = capacityGauge_->TooLarge();
    EditResult result = document_->Change(step, std::move(before), change);
    ShowMessages(result.messages);
    // Said the moment the table stops fitting, not at every keystroke after.
    if (!wasTooLarge) {
        TellTableTooLarge();
    }
    return result;
}

void TForm1::FollowDocument() {
    connect(document_, &Document::modeChanging, this, &TForm1::BtnStopClick);
    connect(document_, &Document::tableChanged, this, &TForm1::ShowTable);
    connect(document_, &Document::languageChanged, this, &TForm1::FollowLanguage);
    connect(document_, &Document::fileChanged, this, &TForm1::ShowFileName);
    connect(document_, &Document::historyMoved, this, &TForm1::FollowHistory);
    connect(document_, &Document::restored, this, [this] {
        // Typing goes on where the restored table's current section is.
        if (qobject_cast<SectionEdit*>(focusWidget())) {
            FocusCurrentSection();
        }
    });
}

// The title marks a table that leaving would offer to save.
void TForm1::FollowHistory() {
    setWindowModified(document_->offersSave());
}

void TForm1::ShowHistoryTexts() {
    const std::optional<StepName> undo = document_->UndoStep();
    const std::optional<StepName> redo = document_->RedoStep();
    undo_->setText(undo ? tr("Undo %1").arg(StepCaption(*undo)) : tr("Undo"));
    redo_->setText(redo ? tr("Redo %1").arg(StepCaption(*redo)) : tr("Redo"));
}

QString TForm1::StepCaption(const StepName& step) const {
    switch (step.kind) {
        case StepKind::Typing:
        case StepKind::Keys:
            return tr("Typing in section %1").arg(step.section + 1);
        case StepKind::OpeningEffect:
            return tr("Opening effect of section %1").arg(step.section + 1);
        case StepKind::ClosingEffect:
            return tr("Closing effect of section %1").arg(step.section + 1);
        case StepKind::Clear:
            return tr("Clear");
        case StepKind::SwitchLanguage:
            return tr("Switch language");
        case StepKind::Open:
            return tr("Open %1").arg(QString::fromStdString(step.file));
        case StepKind::Drawing:
            return tr("Drawing in section %1").arg(step.section + 1);
        case StepKind::SectionCommand:
            return SectionCommandCaption(SectionCommands()[static_cast<std::size_t>(step.command)],
                                         step.section);
    }
    return {};
}

void TForm1::BuildHistoryActions() {
    undo_ = document_->stack().createUndoAction(this);
    undo_->setObjectName(QStringLiteral("UndoAction"));
    undo_->setShortcut(QKeySequence::Undo);
    redo_ = document_->stack().createRedoAction(this);
    redo_->setObjectName(QStringLiteral("RedoAction"));
    // Connected after the stack's own updates, so these texts win, and follow the language.
    connect(&document_->stack(), &QUndoStack::undoTextChanged, this, &TForm1::ShowHistoryTexts);
    connect(&document_->stack(), &QUndoStack::redoTextChanged, this, &TForm1::ShowHistoryTexts);
    // Both redo keys of the desktops, each once: a key held twice is ambiguous and does nothing.
    QList<QKeySequence> redoKeys = QKeySequence::keyBindings(QKeySequence::Redo);
    for (const QKeySequence& keys :
         {QKeySequence(Qt::CTRL | Qt::Key_Y), QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Z)}) {
        if (!redoKeys.contains(keys)) {
            redoKeys.append(keys);
        }
    }
    redo_->setShortcuts(redoKeys);
    addActions({undo_, redo_});
    sections_->setMenuActions({undo_, redo_});
    // The section commands' keys act on the current section.
    for (const SectionCommandEntry& command : SectionCommands()) {
        auto* action = new QAction(this);
        action->setShortcut(command.keys);
        connect(action, &QAction::triggered, this, [this, &command] {
            RunSectionCommand(command.command, document_->table().CurrentSection());
        });
        addAction(action);
    }
    auto* draw = new QAction(this);
    draw->setObjectName(QStringLiteral("DrawAction"));
    draw->setShortcut(DrawKeys());
    connect(draw, &QAction::triggered, this, [this] {
        if (CurrentEdit()->isEnabled()) {
            DrawSection(document_->table().CurrentSection());
        }
    });
    addAction(draw);
}

void TForm1::ShowTable() {
    sections_->Show(document_->table());
    capacityGauge_->Show(document_->table());
    cycleTimer_->start();
}

void TForm1::TellTableTooLarge() {
    if (!capacityGauge_->TooLarge()) {
        return;
    }
    const download::ImageMeasure& measure = capacityGauge_->measure();
    header_->ShowStatus(
        tr("The table needs %1 of %2 bytes")
            .arg(QString::fromStdString(download::GroupedCount(measure.size)),
                 QString::fromStdString(download::GroupedCount(download::kDisplayCapacity))));
}

void TForm1::FocusCurrentSection() {
    SectionEdit* edit = CurrentEdit();
    if (edit->isEnabled()) {
        edit->setFocus();
    }
}

SectionEdit* TForm1::CurrentEdit() const {
    return sections_->edit(document_->table().CurrentSection());
}

void TForm1::FocusFirstSection() {
    sections_->edit(0)->setFocus();
    sections_->edit(0)->setCursorPosition(0);
}

void TForm1::maskeditOnClick(int index) {
    document_->ClickSection(index);
}

void TForm1::maskeditOnChange(int index, const std::string& bytes, std::size_t caret) {
    const EditResult typed = Change(StepName(StepKind::Typing, index), [&](MessageTable& table) {
        return table.SetText(index, bytes);
    });
    if (typed.cut) {
        TellSectionFull(index);
    }
    sections_->edit(index)->setCaretByteOffset(
        std::min(caret, document_->table().section(index).text.size()));
}

void TForm1::TellSectionFull(int index) {
    const LengthUse use = document_->table().LengthUseOf(index);
    header_->ShowStatus(
        tr("Section %1 is full (%2 / %3)").arg(index + 1).arg(use.used).arg(use.limit));
}

void TForm1::CBAChange(int index, int option) {
    Change(StepName(StepKind::OpeningEffect, index), [&](MessageTable& table) {
        return table.SelectOpenOption(index, static_cast<OpenEffect>(option));
    });
}

void TForm1::CBBChange(int index, int option) {
    Change(StepName(StepKind::ClosingEffect, index), [&](MessageTable& table) {
        return table.SelectCloseOption(index, static_cast<CloseEffect>(option));
    });
}

void TForm1::InsertKey(KeyInsertion (MessageTable::*press)(int, std::size_t), int keyNumber) {
    SectionEdit* edit = CurrentEdit();
    const int index = document_->table().CurrentSection();
    KeyInsertion insertion;
    Change(StepName(StepKind::Keys, index), [&](MessageTable& table) {
        insertion = (table.*press)(keyNumber, edit->insertionByteOffset());
        return insertion.edit;
    });
    if (!insertion.inserted) {
        TellSectionFull(index);
    }
    edit->setFocus();
    edit->setCaretByteOffset(insertion.caret);
}

void TForm1::CNBtnClick(int keyNumber) {
    InsertKey(&MessageTable::PressGlyphKey, keyNumber);
}

void TForm1::EngBtnClick(int keyNumber) {
    InsertKey(&MessageTable::PressEnglishKey, keyNumber);
}

void TForm1::BtnClearClick() {
    BtnStopClick();
    // Clear re-applies the texts of the content mode (Chinese ones under Japanese texts):
    // the step records that language, so undo and redo bring back the right one.
    const Language before = document_->language();
    Change(StepName(StepKind::Clear), document_->State(),
           [](MessageTable& table, Language& language) {
               language = LanguageOfMode(table);
               return table.Clear();
           });
    if (document_->language() == before) {
        FollowLanguage();  // the captions and lists of the mode, from the top
    }
    FocusFirstSection();
}

// The dialog stays open beside the window; the drawing it makes is one undo step.
void TForm1::DrawSection(int index) {
    const MessageTable& table = document_->table();
    auto* dialog = new DrawingDialog(this, index, table.EnglishMode(), table.section(index).drawing,
                                     prompter_);
    dialog->setAttribute(Qt::WA_DeleteOnClose);
    connect(dialog, &QDialog::accepted, this, [this, dialog, index] {
        Change(StepName(StepKind::Drawing, index),
               [&](MessageTable& table) { return table.SetDrawing(index, dialog->drawing()); });
    });
    dialog->open();
}

void TForm1::RunSectionCommand(SectionCommand command, int index) {
    const SectionCommandEntry& entry = SectionCommands()[static_cast<std::size_t>(command)];
    const EditResult done =
        Change(StepName(StepKind::SectionCommand, index, command),
               [&](MessageTable& table) { return table.RunSectionCommand(command, index); });
    if (!done.changed) {
        header_->ShowStatus(tr("%1: not possible here").arg(SectionCommandCaption(entry, index)));
        return;
    }
    // Typing goes on in the section the command acted on.
    FocusCurrentSection();
    CurrentEdit()->end(false);
}

}  // namespace lumera::app
