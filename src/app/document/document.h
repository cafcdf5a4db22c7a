#pragma once

#include <QObject>
#include <functional>
#include <optional>
#include <string>

#include "app/document/edit_history.h"
#include "editing/language_texts.h"
#include "editing/message_table.h"

namespace lumera::app {

// What the window works on: the table, the interface language that goes with it, the file
// the table belongs to and the history of its changes. Every change goes through here, so
// "modified" is exactly "the history is not at its saved point" and the file's name follows
// the table through undo and redo. The window's parts listen to its signals.
class Document : public QObject {
    Q_OBJECT

public:
    explicit Document(QObject* parent);

    const MessageTable& table() const { return table_; }
    Language language() const { return language_; }
    const std::string& fileName() const { return fileName_; }
    bool modified() const { return !history_->AtSavedState(); }
    // Leaving the table would offer to save it: it changed and holds some text.
    bool offersSave() const { return modified() && table_.HoldsContent(); }

    EditorState State() const { return {table_, language_, fileName_}; }

    // One change as one undo step: `change` edits the table and may set the language.
    // Returns what the edit did.
    using Edit = std::function<EditResult(MessageTable&, Language&)>;
    EditResult Change(const StepName& step, const Edit& change);
    // The same from a state taken before the change began.
    EditResult Change(const StepName& step, EditorState before, const Edit& change);
    // A table read from `file` replaces the one held, as one step, and is the saved state.
    void Load(MessageTable loaded, Language language, std::string file);
    // The table was written to `file`: that is its saved state now.
    void Saved(std::string file);
    // Which section is current is no change of the table's content: it makes no step.
    void SetCurrentSection(int index);
    void ClickSection(int index);

    std::optional<StepName> UndoStep() const { return history_->UndoStep(); }
    std::optional<StepName> RedoStep() const { return history_->RedoStep(); }
    QUndoStack& stack() { return history_->stack(); }

signals:
    // Before an undo or redo puts back a table of the other content mode.
    void modeChanging();
    void tableChanged();
    void languageChanged();
    void fileChanged();
    // Modified, or what leaving would offer, may have changed; also after every step.
    void historyMoved();
    // After an undo or redo has put a state back.
    void restored();

private:
    void Restore(const EditorState& state, bool withFile);

    MessageTable table_;
    Language language_ = Language::English;
    std::string fileName_;
    EditHistory* history_;
};

}  // namespace lumera::app
