#pragma once

#include <QObject>
#include <QUndoStack>
#include <functional>
#include <optional>

#include "editing/language_texts.h"
#include "editing/message_table.h"

namespace lumera::app {

// What an undo step restores: the table and the window's language with it.
struct EditorState {
    MessageTable table;
    Language language = Language::English;
};

// The window's undo history. Every change to the table is recorded as the states before and
// after it; typing in one section merges into one step until something else happens. The
// saved state is the stack's clean state.
class EditHistory : public QObject {
    Q_OBJECT

public:
    // `restore` puts a recorded state back on screen.
    EditHistory(std::function<void(const EditorState&)> restore, QObject* parent);

    // Records one step, unless nothing changed. `typingIn`: the section typed into.
    void Record(const QString& what, EditorState before, EditorState after,
                std::optional<int> typingIn = std::nullopt);
    void MarkSaved() { stack_.setClean(); }
    bool AtSavedState() const { return stack_.isClean(); }

    QUndoStack& stack() { return stack_; }

signals:
    // After every step done, undone or redone.
    void changed();

private:
    QUndoStack stack_;
    std::function<void(const EditorState&)> restore_;
};

}  // namespace lumera::app
