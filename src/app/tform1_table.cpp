// The message table on screen: typing, the keyboards, the effects, Clear, the section commands
// and the undo history.
#include <QAction>
#include <QKeySequence>
#include <QTimer>

#include "app/capacity_gauge.h"
#include "app/key_panels.h"
#include "app/section_commands.h"
#include "app/section_edit.h"
#include "app/section_table.h"
#include "app/tform1.h"
#include "app/window_header.h"

namespace lumera::app {

EditorState TForm1::State() const {
    return {table_, language_};
}

void TForm1::Change(const QString& what, const std::function<Messages(MessageTable&)>& change,
                    std::optional<int> typingIn) {
    Change(what, State(), change, typingIn);
}

void TForm1::Change(const QString& what, EditorState before,
                    const std::function<Messages(MessageTable&)>& change,
                    std::optional<int> typingIn) {
    const Messages messages = change(table_);
    history_->Record(what, std::move(before), State(), typingIn);
    FollowHistory();
    ShowMessages(messages);
    ShowTable();
}

// Modified follows the history: back at the saved state, the table is as it was saved.
void TForm1::FollowHistory() {
    table_.SetModified(!history_->AtSavedState());
    setWindowModified(table_.Modified());
}

void TForm1::Restore(const EditorState& state) {
    const bool modeChanges = state.table.EnglishMode() != table_.EnglishMode();
    if (modeChanges) {
        BtnStopClick();
    }
    table_ = state.table;
    if (state.language != language_ || modeChanges) {
        language_ = state.language;
        ApplyWindowTexts(language_);
    }
    // Modified follows once the stack has moved (its changed signal), not before.
    ShowTable();
}

void TForm1::ShowHistoryTexts() {
    const QUndoStack& stack = history_->stack();
    undo_->setText(stack.canUndo() ? tr("Undo %1").arg(stack.undoText()) : tr("Undo"));
    redo_->setText(stack.canRedo() ? tr("Redo %1").arg(stack.redoText()) : tr("Redo"));
}

void TForm1::BuildHistoryActions() {
    undo_ = history_->stack().createUndoAction(this);
    undo_->setObjectName(QStringLiteral("UndoAction"));
    undo_->setShortcut(QKeySequence::Undo);
    redo_ = history_->stack().createRedoAction(this);
    redo_->setObjectName(QStringLiteral("RedoAction"));
    // Connected after the stack's own updates, so these texts win, and follow the language.
    connect(&history_->stack(), &QUndoStack::undoTextChanged, this, &TForm1::ShowHistoryTexts);
    connect(&history_->stack(), &QUndoStack::redoTextChanged, this, &TForm1::ShowHistoryTexts);
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
        connect(action, &QAction::triggered, this,
                [this, &command] { RunSectionCommand(command.command, table_.CurrentSection()); });
        addAction(action);
    }
}

void TForm1::ShowTable() {
    sections_->Show(table_);
    capacityGauge_->Show(table_);
    cycleTimer_->start();
}

SectionEdit* TForm1::CurrentEdit() const {
    return sections_->edit(table_.CurrentSection());
}

void TForm1::FocusFirstSection() {
    sections_->edit(0)->setFocus();
    sections_->edit(0)->setCursorPosition(0);
}

void TForm1::maskeditOnClick(int index) {
    table_.ClickSection(index);
    ShowTable();
}

void TForm1::maskeditOnChange(int index, const std::string& bytes, std::size_t caret) {
    Change(
        tr("Typing in section %1").arg(index + 1),
        [&](MessageTable& table) { return table.SetText(index, bytes); }, index);
    if (table_.section(index).text.size() < bytes.size()) {
        TellSectionFull(index);
    }
    sections_->edit(index)->setCaretByteOffset(std::min(caret, table_.section(index).text.size()));
}

void TForm1::TellSectionFull(int index) {
    const LengthUse use = table_.LengthUseOf(index);
    header_->ShowStatus(
        tr("Section %1 is full (%2 / %3)").arg(index + 1).arg(use.used).arg(use.limit));
}

void TForm1::CBAChange(int index, int option) {
    Change(tr("Opening effect of section %1").arg(index + 1), [&](MessageTable& table) {
        table.SelectOpenOption(index, static_cast<OpenEffect>(option));
        return Messages{};
    });
}

void TForm1::CBBChange(int index, int option) {
    Change(tr("Closing effect of section %1").arg(index + 1), [&](MessageTable& table) {
        table.SelectCloseOption(index, static_cast<CloseEffect>(option));
        return Messages{};
    });
}

void TForm1::InsertKey(KeyInsertion (MessageTable::*press)(int, std::size_t), int keyNumber) {
    SectionEdit* edit = CurrentEdit();
    const int index = table_.CurrentSection();
    KeyInsertion insertion;
    Change(
        tr("Typing in section %1").arg(index + 1),
        [&](MessageTable& table) {
            insertion = (table.*press)(keyNumber, edit->insertionByteOffset());
            return insertion.messages;
        },
        index);
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
    Change(tr("Clear"), [](MessageTable& table) { return table.Clear(); });
    // Clear re-applies the texts of the content mode: Chinese ones under Japanese texts.
    ApplyWindowTexts(table_.EnglishMode() ? Language::English : Language::Chinese);
    FocusFirstSection();
}

void TForm1::RunSectionCommand(SectionCommand command, int index) {
    const SectionCommandEntry& entry = SectionCommands()[static_cast<std::size_t>(command)];
    bool done = false;
    const QString caption = SectionCommandCaption(entry, index);
    Change(caption, [&](MessageTable& table) {
        done = table.RunSectionCommand(command, index);
        return Messages{};
    });
    if (!done) {
        header_->ShowStatus(tr("%1: not possible here").arg(caption));
    }
}

}  // namespace lumera::app
