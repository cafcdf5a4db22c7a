#include "app/edit_history.h"

namespace lumera::app {
namespace {

constexpr int kTypingId = 1;

class StateChange : public QUndoCommand {
public:
    StateChange(const QString& what, EditorState before, EditorState after,
                std::optional<int> typingIn, const std::function<void(const EditorState&)>& restore)
        : QUndoCommand(what),
          before_(std::move(before)),
          after_(std::move(after)),
          typingIn_(typingIn),
          restore_(restore) {}

    void undo() override { restore_(before_); }
    void redo() override {
        // The change is already on screen when it is pushed.
        if (done_) {
            restore_(after_);
        }
        done_ = true;
    }
    int id() const override { return typingIn_ ? kTypingId : -1; }
    bool mergeWith(const QUndoCommand* other) override {
        const auto* typing = static_cast<const StateChange*>(other);
        if (typing->typingIn_ != typingIn_) {
            return false;
        }
        after_ = typing->after_;
        return true;
    }

private:
    EditorState before_;
    EditorState after_;
    std::optional<int> typingIn_;
    const std::function<void(const EditorState&)>& restore_;
    bool done_ = false;
};

}  // namespace

EditHistory::EditHistory(std::function<void(const EditorState&)> restore, QObject* parent)
    : QObject(parent), restore_(std::move(restore)) {
    connect(&stack_, &QUndoStack::indexChanged, this, &EditHistory::changed);
    connect(&stack_, &QUndoStack::cleanChanged, this, &EditHistory::changed);
}

void EditHistory::Record(const QString& what, EditorState before, EditorState after,
                         std::optional<int> typingIn) {
    if (before.language == after.language && before.table.SameContent(after.table)) {
        return;
    }
    stack_.push(new StateChange(what, std::move(before), std::move(after), typingIn, restore_));
}

}  // namespace lumera::app
