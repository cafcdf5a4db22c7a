#include "app/document/document.h"

namespace lumera::app {

Document::Document(QObject* parent)
    : QObject(parent),
      history_(new EditHistory(
          [this](const EditorState& state, bool withFile) { Restore(state, withFile); }, this)) {
    connect(history_, &EditHistory::changed, this, &Document::historyMoved);
}

EditResult Document::Change(const StepName& step, const Edit& change) {
    return Change(step, State(), change);
}

EditResult Document::Change(const StepName& step, EditorState before, const Edit& change) {
    const Language language = language_;
    EditResult result = change(table_, language_);
    history_->Record(step, std::move(before), State());
    if (language_ != language) {
        emit languageChanged();
    }
    emit tableChanged();
    emit historyMoved();
    return result;
}

void Document::Load(MessageTable loaded, Language language, std::string file) {
    EditorState before = State();
    table_ = std::move(loaded);
    fileName_ = file;
    const bool languageChanges = language_ != language;
    language_ = language;
    history_->Record(StepName(StepKind::Open, 0, {}, std::move(file)), std::move(before), State());
    history_->MarkSaved();
    if (languageChanges) {
        emit languageChanged();
    }
    emit fileChanged();
    emit tableChanged();
    emit historyMoved();
}

void Document::Saved(std::string file) {
    fileName_ = std::move(file);
    history_->MarkSaved();
    emit fileChanged();
    emit historyMoved();
}

void Document::SetCurrentSection(int index) {
    table_.SetCurrentSection(index);
    emit tableChanged();
}

void Document::ClickSection(int index) {
    table_.ClickSection(index);
    emit tableChanged();
}

void Document::Restore(const EditorState& state, bool withFile) {
    if (state.table.EnglishMode() != table_.EnglishMode()) {
        emit modeChanging();
    }
    table_ = state.table;
    // Modified follows once the stack has moved (its changed signal), not before.
    if (state.language != language_) {
        language_ = state.language;
        emit languageChanged();
    }
    if (withFile) {
        fileName_ = state.fileName;
        emit fileChanged();
    }
    emit tableChanged();
    emit restored();
}

}  // namespace lumera::app
