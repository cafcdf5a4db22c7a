#pragma once

#include <QObject>
#include <QUndoStack>
#include <functional>
#include <optional>
#include <string>

#include "editing/language_texts.h"
#include "editing/message_table.h"

namespace lumera::app {

// What an undo step restores: the table, the window's language and the file the table
// belongs to.
struct EditorState {
    MessageTable table;
    Language language = Language::English;
    std::string fileName;
};

// What a step did, kept apart from its wording so that its caption follows the window's
// language when it is shown, not the one it was recorded in.
enum class StepKind {
    Typing,  // in `section`
    Keys,    // of an on-screen keyboard, in `section`
    OpeningEffect,
    ClosingEffect,
    Clear,
    SwitchLanguage,
    Open,            // of `file`
    SectionCommand,  // `command` on `section`
    Drawing,         // made for `section`
};

struct StepName {
    explicit StepName(StepKind kind, int section = 0,
                      SectionCommand command = SectionCommand::InsertAbove, std::string file = {})
        : kind(kind), section(section), command(command), file(std::move(file)) {}

    StepKind kind;
    int section;
    SectionCommand command;
    std::string file;
};

// The window's undo history. Every change to the table is recorded as the states before and
// after it. Typing in one section merges into one step until something else happens, and so
// do consecutive key presses; a key press never merges with typing. The saved state is the
// stack's clean state.
class EditHistory : public QObject {
    Q_OBJECT

public:
    // `restore` puts a recorded state back on screen; `withFile`: the step changed the file
    // the table belongs to (an Open), so its name goes back too.
    using Restore = std::function<void(const EditorState&, bool withFile)>;
    EditHistory(Restore restore, QObject* parent);

    // Records one step, unless nothing changed.
    void Record(const StepName& name, EditorState before, EditorState after);
    void MarkSaved() { stack_.setClean(); }
    bool AtSavedState() const { return stack_.isClean(); }

    // The steps Undo and Redo would take now.
    std::optional<StepName> UndoStep() const;
    std::optional<StepName> RedoStep() const;

    QUndoStack& stack() { return stack_; }

signals:
    // After every step done, undone or redone.
    void changed();

private:
    std::optional<StepName> StepAt(int index) const;

    QUndoStack stack_;
    Restore restore_;
};

}  // namespace lumera::app
