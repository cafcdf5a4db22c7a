#include "app/document/edit_history.h"

namespace lumera::app {
namespace {

constexpr int kMergingId = 1;

bool Merges(StepKind kind) {
    return kind == StepKind::Typing || kind == StepKind::Keys;
}

class StateChange : public QUndoCommand {
public:
    StateChange(const StepName& name, EditorState before, EditorState after,
                const EditHistory::Restore& restore)
        : name_(name), before_(std::move(before)), after_(std::move(after)), restore_(restore) {}

    const StepName& name() const { return name_; }

    void undo() override { restore_(before_, ChangesFile()); }
    void redo() override {
        // The change is already on screen when it is pushed.
        if (done_) {
            restore_(after_, ChangesFile());
        }
        done_ = true;
    }
    int id() const override { return Merges(name_.kind) ? kMergingId : -1; }
    bool mergeWith(const QUndoCommand* other) override {
        const StepName& next = static_cast<const StateChange*>(other)->name_;
        if (next.kind != name_.kind || next.section != name_.section) {
            return false;
        }
        after_ = static_cast<const StateChange*>(other)->after_;
        return true;
    }

private:
    bool ChangesFile() const { return before_.fileName != after_.fileName; }

    StepName name_;
    EditorState before_;
    EditorState after_;
    const EditHistory::Restore& restore_;
    bool done_ = false;
};

}  // namespace

EditHistory::EditHistory(Restore restore, QObject* parent)
    : QObject(parent), restore_(std::move(restore)) {
    connect(&stack_, &QUndoStack::indexChanged, this, &EditHistory::changed);
    connect(&stack_, &QUndoStack::cleanChanged, this, &EditHistory::changed);
}

void EditHistory::Record(const StepName& name, EditorState before, EditorState after) {
    if (before.language == after.language && before.fileName == after.fileName &&
        before.table.SameContent(after.table)) {
        return;
    }
    stack_.push(new StateChange(name, std::move(before), std::move(after), restore_));
}

std::optional<StepName> EditHistory::StepAt(int index) const {
    if (index < 0 || index >= stack_.count()) {
        return std::nullopt;
    }
    return static_cast<const StateChange*>(stack_.command(index))->name();
}

std::optional<StepName> EditHistory::UndoStep() const {
    return StepAt(stack_.index() - 1);
}

std::optional<StepName> EditHistory::RedoStep() const {
    return StepAt(stack_.index());
}

}  // namespace lumera::app
