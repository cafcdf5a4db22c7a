#include "app/sections/section_edit.h"

#include <QKeyEvent>
#include <QMouseEvent>
#include <QSignalBlocker>
#include <algorithm>

#include "app/sections/section_commands.h"
#include "app/sections/section_text.h"
#include "editing/message_table.h"

namespace lumera::app {

namespace {

// Keys of the window's own commands: undo, redo and the section commands, some of which
// the line edit would otherwise take (Ctrl+Shift+Ins pastes).
bool IsWindowKey(QKeyEvent* event) {
    if (event->matches(QKeySequence::Undo) || event->matches(QKeySequence::Redo) ||
        event->keyCombination() == QKeyCombination(Qt::CTRL, Qt::Key_Y)) {
        return true;
    }
    const QKeySequence pressed(event->keyCombination());
    const auto& commands = SectionCommands();
    return std::any_of(commands.begin(), commands.end(),
                       [&](const SectionCommandEntry& entry) { return entry.keys == pressed; });
}

}  // namespace

SectionEdit::SectionEdit(int index, QWidget* parent)
    : QLineEdit(parent), index_(index), byteLimit_(kEnglishMaxLength) {
    setObjectName(QStringLiteral("ME%1").arg(index + 1));
    setProperty("Tag", index + 1);
    connect(this, &QLineEdit::textEdited, this, &SectionEdit::takeEdit);
}

void SectionEdit::showBytes(const std::string& bytes) {
    bytes_ = bytes;
    SectionDisplay display = ShowSectionBytes(bytes_);
    byteLengths_ = std::move(display.byteLengths);
    if (display.text != text()) {
        const int caret = cursorPosition();
        const QSignalBlocker blocker(this);
        setText(display.text);
        setCursorPosition(caret);
    }
}

std::size_t SectionEdit::caretByteOffset() const {
    return ByteOffsetOfIndex(byteLengths_, cursorPosition());
}

void SectionEdit::setCaretByteOffset(std::size_t offset) {
    setCursorPosition(IndexOfByteOffset(byteLengths_, offset));
}

std::size_t SectionEdit::insertionByteOffset() const {
    return ByteOffsetOfIndex(byteLengths_, hasSelectedText() ? selectionStart() : cursorPosition());
}

void SectionEdit::mousePressEvent(QMouseEvent* event) {
    QLineEdit::mousePressEvent(event);
    // Only the left button picks the section; the right one opens the edit's menu.
    if (event->button() == Qt::LeftButton) {
        emit clicked(index_);
    }
}

bool SectionEdit::event(QEvent* event) {
    // Not taken as the edit's own key, so the window's shortcut gets it.
    if (event->type() == QEvent::ShortcutOverride && IsWindowKey(static_cast<QKeyEvent*>(event))) {
        event->ignore();
        return false;
    }
    return QLineEdit::event(event);
}

void SectionEdit::keyPressEvent(QKeyEvent* event) {
    if (IsWindowKey(event)) {
        event->ignore();
        return;
    }
    QLineEdit::keyPressEvent(event);
}

void SectionEdit::takeEdit(const QString& text) {
    const auto edited = StoreDisplayText(text);
    if (!edited) {
        restore(text);
        emit unstorableInput(index_, NameUnstorable(text));
        return;
    }
    if (edited->size() > static_cast<std::size_t>(byteLimit_) && edited->size() > bytes_.size()) {
        restore(text);
        emit byteLimitReached(index_);
        return;
    }
    const auto caret = StoreDisplayText(text.left(cursorPosition()));
    emit bytesEdited(index_, *edited, caret ? caret->size() : edited->size());
}

void SectionEdit::restore(const QString& refused) {
    // The caret goes back to where the refused input began.
    const QString shown = ShowSectionBytes(bytes_).text;
    const int caret = cursorPosition() - static_cast<int>(refused.size() - shown.size());
    const QSignalBlocker blocker(this);
    setText(shown);
    setCursorPosition(std::clamp(caret, 0, static_cast<int>(shown.size())));
}

}  // namespace lumera::app
